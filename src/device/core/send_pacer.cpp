#include "device/core/send_pacer.h"

#include <algorithm>

namespace {

using std::chrono::duration_cast;
using std::chrono::nanoseconds;
constexpr std::chrono::seconds kWindow{1};
// The most credit a late tick may take at once: a twentieth of a second's worth.
constexpr int64_t kBurstDivisor = 20;

} // namespace

SendPacer::SendPacer(int perSecond, int unit)
    : perSecond_(std::max(perSecond, 1)),
      burst_(std::max<int64_t>(perSecond_ / kBurstDivisor, std::max(unit, 1)))
{
}

void SendPacer::Start(Clock::time_point now)
{
    start_ = now;
    sinceStart_ = 0;
    lastSecond_.clear();
    inLastSecond_ = 0;
}

void SendPacer::ForgetBefore(Clock::time_point now)
{
    while (!lastSecond_.empty() && now - lastSecond_.front().first >= kWindow) {
        inLastSecond_ -= lastSecond_.front().second;
        lastSecond_.pop_front();
    }
}

int64_t SendPacer::Allowance(Clock::time_point now)
{
    ForgetBefore(now);
    const int64_t elapsedNs = duration_cast<nanoseconds>(now - start_).count();
    int64_t credit = elapsedNs / 1000 * perSecond_ / 1000000 - sinceStart_;
    if (credit > burst_) {
        // Behind schedule: the pace restarts from here instead of catching up.
        start_ = now - nanoseconds(burst_ * 1000000000 / perSecond_);
        sinceStart_ = 0;
        credit = burst_;
    }
    return std::max<int64_t>(0, std::min(credit, perSecond_ - inLastSecond_));
}

void SendPacer::Sent(Clock::time_point now, int64_t count)
{
    if (count <= 0)
        return;
    sinceStart_ += count;
    lastSecond_.emplace_back(now, count);
    inLastSecond_ += count;
}
