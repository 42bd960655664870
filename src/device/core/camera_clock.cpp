#include "device/core/camera_clock.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

namespace {

using namespace std::chrono;

// The number of `width` digits at `offset`; nothing when any is not a digit.
std::optional<int> Digits(const std::string& text, size_t offset, size_t width)
{
    if (offset + width > text.size())
        return std::nullopt;
    int value = 0;
    const char* first = text.data() + offset;
    const auto [end, error] = std::from_chars(first, first + width, value);
    if (error != std::errc() || end != first + width)
        return std::nullopt;
    return value;
}

std::optional<sys_seconds> ReadClock(const ClockTexts& clock)
{
    const auto mm = Digits(clock.date, 0, 2);
    const auto dd = Digits(clock.date, 3, 2);
    const auto yyyy = Digits(clock.date, 6, 4);
    const auto h = Digits(clock.time, 0, 2);
    const auto m = Digits(clock.time, 3, 2);
    const auto s = Digits(clock.time, 6, 2);
    if (!mm || !dd || !yyyy || !h || !m || !s || clock.date.size() != 10 || clock.time.size() != 8)
        return std::nullopt;
    const year_month_day date{year{*yyyy}, month(static_cast<unsigned>(*mm)),
                              day(static_cast<unsigned>(*dd))};
    if (!date.ok() || *h > 23 || *m > 59 || *s > 59)
        return std::nullopt;
    return sys_days(date) + hours(*h) + minutes(*m) + seconds(*s);
}

ClockTexts WriteClock(sys_seconds moment)
{
    const sys_days days = floor<std::chrono::days>(moment);
    const year_month_day date(days);
    const hh_mm_ss time(moment - days);
    char dateText[16];
    std::snprintf(dateText, sizeof dateText, "%02u/%02u/%04d", static_cast<unsigned>(date.month()),
                  static_cast<unsigned>(date.day()), static_cast<int>(date.year()));
    char timeText[16];
    std::snprintf(timeText, sizeof timeText, "%02d:%02d:%02d", static_cast<int>(time.hours().count()),
                  static_cast<int>(time.minutes().count()), static_cast<int>(time.seconds().count()));
    return {dateText, timeText};
}

} // namespace

FoundClock FoundClock::Of(const DeviceInfo& info, steady_clock::time_point at)
{
    return {{info.Get(DeviceInfo::date), info.Get(DeviceInfo::time)}, at};
}

std::optional<ClockTexts> AdvanceClock(const ClockTexts& clock, seconds elapsed)
{
    const auto moment = ReadClock(clock);
    if (!moment)
        return std::nullopt;
    return WriteClock(*moment + elapsed);
}

std::optional<FoundClock> UntouchedClock(const FoundClock& found, const DeviceInfo& body)
{
    if (!ReadClock(found.texts))
        return std::nullopt;
    const std::string time = body.Get(DeviceInfo::time);
    const bool minuteShown = time.substr(0, 5) == found.texts.time.substr(0, 5) && time.substr(5) == ":00";
    const bool untouched =
        body.Get(DeviceInfo::date) == found.texts.date && (time == found.texts.time || minuteShown);
    return untouched ? std::optional(found) : std::nullopt;
}

void CarryClockForward(const FoundClock& found, steady_clock::time_point now, DeviceInfo& body)
{
    const auto elapsed = duration_cast<seconds>(now - found.at);
    if (const auto clock = AdvanceClock(found.texts, std::max(elapsed, seconds(0)))) {
        body.Set(DeviceInfo::date, clock->date);
        body.Set(DeviceInfo::time, clock->time);
    }
}
