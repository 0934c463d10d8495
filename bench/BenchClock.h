// The performance counter in seconds, for the benchmarks' timings.
#pragma once

#include <windows.h>

inline double NowSeconds() {
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}
