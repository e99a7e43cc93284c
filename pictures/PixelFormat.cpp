#include "pictures/PixelFormat.h"

std::string PixelFormatName(int ordinal) {
    static const char* const kNames[] = {"Device", "1", "4", "8", "15", "16", "24", "32", "Custom"};
    return ordinal >= 0 && ordinal <= 8 ? kNames[ordinal] : "";
}

ScreenCheck CheckScreenPicture(int width, int height, PixelFormat format) {
    if (width != kScreenWidth || height != kScreenHeight) return ScreenCheck::WrongSize;
    return format == PixelFormat::Bits8 ? ScreenCheck::Fits : ScreenCheck::WrongDepth;
}
