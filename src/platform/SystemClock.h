#pragma once
#include "platform/Clock.h"

// The real clock. Today() honours SOURCE_DATE_EPOCH so that written files can
// be reproduced byte for byte.
class CSystemClock : public IClock {
public:
    std::int64_t NowSeconds() override;
    std::int64_t NowMilliseconds() override;
    void SleepMs(int ms) override;
    void Today(int& year, int& month, int& day) override;
};
