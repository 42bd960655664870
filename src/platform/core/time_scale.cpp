#include "platform/core/time_scale.h"

#include <cmath>

void TimeScale::SetFactor(double factor)
{
    factor_ = (factor > 0.0 && std::isfinite(factor)) ? factor : 1.0;
}

int64_t TimeScale::Scaled(int64_t milliseconds)
{
    if (milliseconds <= 0)
        return 0;
    const double scaled = std::round(static_cast<double>(milliseconds) * factor_);
    return scaled < 1.0 ? 1 : static_cast<int64_t>(scaled);
}
