#include "platform/core/clock.h"

#include "platform/core/local_time.h"

namespace {
const Clock* overrideClock = nullptr;
} // namespace

LocalDateTime SystemClock::Now() const
{
    std::time_t now = std::time(nullptr);
    const std::tm local = LocalTime(now);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec};
}

const Clock& CurrentClock()
{
    static const SystemClock system;
    return overrideClock ? *overrideClock : system;
}

LocalDateTime Now()
{
    return CurrentClock().Now();
}

ScopedClock::ScopedClock(const Clock& clock) : previous_(overrideClock)
{
    overrideClock = &clock;
}

ScopedClock::~ScopedClock()
{
    overrideClock = previous_;
}
