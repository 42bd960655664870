#include "platform/core/clock.h"

#include <gtest/gtest.h>

TEST(Clock, ScopedClocksReplaceTheSystemClockAndNest)
{
    const LocalDateTime first{2007, 1, 31, 8, 15, 0};
    const LocalDateTime second{2024, 2, 29, 23, 59, 59};
    FixedClock outer(first);
    {
        ScopedClock useOuter(outer);
        EXPECT_EQ(Now(), first);
        FixedClock inner(second);
        {
            ScopedClock useInner(inner);
            EXPECT_EQ(Now(), second);
        }
        EXPECT_EQ(Now(), first);
    }
    LocalDateTime system = Now();
    EXPECT_GE(system.year, 2024);
    EXPECT_TRUE(system.month >= 1 && system.month <= 12);
    EXPECT_TRUE(system.day >= 1 && system.day <= 31);
    EXPECT_TRUE(system.hour >= 0 && system.hour <= 23);
}
