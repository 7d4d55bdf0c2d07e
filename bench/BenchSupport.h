#pragma once
#include <sys/resource.h>

// Peak resident memory of this process so far, in MB.
inline double PeakRssMb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;   // kilobytes on Linux
}
