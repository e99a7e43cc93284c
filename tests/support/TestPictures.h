#pragma once
// Pictures made by the tests themselves.
#include <cstdint>
#include <string>

// A bottom-up Windows bitmap file of 8 (grey palette) or 24 bits per pixel.
inline std::string BitmapFile(int width, int height, int bits) {
    int stride = ((width * bits + 31) / 32) * 4;
    int colours = bits == 8 ? 256 : 0;
    int offset = 14 + 40 + colours * 4;
    std::string file(std::size_t(offset + stride * height), '\0');
    auto put = [&](std::size_t at, std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            file[at + std::size_t(i)] = char((value >> (8 * i)) & 0xFF);
    };
    file[0] = 'B';
    file[1] = 'M';
    put(2, std::uint32_t(file.size()), 4);
    put(10, std::uint32_t(offset), 4);
    put(14, 40, 4);
    put(18, std::uint32_t(width), 4);
    put(22, std::uint32_t(height), 4);
    put(26, 1, 2);
    put(28, std::uint32_t(bits), 2);
    for (int i = 0; i < colours; ++i)
        put(std::size_t(54 + i * 4), std::uint32_t(i * 0x010101), 4);
    for (std::size_t i = std::size_t(offset); i < file.size(); ++i)
        file[i] = char(i % 251);
    return file;
}
