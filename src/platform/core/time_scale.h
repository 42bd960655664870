#pragma once
// Every timer period and timeout goes through one factor. The product always runs at 1;
// tests (and the command line's --seconds) shrink it so a 20-second search takes milliseconds.
#include <cstdint>

class TimeScale
{
public:
    static double Factor() { return factor_; }
    static void SetFactor(double factor);
    // Scaled period in milliseconds, never below 1 ms for a positive period.
    static int64_t Scaled(int64_t milliseconds);

private:
    static inline double factor_ = 1.0;
};
