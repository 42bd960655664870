#include "device/core/send_pacer.h"

#include <gtest/gtest.h>
#include <vector>

// Ten-millisecond ticks for three seconds, sending three datagrams at a time while allowed: the
// pace holds at any rate, a slow one included, and no second carries more than the rate.
TEST(SendPacer, KeepsItsRateInEverySecond)
{
    for (const int rate : {3, 50, 600, 5000}) {
        SendPacer pacer(rate, 3);
        const SendPacer::Clock::time_point start{};
        pacer.Start(start);
        std::vector<int64_t> perTick;
        for (int tick = 0; tick < 300; ++tick) {
            const auto now = start + std::chrono::milliseconds(10 * tick);
            const int64_t allowed = pacer.Allowance(now) / 3 * 3;
            pacer.Sent(now, allowed);
            perTick.push_back(allowed);
        }
        int64_t total = 0;
        for (size_t tick = 0; tick < perTick.size(); ++tick) {
            total += perTick[tick];
            int64_t inSecond = 0;
            for (size_t t = tick; t < perTick.size() && t < tick + 100; ++t)
                inSecond += perTick[t];
            EXPECT_LE(inSecond, rate) << rate;
        }
        EXPECT_GE(total, rate * 27 / 10 - 3) << rate; // whole addresses under the cap: a little below
    }
}
