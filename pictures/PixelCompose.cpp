#include "pictures/PixelCompose.h"

#include <algorithm>
#include <cstring>

void ComposeTiles(ConstPixelView picture, PixelView target, bool mirror) {
    const int w = picture.width, h = picture.height;
    if (w <= 0 || h <= 0 || target.width <= 0 || target.height <= 0) return;
    // The first band of tiles row by row; every row below it is a copy of one of the band's rows.
    const int band = std::min(h, target.height);
    std::vector<std::uint32_t> turned(mirror ? std::size_t(w) : 0);
    for (int y = 0; y < band; ++y) {
        const std::uint32_t* source = picture.Row(y);
        if (mirror) std::reverse_copy(source, source + w, turned.begin());
        std::uint32_t* out = target.Row(y);
        for (int x = 0, column = 0; x < target.width; x += w, ++column) {
            const std::uint32_t* from = mirror && column % 2 == 1 ? turned.data() : source;
            std::memcpy(out + x, from, std::size_t(std::min(w, target.width - x)) * sizeof(std::uint32_t));
        }
    }
    const std::size_t rowBytes = std::size_t(target.width) * sizeof(std::uint32_t);
    for (int y = band; y < target.height; ++y) {
        const int row = y / h, inTile = y % h;
        std::memcpy(target.Row(y), target.Row(mirror && row % 2 == 1 ? h - 1 - inTile : inTile), rowBytes);
    }
}

namespace {
constexpr int kWeightBits = 14;
constexpr std::uint32_t kWeightOne = 1u << kWeightBits;

// The source pixels each target pixel covers along one axis, with weights summing to kWeightOne.
struct AreaTaps {
    std::vector<int> first; // first source pixel of each target pixel
    std::vector<int> begin; // index of its first weight in `weights`
    std::vector<std::uint32_t> weights;
};

// A source pixel is `target` units long and a target pixel `source` units, so both meet exactly.
// Only the target pixels from `first` on, `count` of them, get taps: a window of a larger target.
AreaTaps MakeTaps(int source, long long target, long long first, int count) {
    AreaTaps taps;
    taps.first.resize(std::size_t(count));
    taps.begin.resize(std::size_t(count) + 1);
    for (int i = 0; i < count; ++i) {
        const long long from = (first + i) * source, to = from + source;
        const int s0 = int(from / target), s1 = int((to - 1) / target);
        taps.first[std::size_t(i)] = s0;
        taps.begin[std::size_t(i)] = int(taps.weights.size());
        std::uint32_t sum = 0;
        for (int s = s0; s <= s1; ++s) {
            long long overlap = std::min(to, (s + 1) * target) - std::max(from, s * target);
            auto weight = std::uint32_t((overlap * kWeightOne + source / 2) / source);
            taps.weights.push_back(weight);
            sum += weight;
        }
        auto mine = taps.weights.begin() + taps.begin[std::size_t(i)];
        auto largest = std::max_element(mine, taps.weights.end());
        *largest += kWeightOne - sum; // the rounding goes to the heaviest weight
    }
    taps.begin[std::size_t(count)] = int(taps.weights.size());
    return taps;
}
} // namespace

namespace {
class ViewRows : public RowSource {
public:
    explicit ViewRows(ConstPixelView view) : view_(view) {
        width = view.width;
        height = view.height;
    }
    const std::uint32_t* Row(int y) override { return view_.Row(y); }

private:
    ConstPixelView view_;
};
} // namespace

void ScaleByArea(ConstPixelView source, PixelView target) {
    ViewRows rows(source);
    ScaleByArea(rows, target);
}

void ScaleByArea(RowSource& source, PixelView target) {
    ScaleByArea(source, target, {target.width, target.height, 0, 0});
}

void ScaleByArea(RowSource& source, PixelView target, const ScaledWindow& window) {
    if (source.width <= 0 || source.height <= 0 || target.width <= 0 || target.height <= 0) return;
    if (source.width == window.width && source.height == window.height) {
        for (int y = 0; y < target.height; ++y)
            std::memcpy(target.Row(y), source.Row(int(window.top) + y) + window.left,
                        std::size_t(target.width) * sizeof(std::uint32_t));
        return;
    }
    const AreaTaps across = MakeTaps(source.width, window.width, window.left, target.width),
                   down = MakeTaps(source.height, window.height, window.top, target.height);
    const std::size_t sw = std::size_t(source.width);
    // Each target row: the covered source rows summed by weight (vertically first, so only one
    // row of sums is kept), then each target pixel from the sums it covers.
    std::vector<std::uint32_t> sums(sw * 3);
    std::vector<std::uint16_t> column(sw * 3);
    for (int y = 0; y < target.height; ++y) {
        std::fill(sums.begin(), sums.end(), 0u);
        const int s0 = down.first[std::size_t(y)];
        for (int k = down.begin[std::size_t(y)]; k < down.begin[std::size_t(y) + 1]; ++k) {
            const std::uint32_t weight = down.weights[std::size_t(k)];
            const std::uint32_t* row = source.Row(s0 + (k - down.begin[std::size_t(y)]));
            std::uint32_t* sum = sums.data();
            for (std::size_t x = 0; x < sw; ++x, sum += 3) {
                const std::uint32_t pixel = row[x];
                sum[0] += weight * (pixel & 0xFF);
                sum[1] += weight * ((pixel >> 8) & 0xFF);
                sum[2] += weight * ((pixel >> 16) & 0xFF);
            }
        }
        // 8 bits of the fraction are kept: at most 255 * 256, so the horizontal sums fit 32 bits.
        for (std::size_t i = 0; i < sums.size(); ++i)
            column[i] = std::uint16_t((sums[i] + (1u << 5)) >> 6);
        std::uint32_t* out = target.Row(y);
        for (int x = 0; x < target.width; ++x) {
            std::uint32_t b = 0, g = 0, r = 0;
            const std::uint16_t* from = column.data() + std::size_t(across.first[std::size_t(x)]) * 3;
            for (int k = across.begin[std::size_t(x)]; k < across.begin[std::size_t(x) + 1]; ++k, from += 3) {
                const std::uint32_t weight = across.weights[std::size_t(k)];
                b += weight * from[0];
                g += weight * from[1];
                r += weight * from[2];
            }
            constexpr int kShift = kWeightBits + 8;
            constexpr std::uint32_t kHalf = 1u << (kShift - 1);
            out[x] = ((b + kHalf) >> kShift) | (((g + kHalf) >> kShift) << 8) | (((r + kHalf) >> kShift) << 16);
        }
    }
}

Pixels32 DrawScaled(ConstPixelView source, PixelSize size) {
    if (size.Empty()) return {};
    Pixels32 result(size.width, size.height);
    ScaleByArea(source, result.View());
    return result;
}

ConstPixelView SubView(ConstPixelView picture, const LayoutRect& part) {
    return {picture.Row(part.top) + part.left, part.width, part.height, picture.stride};
}

void LayOverColour(std::uint32_t* pixels, std::size_t count, std::uint32_t colour) {
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint32_t pixel = pixels[i], alpha = pixel >> 24;
        if (alpha == 255) continue;
        std::uint32_t mixed = 0xFF000000u;
        for (int shift = 0; shift < 24; shift += 8) {
            const std::uint32_t front = (pixel >> shift) & 0xFF, back = (colour >> shift) & 0xFF;
            mixed |= ((front * alpha + back * (255 - alpha) + 127) / 255) << shift;
        }
        pixels[i] = mixed;
    }
}

void LayOverColour(PixelView picture, std::uint32_t colour) {
    for (int y = 0; y < picture.height; ++y)
        LayOverColour(picture.Row(y), std::size_t(picture.width), colour);
}

Pixels32 ComposeWallpaper(ConstPixelView picture, WallpaperStyle style, PixelSize screen) {
    const PixelSize size = SavedBitmapSize(style, picture.Size(), screen);
    if (size.Empty()) return {};
    const ConstPixelView shown = SubView(picture, ShownPart(style, picture.Size(), screen));
    Pixels32 composed(size.width, size.height);
    if (style == WallpaperStyle::Tiled || style == WallpaperStyle::Mirror) {
        ComposeTiles(shown, composed.View(), style == WallpaperStyle::Mirror);
    } else {
        ViewRows rows(shown);
        ScaleByArea(rows, composed.View(), ScaledWindowOf(style, picture.Size(), screen));
    }
    return composed;
}

void PutLittleEndian(std::string& file, std::size_t at, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        file[at + std::size_t(i)] = char((value >> (8 * i)) & 0xFF);
}

std::string NewBmpFile(int width, int height, int bitsPerPixel, int colours, std::size_t& offset, std::size_t& stride) {
    const std::size_t w = std::size_t(std::max(width, 0)), h = std::size_t(std::max(height, 0));
    stride = (w * std::size_t(bitsPerPixel) + 31) / 32 * 4;
    offset = 14 + 40 + std::size_t(colours) * 4;
    std::string file(offset + stride * h, '\0');
    file[0] = 'B';
    file[1] = 'M';
    PutLittleEndian(file, 2, std::uint32_t(file.size()), 4);
    PutLittleEndian(file, 10, std::uint32_t(offset), 4);
    PutLittleEndian(file, 14, 40, 4);
    PutLittleEndian(file, 18, std::uint32_t(w), 4);
    PutLittleEndian(file, 22, std::uint32_t(h), 4);
    PutLittleEndian(file, 26, 1, 2);
    PutLittleEndian(file, 28, std::uint32_t(bitsPerPixel), 2);
    PutLittleEndian(file, 34, std::uint32_t(stride * h), 4);
    PutLittleEndian(file, 46, std::uint32_t(colours), 4);
    return file;
}

std::string EncodeBmp24(ConstPixelView picture) {
    const std::size_t width = std::size_t(std::max(picture.width, 0)),
                      height = std::size_t(std::max(picture.height, 0));
    std::size_t offset = 0, stride = 0;
    std::string file = NewBmpFile(picture.width, picture.height, 24, 0, offset, stride);
    for (std::size_t y = 0; y < height; ++y) {
        // Bottom-up: the file's first row is the picture's last.
        const std::uint32_t* row = picture.Row(int(height - 1 - y));
        char* out = &file[offset + y * stride];
        for (std::size_t x = 0; x < width; ++x, out += 3) {
            const std::uint32_t pixel = row[x];
            out[0] = char(pixel & 0xFF);
            out[1] = char((pixel >> 8) & 0xFF);
            out[2] = char((pixel >> 16) & 0xFF);
        }
    }
    return file;
}
