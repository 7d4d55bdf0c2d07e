#include "platform/SystemClock.h"

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <thread>

std::int64_t CSystemClock::NowSeconds()
{
    using namespace std::chrono;
    return duration_cast<seconds>(system_clock::now().time_since_epoch()).count();
}

std::int64_t CSystemClock::NowMilliseconds()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void CSystemClock::SleepMs(int ms)
{
    if (ms > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

void CSystemClock::Today(int& year, int& month, int& day)
{
    std::time_t t = std::time(nullptr);
    bool utc = false;
    if (const char* epoch = std::getenv("SOURCE_DATE_EPOCH"); epoch && *epoch) {
        char* end = nullptr;
        long long v = std::strtoll(epoch, &end, 10);
        if (end && *end == '\0' && v >= 0) {
            t = static_cast<std::time_t>(v);
            utc = true;   // reproducible builds read the epoch as UTC
        }
    }
    std::tm tm{};
    if (utc)
        gmtime_r(&t, &tm);
    else
        localtime_r(&t, &tm);
    year = tm.tm_year + 1900;
    month = tm.tm_mon + 1;
    day = tm.tm_mday;
}
