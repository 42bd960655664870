#pragma once
// The simulated cameras: what they answer to each datagram. No sockets here; the loop in
// udp_loop.h delivers datagrams and sends what comes back.
#include "sim_options.h"

#include "device/core/device_info.h"
#include "device/core/message_header.h"

#include <chrono>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

struct Peer
{
    Ipv4Address address{};
    uint16_t port = 0;
};

struct Outgoing
{
    Peer to;
    Ipv4Address from{}; // the source address; 0.0.0.0: the system's choice
    std::vector<uint8_t> bytes;
    std::string kind; // for the log: "reply", "set-reply" or the junk's name
};

class SimulatedCameras
{
public:
    explicit SimulatedCameras(const SimOptions& options);

    // Appends log lines (JSON) for what the cameras made of the datagram, which was sent to
    // `to` (the destination address of its IP header).
    std::vector<Outgoing> Handle(std::span<const uint8_t> datagram, const Peer& from, const Ipv4Address& to,
                                 std::vector<std::string>& log);
    const std::vector<DeviceInfo>& Cameras() const { return cameras_; }

private:
    bool Answers(uint16_t command) const;
    Peer ReplyTarget(const Peer& from) const;
    std::vector<Outgoing> AnswerQuery(const MessageHeader& header, const Peer& from, const Ipv4Address& to);
    // The source of a camera's answers: its own address with --own-address.
    Ipv4Address SourceOf(const DeviceInfo& camera) const;
    std::vector<Outgoing> Junk(const MessageHeader& header, const Peer& from) const;
    std::vector<Outgoing> AnswerSet(std::span<const uint8_t> datagram, const MessageHeader& header,
                                    const Peer& from, std::vector<std::string>& log);
    // The camera's settings with its clock as it reads now: each clock runs from when it was
    // last set (by a save, or at start).
    DeviceInfo Running(size_t camera) const;

    SimOptions options_;
    std::vector<DeviceInfo> cameras_;
    std::vector<std::chrono::steady_clock::time_point> clockSet_;
    int setRequestsSeen_ = 0;
};

// The settings of a body as a JSON object (texts in UTF-8).
std::string SettingsJson(const DeviceInfo& info);
std::string MacText(const MacAddress& mac);
std::string Ipv4Text(const Ipv4Address& address);
