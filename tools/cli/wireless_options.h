#pragma once
// The wireless options of a save: wired or wireless, network name, channel and security. They
// are checked with the wireless pages' own rules while the command line is read, so a refused
// value stops the command before anything is sent, and they are applied to the record as the
// pages would write the same input.
#include "device/core/device_info.h"

#include <optional>
#include <string>

struct WirelessOptions
{
    std::optional<bool> wireless;
    std::optional<std::string> ssid;
    std::optional<int> channel;          // 1 to 11
    std::optional<std::string> security; // none, wep64, wep128 or wpa
    std::optional<std::string> wepKey;
    std::optional<std::string> wepPassphrase;
    std::optional<std::string> wpaPassphrase;
};

enum class OptionTaken
{
    NotWireless, // the flag is none of these options
    Taken,
    Refused
};

// Stores one flag's value; on Refused `error` says why in one line.
OptionTaken TakeWirelessOption(const std::string& flag, const std::string& value, WirelessOptions& options,
                               std::string& error);
// The checks the security page runs on Next, and what its edits would not accept; empty when
// the options pass.
std::string CheckWirelessOptions(const WirelessOptions& options);
// Applies the options to a record, as the three wireless pages would save them; the security
// fields are written only when --security is given.
void ApplyWirelessOptions(const WirelessOptions& options, DeviceInfo& info);

extern const char* const kWirelessUsage;
