#pragma once
// Checks of the operating-system version that decide whether start-up registers the program
// with the host firewall, and the media-player version check of the utility installer.
// The rules are pure functions of the version so they can be tested anywhere; the
// argument-less forms read the running system and answer false where it is not Windows.
#include <cstdint>
#include <optional>
#include <string>

struct OsVersion
{
    uint32_t major = 0;
    uint32_t minor = 0;
    std::u16string servicePack; // e.g. u"Service Pack 2"; empty when none
};

// Major version above 5, or 5.1 with exactly "Service Pack 2" / "Service Pack 1".
bool IsOsSp2Level(const OsVersion& version);
bool IsOsSp1Level(const OsVersion& version);

// The Windows version of the running system; none elsewhere.
std::optional<OsVersion> CurrentWindowsVersion();
bool IsOsSp2Level();
bool IsOsSp1Level();

// True when the high 16 bits of a file version's most significant word are 9.
bool IsMajorVersion9(uint32_t fileVersionMostSignificant);
// Whether the installed media player is of major version 9; false off Windows.
bool IsMediaPlayer9();
