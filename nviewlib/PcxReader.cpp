#include "nviewlib/PcxReader.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

namespace {

constexpr std::size_t kHeaderSize = 128;
constexpr std::size_t kPaletteBytes = 768;
constexpr std::uint8_t kManufacturer = 0x0A;
constexpr std::uint8_t kRleEncoding = 1;
constexpr std::uint8_t kPaletteMarker = 0x0C;
constexpr std::size_t kMaxRun = 0x3F;

// Header fields (little-endian words) and the offsets they sit at.
constexpr std::size_t kVersion = 1, kEncoding = 2, kBitsPerPixel = 3, kXMin = 4, kYMin = 6, kXMax = 8, kYMax = 10,
                      kHeaderPalette = 16, kPlanes = 65, kBytesPerLine = 66;

std::uint32_t Word(const std::uint8_t* p) {
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8);
}

std::uint32_t Rgb(const std::uint8_t* p) {
    return (std::uint32_t(p[0]) << 16) | (std::uint32_t(p[1]) << 8) | std::uint32_t(p[2]);
}

enum class Layout { Mono, Planar16, Indexed, Rgb };

// The 16 colours of a version 3 file, which carries no palette: the standard EGA/VGA colours.
constexpr std::uint32_t kStandard16[16] = {0x000000, 0x0000AA, 0x00AA00, 0x00AAAA, 0xAA0000, 0xAA00AA,
                                           0xAA5500, 0xAAAAAA, 0x555555, 0x5555FF, 0x55FF55, 0x55FFFF,
                                           0xFF5555, 0xFF55FF, 0xFFFF55, 0xFFFFFF};

// Expands the run-length encoded pixel data as one stream, so that a run may go on from one
// plane line into the next.
class RleStream {
public:
    RleStream(const std::uint8_t* begin, const std::uint8_t* end) : pos_(begin), end_(end) {}

    // Fills `count` bytes; false when the data ends first.
    bool Read(std::uint8_t* dest, std::size_t count) {
        while (count > 0) {
            if (runLeft_ == 0) {
                if (pos_ == end_) return false;
                const std::uint8_t byte = *pos_++;
                if ((byte & 0xC0) == 0xC0) {
                    if (pos_ == end_) return false;
                    runLeft_ = byte & kMaxRun; // a run of length 0 repeats nothing
                    runValue_ = *pos_++;
                    continue;
                }
                runLeft_ = 1;
                runValue_ = byte;
            }
            const std::size_t n = std::min(runLeft_, count);
            std::memset(dest, runValue_, n);
            dest += n;
            count -= n;
            runLeft_ -= n;
        }
        return true;
    }

    // The first byte not read yet.
    const std::uint8_t* Position() const { return pos_; }

private:
    const std::uint8_t* pos_;
    const std::uint8_t* end_;
    std::size_t runLeft_ = 0;
    std::uint8_t runValue_ = 0;
};

} // namespace

bool ReadPcx(const std::uint8_t* data, std::size_t size, DecodedPicture& out) {
    if (data == nullptr || size < kHeaderSize) return false;
    const std::uint8_t* header = data;
    const std::uint8_t version = header[kVersion];
    if (header[0] != kManufacturer || header[kEncoding] != kRleEncoding) return false;
    if (version != 0 && version != 2 && version != 3 && version != 4 && version != 5) return false;

    const unsigned bitsPerPixel = header[kBitsPerPixel];
    const unsigned planes = header[kPlanes];
    Layout layout;
    if (bitsPerPixel == 1 && planes == 1)
        layout = Layout::Mono;
    else if (bitsPerPixel == 1 && planes == 4)
        layout = Layout::Planar16;
    else if (bitsPerPixel == 8 && planes == 1)
        layout = Layout::Indexed;
    else if (bitsPerPixel == 8 && planes == 3)
        layout = Layout::Rgb;
    else
        return false;

    const std::uint32_t xMin = Word(header + kXMin), yMin = Word(header + kYMin);
    const std::uint32_t xMax = Word(header + kXMax), yMax = Word(header + kYMax);
    if (xMax < xMin || yMax < yMin) return false;
    const std::uint32_t width = xMax - xMin + 1, height = yMax - yMin + 1;
    if (width > kPcxMaxSide || height > kPcxMaxSide || std::uint64_t(width) * height > kPcxMaxPixels) return false;

    // Each plane line holds BytesPerLine bytes, of which the picture uses the first `used`.
    const std::size_t bytesPerLine = Word(header + kBytesPerLine);
    const bool bitPlanes = layout == Layout::Mono || layout == Layout::Planar16;
    const std::size_t used = bitPlanes ? (std::size_t(width) + 7) / 8 : std::size_t(width);
    if (bytesPerLine < used) return false;
    const std::size_t lineBytes = bytesPerLine * planes;

    // The 256-colour palette, when present, takes the last 769 bytes; the pixel data lies before it.
    std::size_t dataEnd = size;
    const std::uint8_t* palette256 = nullptr;
    if (layout == Layout::Indexed && size >= kHeaderSize + 1 + kPaletteBytes &&
        data[size - kPaletteBytes - 1] == kPaletteMarker) {
        palette256 = data + size - kPaletteBytes;
        dataEnd = size - kPaletteBytes - 1;
    }

    // Refuse before allocating when the data cannot hold the picture: two bytes expand to at most
    // 63, a lone last byte to one.
    const std::uint64_t available = dataEnd - kHeaderSize;
    const std::uint64_t mostBytes = (available / 2) * kMaxRun + available % 2;
    if (std::uint64_t(lineBytes) * height > mostBytes) return false;

    DecodedPicture picture;
    picture.width = int(width);
    picture.height = int(height);
    switch (layout) {
    case Layout::Mono:
        picture.bitsPerPixel = 1, picture.format = PixelFormat::Bits1;
        break;
    case Layout::Planar16:
        picture.bitsPerPixel = 4, picture.format = PixelFormat::Bits4;
        break;
    case Layout::Indexed:
        picture.bitsPerPixel = 8, picture.format = PixelFormat::Bits8;
        break;
    case Layout::Rgb:
        picture.bitsPerPixel = 24, picture.format = PixelFormat::Bits24;
        break;
    }
    const std::size_t stride = picture.Stride();
    picture.pixels.assign(stride * height, 0);

    std::vector<std::uint8_t> line(lineBytes);
    RleStream rle(data + kHeaderSize, data + dataEnd);
    for (std::uint32_t y = 0; y < height; ++y) {
        if (!rle.Read(line.data(), line.size())) return false;
        std::uint8_t* row = picture.pixels.data() + (height - 1 - y) * stride; // the file is top-down
        switch (layout) {
        case Layout::Mono:
            std::memcpy(row, line.data(), used);
            if (width % 8 != 0) row[used - 1] &= std::uint8_t(0xFF << (8 - width % 8)); // clear bits past the edge
            break;
        case Layout::Planar16: // bit x of plane p is bit p of pixel x's index
            for (std::size_t x = 0; x < width; ++x) {
                unsigned index = 0;
                for (unsigned p = 0; p < 4; ++p)
                    index |= ((line[p * bytesPerLine + x / 8] >> (7 - x % 8)) & 1u) << p;
                row[x / 2] = std::uint8_t(row[x / 2] | (x % 2 == 0 ? index << 4 : index));
            }
            break;
        case Layout::Indexed:
            std::memcpy(row, line.data(), used);
            break;
        case Layout::Rgb: {
            const std::uint8_t* red = line.data();
            const std::uint8_t* green = red + bytesPerLine;
            const std::uint8_t* blue = green + bytesPerLine;
            for (std::size_t x = 0; x < width; ++x) {
                row[3 * x] = blue[x];
                row[3 * x + 1] = green[x];
                row[3 * x + 2] = red[x];
            }
            break;
        }
        }
    }

    // Pixel data followed by a palette marker with less than a palette behind it: the file was cut.
    if (layout == Layout::Indexed && palette256 == nullptr && rle.Position() != data + dataEnd &&
        *rle.Position() == kPaletteMarker)
        return false;

    if (layout == Layout::Mono) {
        const std::uint32_t first = Rgb(header + kHeaderPalette), second = Rgb(header + kHeaderPalette + 3);
        if (version == 3 || first == second)
            picture.palette = {0x000000, 0xFFFFFF};
        else
            picture.palette = {first, second};
    } else if (layout == Layout::Planar16) {
        picture.palette.resize(16);
        for (std::size_t i = 0; i < 16; ++i)
            picture.palette[i] = version == 3 ? kStandard16[i] : Rgb(header + kHeaderPalette + 3 * i);
    } else if (layout == Layout::Indexed) {
        picture.palette.resize(256);
        for (std::size_t i = 0; i < 256; ++i)
            picture.palette[i] = palette256 ? Rgb(palette256 + 3 * i) : std::uint32_t(i * 0x010101);
    }
    out = std::move(picture);
    return true;
}
