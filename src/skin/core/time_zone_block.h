#pragma once
// The time-zone names of the basic settings page: the lines between "<TimeZone>" and
// "</TimeZone>" of the skin text, read from the first line and stopped by the page section's
// closing tag. The index of a name in this block is what a camera record stores.
#include "skin/core/string_table.h"

#include <string>
#include <string_view>
#include <vector>

struct TimeZoneBlock
{
    bool found = false;                // the start tag was seen: the list must be replaced
    std::vector<std::u16string> names; // each line unchanged, in block order
};

inline constexpr std::u16string_view kTimeZoneBlock = u"TimeZone";
inline constexpr std::u16string_view kBasicSettingSection = u"9_Basic Setting";

TimeZoneBlock ReadTimeZoneBlock(const CStringList* lines, std::u16string_view section = kBasicSettingSection);
