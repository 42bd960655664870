#include "platform/core/clock.h"

#include <ctime>

namespace {
const Clock* overrideClock = nullptr;
} // namespace

LocalDateTime SystemClock::Now() const
{
    std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
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
