#pragma once
// A picture decoded from a file, laid out as a bottom-up Windows DIB of its own depth, so that it
// becomes a DIB section without conversion.
#include "platform/PixelFormat.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

struct DecodedPicture {
    int width = 0;
    int height = 0;       // rows, always positive; pixels are stored bottom-up
    int bitsPerPixel = 0; // 1, 4, 8, 16, 24 or 32; 0 for the empty 0 x 0 picture
    PixelFormat format = PixelFormat::Device;
    // Colour table for 1, 4 and 8 bits per pixel: 0x00RRGGBB, as an RGBQUAD reads in memory.
    std::vector<std::uint32_t> palette;
    // Red, green and blue masks of a 16- or 32-bit picture stored with BI_BITFIELDS.
    bool hasMasks = false;
    std::array<std::uint32_t, 3> masks{};
    // Rows bottom-up, each padded to a multiple of 4 bytes.
    std::vector<std::uint8_t> pixels;

    std::size_t Stride() const { return ((std::size_t(width) * std::size_t(bitsPerPixel) + 31) / 32) * 4; }
    bool Empty() const { return width == 0 || height == 0; }
};
