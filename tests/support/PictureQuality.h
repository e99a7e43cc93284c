#pragma once
// Pictures for the picture tests: reading ImageMagick's binary PPM output, and how close two
// pictures of one size are.
#include "pictures/PixelCompose.h"

#include <cmath>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

// A binary PPM (P6, 8 bits a channel) as 32-bit pixels; false for anything else.
inline bool ReadPpm(const std::string& path, Pixels32& picture) {
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    int width = 0, height = 0, maximum = 0;
    in >> magic >> width >> height >> maximum;
    in.get();
    if (magic != "P6" || maximum != 255 || width <= 0 || height <= 0) return false;
    std::vector<unsigned char> bytes(std::size_t(width) * std::size_t(height) * 3);
    in.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!in) return false;
    picture = Pixels32(width, height);
    for (std::size_t i = 0; i < picture.data.size(); ++i)
        picture.data[i] =
            std::uint32_t(bytes[3 * i + 2]) | std::uint32_t(bytes[3 * i + 1]) << 8 | std::uint32_t(bytes[3 * i]) << 16;
    return true;
}

// The peak signal-to-noise ratio over red, green and blue, in dB (99 for equal pictures).
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
