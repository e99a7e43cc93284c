#include "platform/PixelFormat.h"

std::string PixelFormatName(int ordinal) {
    static const char* const kNames[] = {"Device", "1", "4", "8", "15", "16", "24", "32", "Custom"};
    return ordinal >= 0 && ordinal <= 8 ? kNames[ordinal] : "";
}

PixelFormat ClassifyBits(int bitsPerPixel, bool hasMasks, unsigned greenMask) {
    switch (bitsPerPixel) {
    case 1:
        return PixelFormat::Bits1;
    case 4:
        return PixelFormat::Bits4;
    case 8:
        return PixelFormat::Bits8;
    case 16:
        if (!hasMasks) return PixelFormat::Bits15;
        return greenMask == 0x07E0 ? PixelFormat::Bits16 : PixelFormat::Custom;
    case 24:
        return PixelFormat::Bits24;
    case 32:
        return hasMasks ? PixelFormat::Custom : PixelFormat::Bits32;
    default:
        return PixelFormat::Custom;
    }
}
