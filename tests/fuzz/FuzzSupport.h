#pragma once
// Shared checks of the fuzz targets.
#include <cstdint>
#include <vector>

// Reads every byte, so that uninitialised or freed memory shows under the sanitizers.
inline void TouchEveryByte(const std::vector<std::uint8_t>& bytes) {
    unsigned sum = 0;
    for (std::uint8_t byte : bytes)
        sum += byte;
    volatile unsigned sink = sum;
    (void)sink;
}
