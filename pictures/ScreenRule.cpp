#include "pictures/ScreenRule.h"

#include "pictures/BmpReader.h"

ScreenCheck CheckScreenPicture(int width, int height, PixelFormat format) {
    if (!HasScreenSize(width, height)) return ScreenCheck::WrongSize;
    return HasScreenDepth(format) ? ScreenCheck::Fits : ScreenCheck::WrongDepth;
}

bool IsWindowsBitmap(const std::uint8_t* data, std::size_t size) {
    BmpHeader header;
    return ReadBmpHeader(data, size, header) == BmpStatus::Ok;
}
