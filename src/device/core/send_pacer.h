#pragma once
// SendPacer: how many datagrams may leave now so that a sweep keeps a steady rate and never
// sends more than its rate in any one second. Credit for time the sender fell behind is capped
// at a short burst, so a stalled event loop does not flood the network when it catches up.
#include <chrono>
#include <cstdint>
#include <deque>

class SendPacer
{
public:
    using Clock = std::chrono::steady_clock;

    // `unit`: the datagrams that leave together (one address's queries); the pace never holds
    // back fewer than that, or a slow rate would never send at all.
    explicit SendPacer(int perSecond = 1, int unit = 1);

    void Start(Clock::time_point now);
    // Datagrams that may be sent at `now`.
    int64_t Allowance(Clock::time_point now);
    // `count` datagrams went out at `now`.
    void Sent(Clock::time_point now, int64_t count);
    int PerSecond() const { return perSecond_; }

private:
    void ForgetBefore(Clock::time_point now);

    int perSecond_;
    int64_t burst_;
    Clock::time_point start_{};
    int64_t sinceStart_ = 0;
    std::deque<std::pair<Clock::time_point, int64_t>> lastSecond_;
    int64_t inLastSecond_ = 0;
};
