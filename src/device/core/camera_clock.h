#pragma once
// A camera's clock as its reply gave it: the date ("MM/DD/YYYY") and time ("HH:MM:SS") texts and
// when the reply arrived. A save that leaves the clock alone writes it carried forward to the
// moment its request is built, so the camera's clock neither stops nor goes back.
#include "device/core/device_info.h"

#include <chrono>
#include <optional>
#include <string>

struct ClockTexts
{
    std::string date; // MM/DD/YYYY
    std::string time; // HH:MM:SS
    bool operator==(const ClockTexts&) const = default;
};

struct FoundClock
{
    ClockTexts texts;
    std::chrono::steady_clock::time_point at{};

    static FoundClock Of(const DeviceInfo& info, std::chrono::steady_clock::time_point at);
};

// The clock `elapsed` later, days, months and years carried; nothing when the texts do not read
// as a date and time.
std::optional<ClockTexts> AdvanceClock(const ClockTexts& clock, std::chrono::seconds elapsed);

// The found clock when the body about to be sent still holds it, to the minute (a page writes
// the minute it showed, with no seconds); nothing when the date or time was set to another value
// or the found clock is not one.
std::optional<FoundClock> UntouchedClock(const FoundClock& found, const DeviceInfo& body);

// Writes the found clock advanced to `now` into the body.
void CarryClockForward(const FoundClock& found, std::chrono::steady_clock::time_point now, DeviceInfo& body);
