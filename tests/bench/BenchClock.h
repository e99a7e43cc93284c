#pragma once
// The clock of the Win32 benchmarks: milliseconds from the performance counter.
#include <windows.h>

inline double NowMs() {
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return double(counter.QuadPart) * 1000.0 / double(frequency.QuadPart);
}
