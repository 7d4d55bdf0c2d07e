#pragma once
#include <cstdint>

// Wall clock and sleep, so tests can run without waiting.
class IClock {
public:
    virtual ~IClock() = default;
    virtual std::int64_t NowSeconds() = 0;   // whole seconds since the epoch
    virtual std::int64_t NowMilliseconds() = 0;
    virtual void SleepMs(int ms) = 0;
    // Local calendar date for file headers: year, month (1-12), day (1-31).
    virtual void Today(int& year, int& month, int& day) = 0;
};
