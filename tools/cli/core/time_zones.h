#pragma once
// The wizard's time-zone list as the command line takes it: an index within the list, or a
// zone's name or a part of it ("Berlin"), in any case.
#include <span>
#include <string_view>
#include <vector>

// The names in the window's order (the English pack's); a zone's index is its place here.
std::span<const std::string_view> TimeZoneNames();

enum class ZoneStatus
{
    Ok,
    OutOfRange, // an index past the list
    NoMatch,    // no name holds the text
    Ambiguous   // several names hold it
};

struct ZoneChoice
{
    ZoneStatus status = ZoneStatus::NoMatch;
    int index = -1;
    std::vector<int> matches; // Ambiguous: every zone whose name holds the text
};

ZoneChoice ChooseTimeZone(std::string_view value);
