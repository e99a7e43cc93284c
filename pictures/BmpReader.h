#pragma once
// The program's own reader of Windows bitmap files (.bmp): every start-up, waiting and shut-down
// screen is read with it. Portable: the headers are read byte by byte, little-endian, so it builds
// and is tested natively as well as for Windows.
#include "platform/DecodedPicture.h"
#include "platform/PixelFormat.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

enum class BmpStatus { Ok, Malformed };

// Compression values of the bitmap information header.
constexpr std::uint32_t kBmpRgb = 0;
constexpr std::uint32_t kBmpRle8 = 1;
constexpr std::uint32_t kBmpRle4 = 2;
constexpr std::uint32_t kBmpBitfields = 3;
constexpr std::uint32_t kBmpJpeg = 4;
constexpr std::uint32_t kBmpPng = 5;
constexpr std::uint32_t kBmpAlphaBitfields = 6;

// What the file and information headers of a bitmap declare.
struct BmpHeader {
    // 12 (OS/2 core header), 40, 52, 56, 64 (OS/2 version 2), 108 or 124; 0 when the bitmap has
    // no device-independent header at all.
    std::uint32_t headerSize = 0;
    int width = 0;
    int height = 0; // as stored: negative for rows stored top-down
    int bitCount = 0;
    std::uint32_t compression = kBmpRgb;
    // Red, green, blue and alpha masks given by the file (after a 40-byte header with
    // BI_BITFIELDS or BI_ALPHABITFIELDS, or inside a larger header); all 0 when there are none.
    std::array<std::uint32_t, 4> masks{};
    std::uint32_t colorsUsed = 0;  // colour table entries the header declares (0: the default)
    std::uint32_t imageSize = 0;   // biSizeImage
    std::uint32_t pixelOffset = 0; // bfOffBits: where the pixel data starts in the file
};

// Reads and checks the headers of a bitmap file (no pixels). Malformed for a file that is not a
// bitmap this reader decodes.
BmpStatus ReadBmpHeader(const std::uint8_t* data, std::size_t size, BmpHeader& header);

// The pixel format of a bitmap with this header: 1, 4, 8 bits; 15 for 16 bits without masks;
// 16 for 16 bits with BI_BITFIELDS and the green mask 0x07E0; 24; 32 for 32 bits without masks;
// Custom for every other bit count, mask or compression; Device without a header.
PixelFormat ClassifyPixelFormat(const BmpHeader& header);

// Decodes a whole bitmap file held in memory into the layout of a bottom-up DIB of the file's own
// depth (2 bits per pixel become 4). An empty input gives Ok with the empty 0 x 0 picture. On
// Malformed, out is left as it was.
BmpStatus ReadBmp(const std::uint8_t* data, std::size_t size, DecodedPicture& out);

// The largest picture the reader accepts.
constexpr int kBmpMaxSide = 32768;
constexpr std::uint64_t kBmpMaxPixels = std::uint64_t(128) << 20;

// Every pixel of a decoded picture as 0xAARRGGBB, top row first. Alpha is always 0xFF (a DIB
// section shows no transparency); indexes beyond the colour table give black; a channel of n mask
// bits is scaled to 0..255 with rounding.
std::vector<std::uint32_t> ToRgba(const DecodedPicture& picture);
