#include "cli/core/time_zones.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <string>

namespace {

constexpr std::string_view kNames[] = {
#include "time_zone_names.inc"
};

std::string Lower(std::string_view text)
{
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); });
    return lower;
}

bool AllDigits(std::string_view text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(),
                                        [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
}

ZoneChoice ByIndex(std::string_view value)
{
    int index = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), index);
    if (error != std::errc() || end != value.data() + value.size() ||
        index >= static_cast<int>(std::size(kNames)))
        return {ZoneStatus::OutOfRange, -1, {}};
    return {ZoneStatus::Ok, index, {}};
}

} // namespace

std::span<const std::string_view> TimeZoneNames()
{
    return kNames;
}

ZoneChoice ChooseTimeZone(std::string_view value)
{
    if (AllDigits(value))
        return ByIndex(value);
    const std::string wanted = Lower(value);
    ZoneChoice choice;
    for (size_t i = 0; i < std::size(kNames); ++i) {
        const std::string name = Lower(kNames[i]);
        // A whole name is that zone, even where it is part of another's.
        if (name == wanted)
            return {ZoneStatus::Ok, static_cast<int>(i), {}};
        if (!wanted.empty() && name.find(wanted) != std::string::npos)
            choice.matches.push_back(static_cast<int>(i));
    }
    if (choice.matches.size() == 1)
        return {ZoneStatus::Ok, choice.matches.front(), {}};
    choice.status = choice.matches.empty() ? ZoneStatus::NoMatch : ZoneStatus::Ambiguous;
    return choice;
}
