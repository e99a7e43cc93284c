#include "pictures/ScreenRule.h"

ScreenCheck CheckScreenPicture(int width, int height, PixelFormat format) {
    if (!HasScreenSize(width, height)) return ScreenCheck::WrongSize;
    return HasScreenDepth(format) ? ScreenCheck::Fits : ScreenCheck::WrongDepth;
}
