#pragma once
// How close two pictures of one size are: the peak signal-to-noise ratio over red, green and
// blue, in dB (99 for equal pictures).
#include "pictures/PixelCompose.h"

#include <cmath>
#include <cstdint>

inline double Psnr(ConstPixelView a, ConstPixelView b) {
    double sum = 0;
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x) {
            const std::uint32_t p = a.Row(y)[x], q = b.Row(y)[x];
            for (int shift : {0, 8, 16}) {
                const double d = double((p >> shift) & 0xFF) - double((q >> shift) & 0xFF);
                sum += d * d;
            }
        }
    const double mse = sum / (3.0 * a.width * a.height);
    return mse <= 0 ? 99.0 : 10 * std::log10(255.0 * 255.0 / mse);
}
