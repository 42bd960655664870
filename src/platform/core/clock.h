#pragma once
// The local date and time as pages show it ("now"), from a clock that tests replace with a
// fixed one so that what a page shows does not depend on when the test runs.
struct LocalDateTime
{
    int year = 0;
    int month = 0; // 1 to 12
    int day = 0;   // 1 to 31
    int hour = 0;  // 0 to 23
    int minute = 0;
    int second = 0;

    bool operator==(const LocalDateTime&) const = default;
};

class Clock
{
public:
    virtual ~Clock() = default;
    virtual LocalDateTime Now() const = 0;
};

// The system's local time.
class SystemClock : public Clock
{
public:
    LocalDateTime Now() const override;
};

// Always the same moment.
class FixedClock : public Clock
{
public:
    explicit FixedClock(const LocalDateTime& now) : now_(now) {}
    LocalDateTime Now() const override { return now_; }
    void Set(const LocalDateTime& now) { now_ = now; }

private:
    LocalDateTime now_;
};

// The clock in use: the system clock unless a ScopedClock replaced it.
const Clock& CurrentClock();
LocalDateTime Now();

class ScopedClock
{
public:
    explicit ScopedClock(const Clock& clock);
    ~ScopedClock();
    ScopedClock(const ScopedClock&) = delete;
    ScopedClock& operator=(const ScopedClock&) = delete;

private:
    const Clock* previous_;
};
