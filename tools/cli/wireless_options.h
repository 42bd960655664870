#pragma once
// The wireless options of a save: wired or wireless, network name, channel and security, read
// into the settings change. They are checked with the wireless pages' own rules while the
// command line is read, so a refused value stops the command before anything is sent.
#include "pages/core/settings_change.h"

#include <string>

enum class OptionTaken
{
    NotWireless, // the flag is none of these options
    Taken,
    Refused
};

// Stores one flag's value; on Refused `error` says why in one line.
OptionTaken TakeWirelessOption(const std::string& flag, const std::string& value, WirelessChange& change,
                               std::string& error);
// The checks the security page runs on Next, and what its edits would not accept; empty when
// the options pass.
std::string CheckWirelessOptions(const WirelessChange& change);

extern const char* const kWirelessUsage;
