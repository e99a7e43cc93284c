#pragma once
// Pixel formats of bitmaps: the nine classes the program names, classified from a bitmap's header.
#include <string>

// In this order: ordinals 0 to 8.
enum class PixelFormat { Device, Bits1, Bits4, Bits8, Bits15, Bits16, Bits24, Bits32, Custom };

// "Device", "1", "4", "8", "15", "16", "24", "32", "Custom"; an ordinal above 8 gives "".
std::string PixelFormatName(int ordinal);
inline std::string PixelFormatName(PixelFormat format) {
    return PixelFormatName(int(format));
}

// The pixel format of a device-independent bitmap from its depth and colour masks: 16 bits
// without masks is "15", with a green mask of 07E0 "16"; 32 bits without masks "32"; 16 or 32
// bits with any other masks, and any unknown depth, "Custom".
PixelFormat ClassifyBits(int bitsPerPixel, bool hasMasks, unsigned greenMask);
