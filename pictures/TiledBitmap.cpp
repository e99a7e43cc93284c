#include "pictures/TiledBitmap.h"

#include "pictures/PixelCompose.h"

#include <algorithm>
#include <cstdint>

namespace {
void PutPixel(char* out, std::uint32_t pixel) {
    out[0] = char(pixel & 0xFF);
    out[1] = char((pixel >> 8) & 0xFF);
    out[2] = char((pixel >> 16) & 0xFF);
}
} // namespace

ScreenPicture PlacedOnScreen(ConstPixelView composed, PixelSize screen, std::uint32_t background) {
    const LayoutRect at = CentreIn(composed.Size(), screen);
    return {composed, screen, at.left, at.top, background};
}

TiledBitmap::TiledBitmap(PixelSize size, std::uint32_t background) : size_(size) {
    file_ = NewBmpFile(size.width, size.height, 24, 0, offset_, stride_);
    for (int y = 0; y < size.height; ++y)
        for (int x = 0; x < size.width; ++x)
            PutPixel(Pixel(x, y), background);
}

std::optional<TiledBitmap> TiledBitmap::FromFile(std::string file, PixelSize size) {
    TiledBitmap read;
    read.size_ = size;
    // The header is the one the program writes for the size, up to the resolution fields it leaves 0.
    const std::string header = NewBmpFile(size.width, 0, 24, 0, read.offset_, read.stride_).substr(0, 22);
    const std::size_t length = read.offset_ + read.stride_ * std::size_t(std::max(size.height, 0));
    const auto field = [&file](std::size_t at) {
        std::uint32_t value = 0;
        for (std::size_t i = 4; i-- > 0;)
            value = value << 8 | std::uint8_t(file[at + i]);
        return value;
    };
    if (size.Empty() || file.size() != length || file.compare(10, 12, header, 10, 12) != 0 || file[0] != 'B' ||
        file[1] != 'M' || field(22) != std::uint32_t(size.height) || field(26) != (24u << 16 | 1u) || field(30) != 0)
        return std::nullopt;
    read.file_ = std::move(file);
    return read;
}

char* TiledBitmap::Pixel(int x, int y) {
    return &file_[offset_ + std::size_t(size_.height - 1 - y) * stride_ + std::size_t(x) * 3];
}

void TiledBitmap::Put(const MonitorRect& monitor, const ScreenPicture& shown) {
    const ConstPixelView& picture = shown.picture;
    for (const TilePiece& piece : TiledPieces(monitor, size_))
        for (int y = 0; y < piece.height; ++y) {
            const int screenY = piece.fromTop + y, pictureY = screenY - shown.top;
            const bool rowShown = pictureY >= 0 && pictureY < picture.height;
            char* out = Pixel(piece.toLeft, piece.toTop + y);
            for (int x = 0; x < piece.width; ++x, out += 3) {
                const int pictureX = piece.fromLeft + x - shown.left;
                const bool inside = rowShown && pictureX >= 0 && pictureX < picture.width;
                PutPixel(out, inside ? picture.Row(pictureY)[pictureX] : shown.background);
            }
        }
}

std::string EncodeScreenBmp24(const ScreenPicture& shown) {
    TiledBitmap bitmap(shown.screen, shown.background);
    bitmap.Put({0, 0, shown.screen.width, shown.screen.height, true}, shown);
    return bitmap.TakeFile();
}
