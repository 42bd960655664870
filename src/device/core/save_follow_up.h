#pragma once
// A save whose every request went unanswered may still have reached the camera, its answers
// lost on the way back. The engine then asks the camera again; these are the rules of that
// follow-up apart from the sockets: where it asks, how often, and what an answer proves.
#include "device/core/device_info.h"
#include "platform/core/net_address.h"

#include <cstdint>
#include <string>
#include <vector>

// Three queries, 700 ms apart, and 700 ms more for the last one's answer: about 2 seconds.
inline constexpr int kFollowUpQueries = 3;
inline constexpr int64_t kFollowUpPeriodMs = 700;

struct SaveFollowUp
{
    DeviceInfo asFound;                 // the camera's settings as the search found them
    std::vector<std::string> addresses; // further dotted addresses it may answer at (a router's far side)
};

// The addresses a follow-up asks directly, each once: the one the camera answered the search
// from, the given ones that read as addresses, and the fixed address the save gave it. (A local camera is
// also asked by a broadcast on its interface, which reaches it whatever its address.)
std::vector<Ipv4Address> FollowUpAddresses(const Ipv4Address& answeredFrom,
                                           const std::vector<std::string>& given, const DeviceInfo& sent);
