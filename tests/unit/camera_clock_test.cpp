#include "device/core/camera_clock.h"

#include <gtest/gtest.h>

using namespace std::chrono;

// Carried over midnight, a month's end, a leap day and a year's end; a clock that is no clock
// is not carried.
TEST(CameraClock, AdvancesAcrossDaysMonthsAndYears)
{
    struct Case
    {
        ClockTexts from;
        int64_t seconds;
        std::optional<ClockTexts> to;
    };
    const Case cases[] = {
        {{"01/01/2026", "09:34:11"}, 95, ClockTexts{"01/01/2026", "09:35:46"}},
        {{"02/28/2024", "23:59:59"}, 2, ClockTexts{"02/29/2024", "00:00:01"}},
        {{"02/28/2023", "23:59:59"}, 1, ClockTexts{"03/01/2023", "00:00:00"}},
        {{"12/31/2026", "23:59:58"}, 3, ClockTexts{"01/01/2027", "00:00:01"}},
        {{"02/30/2026", "10:00:00"}, 1, std::nullopt},
        {{"01/01/2026", "24:00:00"}, 1, std::nullopt},
        {{"", ""}, 1, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.from.date + " " + c.from.time);
        EXPECT_EQ(AdvanceClock(c.from, seconds(c.seconds)), c.to);
    }
}

// The clock is carried while the body holds it as found, or to the minute without seconds (as
// the basic page writes it back); a date or time set to another value is written as set.
TEST(CameraClock, CarriesOnlyAClockLeftAlone)
{
    struct Case
    {
        const char* date;
        const char* time;
        bool carried;
    };
    const Case cases[] = {
        {"01/31/2026", "09:34:11", true},
        {"01/31/2026", "09:34:00", true},
        {"01/31/2026", "09:35:00", false},
        {"02/01/2026", "09:34:11", false},
    };
    const auto reply = steady_clock::time_point() + hours(1);
    const FoundClock found{{"01/31/2026", "09:34:11"}, reply};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.date) + " " + c.time);
        DeviceInfo body;
        body.Set(DeviceInfo::date, c.date);
        body.Set(DeviceInfo::time, c.time);
        const auto clock = UntouchedClock(found, body);
        ASSERT_EQ(clock.has_value(), c.carried);
        if (clock)
            CarryClockForward(*clock, reply + milliseconds(185'400), body);
        EXPECT_EQ(body.Get(DeviceInfo::time), c.carried ? "09:37:16" : c.time);
    }
}
