#include "spf/CostTime.h"

#include "platform/Texts.h"

std::string FormatCostTime(std::int64_t seconds)
{
    if (seconds < 0)
        seconds = 0;
    const std::int64_t hours = seconds / 3600;
    seconds -= hours * 3600;
    const std::int64_t minutes = seconds / 60;
    seconds -= minutes * 60;
    return Tr("SpfCostTime") + std::to_string(hours) + ":" + std::to_string(minutes) + ":" + std::to_string(seconds);
}
