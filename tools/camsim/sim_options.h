#pragma once
// Command-line options of the camera simulator.
#include "device/core/device_info.h"

#include <cstdint>
#include <string>
#include <vector>

struct SimOptions
{
    // Network
    uint16_t port = 916;
    std::string bind = "0.0.0.0";
    bool replyToBroadcast = false;
    // Each camera answers a query sent to an address only when it is its own, and answers from
    // its own address (which must be on the host's interface): cameras behind a router, each
    // on its own address, and one that moves when a save gives it a new one.
    bool ownAddress = false;
    double lifetimeSeconds = 30;
    std::string logPath;

    // The cameras
    bool answerPlain = true;      // CMD_QUERY
    bool answerEnciphered = true; // CMD_QUERY_ENC
    bool answerFull = true;       // CMD_QUERY_FULL
    uint16_t deviceType = 17;
    int count = 1;
    int ipStep = 1; // each camera's address this far past the one before: cameras scattered in a block
    MacAddress macBase{0x02, 0xCA, 0x00, 0x00, 0x00, 0x01};
    std::string name = "Camera";
    std::string description = "Simulated camera";
    std::string login = "admin";
    std::string password = "admin";
    uint16_t firmware = 0x0203;
    Ipv4Address ip{192, 168, 0, 100};
    Ipv4Address mask{255, 255, 255, 0};
    Ipv4Address gateway{192, 168, 0, 1};
    Ipv4Address dns1{192, 168, 0, 1};
    Ipv4Address dns2{0, 0, 0, 0};
    bool dhcp = false;
    uint16_t webPort = 0;

    // Misbehaviour
    uint16_t queryStatus = 0;
    uint16_t setStatus = 0;
    bool silent = false;
    int dropFirst = 0;
    bool duplicate = false;
    int delayMs = 0;
    bool junkDropped = false; // a reply with status 0xFFFF
    bool junkType16 = false;  // a well-formed reply from device type 16
    bool junkStale = false;   // a reply carrying the previous sequence number
    bool junkLong = false;    // a datagram longer than a receive takes
};

struct SimOptionsResult
{
    enum class Status
    {
        Run,
        Help,
        Version,
        Error
    } status = Status::Run;
    SimOptions options;
    std::string error;
};

SimOptionsResult ParseSimOptions(const std::vector<std::string>& args);
const char* SimHelpText();
