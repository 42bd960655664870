#pragma once
// A list kept in the skin text as one entry per line: the lines between "<NAME>" and "</NAME>",
// read from the first line of the skin and stopped early by the page section's closing tag.
// The time zones of the basic settings page and the security kinds of the wireless security
// page are such lists; the index of a line in its block is what a camera record stores.
#include "skin/core/string_table.h"

#include <string>
#include <string_view>
#include <vector>

struct SkinListBlock
{
    bool found = false;                // the start tag was seen: the list must be replaced
    std::vector<std::u16string> lines; // each line unchanged, in block order
};

inline constexpr std::u16string_view kTimeZoneBlock = u"TimeZone";
inline constexpr std::u16string_view kBasicSettingSection = u"9_Basic Setting";
inline constexpr std::u16string_view kSecurityTypeBlock = u"SECURITY TYPE";
inline constexpr std::u16string_view kWirelessSecuritySection = u"14_Wireless3 Setting";

SkinListBlock ReadSkinListBlock(const SkinStrings* lines, std::u16string_view section,
                                std::u16string_view block);

inline SkinListBlock ReadTimeZoneBlock(const SkinStrings* lines)
{
    return ReadSkinListBlock(lines, kBasicSettingSection, kTimeZoneBlock);
}
inline SkinListBlock ReadSecurityTypeBlock(const SkinStrings* lines)
{
    return ReadSkinListBlock(lines, kWirelessSecuritySection, kSecurityTypeBlock);
}
