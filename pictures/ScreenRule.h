#pragma once
// The rule a start-up, waiting or shut-down screen must meet: exactly 320 x 400 pixels with 8 bits
// per pixel. The size is tested first, the width before the height.
#include "platform/PixelFormat.h"

constexpr int kScreenWidth = 320;
constexpr int kScreenHeight = 400;

enum class ScreenCheck { Fits, WrongSize, WrongDepth };
ScreenCheck CheckScreenPicture(int width, int height, PixelFormat format);

inline bool HasScreenSize(int width, int height) {
    return width == kScreenWidth && height == kScreenHeight;
}
inline bool HasScreenDepth(PixelFormat format) {
    return format == PixelFormat::Bits8;
}
