#include "nviewlib/WallpaperRead.h"

#include "nviewlib/Orientation.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

namespace {
// The rows as the scaler asks for them, each laid over the background where it has opacity. A
// failure gives blank rows to the end, and is told by `failed`.
class RowsToScale : public RowSource {
public:
    RowsToScale(PictureRows& rows, PixelSize size, std::uint32_t background)
        : rows_(rows), background_(background), blank_(std::size_t(size.width)) {
        width = size.width;
        height = size.height;
    }
    const std::uint32_t* Row(int y) override {
        while (next_ <= y && !failed) {
            std::uint32_t* row = rows_.NextRow();
            failed = row == nullptr;
            if (!failed && rows_.opacity) LayOverColour(row, std::size_t(width), background_);
            last_ = row;
            ++next_;
        }
        return failed ? blank_.data() : last_;
    }
    bool failed = false;

private:
    PictureRows& rows_;
    std::uint32_t background_;
    std::vector<std::uint32_t> blank_;
    const std::uint32_t* last_ = nullptr;
    int next_ = 0;
};

Pixels32 Upright(Pixels32 stored, int orientation) {
    if (orientation == 1) return stored;
    const PixelSize size = Turned({stored.width, stored.height}, orientation);
    Pixels32 upright(size.width, size.height);
    OrientPixels(reinterpret_cast<const std::uint8_t*>(stored.data.data()), stored.width, stored.height, orientation,
                 upright.View());
    return upright;
}

// The picture scaled to the window's size, of which the saved part is kept.
Pixels32 ScaledWallpaper(PictureRows& rows, const ScaledWindow& window, PixelSize saved, std::uint32_t background) {
    const PixelSize target = Turned(saved, rows.orientation); // as stored
    const ScaledWindow stored = StoredWindow(window, saved, rows.orientation);
    // A window beyond what a side can hold is larger than any picture: no reduction then.
    auto side = [](long long length) { return int(std::min<long long>(length, 0x7FFFFFFF)); };
    RowsToScale source(rows, rows.Reduce({side(stored.width), side(stored.height)}), background);
    Pixels32 scaled(target.width, target.height);
    ScaleByArea(source, scaled.View(), stored);
    if (source.failed || !rows.Finish()) return {};
    return Upright(std::move(scaled), rows.orientation);
}

// The shown part at its own scale, upright.
Pixels32 ShownPixels(PictureRows& rows, const LayoutRect& shown, std::uint32_t background) {
    const LayoutRect part = StoredRect(shown, rows.orientation, rows.stored);
    const int from = part.left - rows.KeepColumns(part.left, part.width);
    if (!rows.SkipRows(part.top)) return {};
    Pixels32 stored(part.width, part.height);
    const std::size_t rowBytes = std::size_t(part.width) * sizeof(std::uint32_t);
    for (int y = 0; y < part.height; ++y) {
        const std::uint32_t* row = rows.NextRow();
        if (!row) return {};
        std::memcpy(stored.View().Row(y), row + from, rowBytes);
    }
    if (!rows.Finish()) return {};
    if (rows.opacity) LayOverColour(stored.View(), background);
    return Upright(std::move(stored), rows.orientation);
}
} // namespace

PixelSize CoveringSize(PixelSize picture, PixelSize cover) {
    if (picture.Empty() || cover.Empty()) return picture;
    // The side whose ratio to the picture's is the larger decides; the other is rounded up.
    const long long w = picture.width, h = picture.height;
    PixelSize size = cover;
    if (cover.width * h >= cover.height * w)
        size.height = int((cover.width * h + w - 1) / w);
    else
        size.width = int((cover.height * w + h - 1) / h);
    return size.width < picture.width && size.height < picture.height ? size : picture;
}

Pixels32 ReadCoveringRows(PictureRows& rows, PixelSize cover, std::uint32_t background) {
    const PixelSize upright = Turned(rows.stored, rows.orientation);
    const PixelSize size = CoveringSize(upright, cover);
    Pixels32 picture = ScaledWallpaper(rows, {size.width, size.height, 0, 0}, size, background);
    for (std::uint32_t& pixel : picture.data)
        pixel |= 0xFF000000u;
    return picture;
}

Pixels32 ReadWallpaperRows(PictureRows& rows, WallpaperStyle style, PixelSize screen, std::uint32_t background) {
    const PixelSize upright = Turned(rows.stored, rows.orientation);
    const PixelSize saved = SavedBitmapSize(style, upright, screen);
    if (saved.Empty()) return {};
    if (ScalesPicture(style)) return ScaledWallpaper(rows, ScaledWindowOf(style, upright, screen), saved, background);
    const Pixels32 shown = ShownPixels(rows, ShownPart(style, upright, screen), background);
    if (shown.data.empty()) return {};
    return ComposeWallpaper(shown.View(), style, screen);
}
