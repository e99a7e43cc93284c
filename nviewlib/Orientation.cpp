#include "nviewlib/Orientation.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {
unsigned Read16(const std::uint8_t* p, bool bigEndian) {
    return bigEndian ? (unsigned(p[0]) << 8) | p[1] : (unsigned(p[1]) << 8) | p[0];
}
std::uint32_t Read32(const std::uint8_t* p, bool bigEndian) {
    return bigEndian ? (std::uint32_t(Read16(p, true)) << 16) | Read16(p + 2, true)
                     : (std::uint32_t(Read16(p + 2, false)) << 16) | Read16(p, false);
}

// The stored pixel shown at (x, y) of the upright picture, for a stored picture of w x h.
void StoredPixel(int orientation, int w, int h, int x, int y, int& sx, int& sy) {
    switch (orientation) {
    case 2:
        sx = w - 1 - x, sy = y;
        break;
    case 3:
        sx = w - 1 - x, sy = h - 1 - y;
        break;
    case 4:
        sx = x, sy = h - 1 - y;
        break;
    case 5:
        sx = y, sy = x;
        break;
    case 6:
        sx = y, sy = h - 1 - x;
        break;
    case 7:
        sx = w - 1 - y, sy = h - 1 - x;
        break;
    case 8:
        sx = w - 1 - y, sy = x;
        break;
    default:
        sx = x, sy = y;
        break;
    }
}
} // namespace

int ExifOrientation(const std::uint8_t* app1, std::size_t size) {
    // "Exif" 0 0, then a TIFF header (byte order, 42, offset of the first directory) and that
    // directory's 12-byte entries; orientation is tag 0x0112, a SHORT.
    constexpr std::size_t kTiff = 6;
    if (app1 == nullptr || size < kTiff + 8 || std::memcmp(app1, "Exif\0\0", 6) != 0) return 1;
    const std::uint8_t* tiff = app1 + kTiff;
    const std::size_t length = size - kTiff;
    bool bigEndian;
    if (tiff[0] == 'M' && tiff[1] == 'M')
        bigEndian = true;
    else if (tiff[0] == 'I' && tiff[1] == 'I')
        bigEndian = false;
    else
        return 1;
    if (Read16(tiff + 2, bigEndian) != 42) return 1;
    const std::uint32_t directory = Read32(tiff + 4, bigEndian);
    if (directory > length || length - directory < 2) return 1;
    const unsigned entries = Read16(tiff + directory, bigEndian);
    for (unsigned i = 0; i < entries; ++i) {
        const std::size_t at = std::size_t(directory) + 2 + std::size_t(i) * 12;
        if (at + 12 > length) return 1;
        if (Read16(tiff + at, bigEndian) != 0x0112) continue;
        const unsigned type = Read16(tiff + at + 2, bigEndian);
        const unsigned value = Read16(tiff + at + 8, bigEndian);
        return type == 3 && value >= 1 && value <= 8 ? int(value) : 1;
    }
    return 1;
}

void OrientPixels(const std::uint8_t* source, int width, int height, int orientation, PixelView target) {
    const PixelSize upright = Turned({width, height}, orientation);
    for (int y = 0; y < upright.height; ++y) {
        std::uint32_t* row = target.Row(y);
        for (int x = 0; x < upright.width; ++x) {
            int sx = 0, sy = 0;
            StoredPixel(orientation, width, height, x, y, sx, sy);
            std::memcpy(row + x, source + (std::size_t(sy) * std::size_t(width) + std::size_t(sx)) * 4, 4);
        }
    }
}

void OrientPixels(const std::uint8_t* source, int width, int height, int orientation, std::uint8_t* target) {
    const PixelSize upright = Turned({width, height}, orientation);
    auto* pixels = reinterpret_cast<std::uint32_t*>(target);
    OrientPixels(source, width, height, orientation,
                 PixelView{pixels + std::ptrdiff_t(upright.height - 1) * upright.width, upright.width, upright.height,
                           -std::ptrdiff_t(upright.width)});
}

LayoutRect StoredRect(const LayoutRect& upright, int orientation, PixelSize stored) {
    if (upright.width <= 0 || upright.height <= 0) return {};
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    StoredPixel(orientation, stored.width, stored.height, upright.left, upright.top, x0, y0);
    StoredPixel(orientation, stored.width, stored.height, upright.left + upright.width - 1,
                upright.top + upright.height - 1, x1, y1);
    return {std::min(x0, x1), std::min(y0, y1), std::abs(x1 - x0) + 1, std::abs(y1 - y0) + 1};
}

ScaledWindow StoredWindow(const ScaledWindow& upright, PixelSize shown, int orientation) {
    // Along an axis the turn reverses, the window is counted from the far edge.
    const bool reverseX = orientation == 2 || orientation == 3 || orientation == 6 || orientation == 7;
    const bool reverseY = orientation == 3 || orientation == 4 || orientation == 7 || orientation == 8;
    const long long x = reverseX ? upright.width - upright.left - shown.width : upright.left;
    const long long y = reverseY ? upright.height - upright.top - shown.height : upright.top;
    if (!SwapsSides(orientation)) return {upright.width, upright.height, x, y};
    return {upright.height, upright.width, y, x};
}
