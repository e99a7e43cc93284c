#pragma once
// The rule a start-up, waiting or shut-down screen must meet: exactly 320 x 400 pixels with 8 bits
// per pixel. The size is tested first, the width before the height.
#include "platform/PixelFormat.h"

#include <cstddef>
#include <cstdint>

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

// Whether a file's bytes hold a Windows bitmap, the only kind of picture the system shows as a
// start-up, waiting or shut-down screen: its content decides, whatever its name says.
bool IsWindowsBitmap(const std::uint8_t* data, std::size_t size);
