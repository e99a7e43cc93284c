#include "pictures/BmpReader.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kOs2V2HeaderSize = 64;

std::uint16_t Get16(const std::uint8_t* p) {
    return std::uint16_t(p[0] | (p[1] << 8));
}
std::uint32_t Get32(const std::uint8_t* p) {
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[3]) << 24);
}
std::int32_t GetSigned32(const std::uint8_t* p) {
    const std::uint32_t u = Get32(p);
    return u <= 0x7FFFFFFFu ? std::int32_t(u) : -std::int32_t(~u) - 1;
}

bool KnownHeaderSize(std::uint32_t size) {
    switch (size) {
    case 12:
    case 40:
    case 52:
    case 56:
    case 64:
    case 108:
    case 124:
        return true;
    default:
        return false;
    }
}

bool HasMaskFields(std::uint32_t compression) {
    return compression == kBmpBitfields || compression == kBmpAlphaBitfields;
}

// Bytes of colour masks stored between a 40-byte header and the colour table.
std::uint64_t MaskBytesAfterHeader(const BmpHeader& h) {
    if (h.headerSize != kInfoHeaderSize || !HasMaskFields(h.compression)) return 0;
    return h.compression == kBmpBitfields ? 12 : 16;
}

std::uint64_t ColourTableStart(const BmpHeader& h) {
    return kFileHeaderSize + h.headerSize + MaskBytesAfterHeader(h);
}

std::uint64_t RowBytes(std::uint64_t width, int bitCount) {
    return (width * std::uint64_t(bitCount) + 31) / 32 * 4;
}

bool ValidDepth(const BmpHeader& h) {
    const int bits = h.bitCount;
    if (h.headerSize == kCoreHeaderSize) return bits == 1 || bits == 2 || bits == 4 || bits == 8 || bits == 24;
    switch (h.compression) {
    case kBmpRgb:
        return bits == 1 || bits == 2 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
    case kBmpRle8:
        return bits == 8 && h.height > 0;
    case kBmpRle4:
        return bits == 4 && h.height > 0;
    case kBmpBitfields:
    case kBmpAlphaBitfields:
        return bits == 16 || bits == 32;
    default:
        return false; // JPEG, PNG and anything unknown
    }
}

bool IsRle(std::uint32_t compression) {
    return compression == kBmpRle8 || compression == kBmpRle4;
}

// Colour table entries to read: what the header declares, at most 2^bits, and for the default
// count of a table no more than fit before the pixel data.
std::uint32_t ColourTableEntries(const BmpHeader& h, std::size_t size) {
    if (h.bitCount > 8) return 0;
    const std::uint64_t full = std::uint64_t(1) << h.bitCount;
    const std::uint64_t start = ColourTableStart(h);
    const std::uint64_t entrySize = h.headerSize == kCoreHeaderSize ? 3 : 4;
    std::uint64_t count = full;
    if (h.colorsUsed != 0 && h.headerSize != kCoreHeaderSize) {
        count = std::min<std::uint64_t>(h.colorsUsed, full);
    } else if (h.pixelOffset >= start) {
        count = std::min<std::uint64_t>(count, (h.pixelOffset - start) / entrySize);
    }
    const std::uint64_t inFile = size > start ? (size - start) / entrySize : 0;
    return std::uint32_t(std::min(count, inFile));
}

void SetDefaultMasks(DecodedPicture& p) {
    if (p.bitsPerPixel == 16)
        p.masks = {0x7C00, 0x03E0, 0x001F};
    else if (p.bitsPerPixel == 32)
        p.masks = {0x00FF0000, 0x0000FF00, 0x000000FF};
}

// Uncompressed rows: copied as they are, turned bottom-up; 2-bit rows are widened to 4 bits.
void CopyRows(const std::uint8_t* data, std::size_t size, const BmpHeader& h, DecodedPicture& p) {
    const std::size_t rows = std::size_t(p.height);
    const std::size_t srcStride = std::size_t(RowBytes(std::uint64_t(p.width), h.bitCount));
    const std::size_t dstStride = p.Stride();
    const std::uint8_t* base = data + h.pixelOffset;
    const std::size_t available = size - h.pixelOffset;
    const bool topDown = h.height < 0;
    if (h.bitCount != 2 && !topDown && available >= srcStride * rows) {
        p.pixels.assign(base, base + srcStride * rows);
        return;
    }
    p.pixels.assign(dstStride * rows, 0);
    for (std::size_t r = 0; r < rows; ++r) {
        const std::size_t srcRow = topDown ? rows - 1 - r : r;
        const std::size_t at = srcRow * srcStride;
        // The header check guarantees each row's pixels; only the last row's padding may be missing.
        const std::size_t count = std::min(srcStride, available - at);
        const std::uint8_t* src = base + at;
        std::uint8_t* dst = p.pixels.data() + r * dstStride;
        if (h.bitCount != 2) {
            std::memcpy(dst, src, count);
            continue;
        }
        for (std::size_t x = 0; x < std::size_t(p.width); ++x) {
            const unsigned index = (src[x / 4] >> (6 - 2 * (x % 4))) & 3;
            dst[x / 2] = std::uint8_t(dst[x / 2] | (x % 2 == 0 ? index << 4 : index));
        }
    }
}

// Run-length encoded rows (RLE8 or RLE4) into indexed rows of the same depth. Pixels the data
// does not reach stay index 0. Runs and literals that pass the row end are cut there, as the
// system's own loader does (ImageMagick writes such files); a delta that leaves the picture is
// malformed.
bool DecodeRle(const std::uint8_t* data, std::size_t size, const BmpHeader& h, DecodedPicture& p) {
    const bool four = h.compression == kBmpRle4;
    const std::size_t width = std::size_t(p.width);
    const std::size_t height = std::size_t(p.height);
    const std::size_t stride = p.Stride();
    p.pixels.assign(stride * height, 0);
    auto put = [&](std::size_t x, std::size_t y, unsigned index) {
        std::uint8_t* row = p.pixels.data() + y * stride;
        if (!four) {
            row[x] = std::uint8_t(index);
        } else if (x % 2 == 0) {
            row[x / 2] = std::uint8_t((row[x / 2] & 0x0F) | (index << 4));
        } else {
            row[x / 2] = std::uint8_t((row[x / 2] & 0xF0) | (index & 0x0F));
        }
    };

    const std::uint8_t* in = data + h.pixelOffset;
    std::size_t left = size - h.pixelOffset;
    if (h.imageSize != 0 && h.imageSize < left) left = h.imageSize;
    std::size_t x = 0;
    std::size_t y = 0;
    while (left >= 2 && y < height) {
        const unsigned count = in[0];
        const unsigned value = in[1];
        in += 2;
        left -= 2;
        if (count > 0) { // a run of one index (RLE4: two alternating indexes), cut at the row end
            for (unsigned i = 0; i < count && x + i < width; ++i)
                put(x + i, y, four ? (i % 2 == 0 ? value >> 4 : value & 0x0F) : value);
            x = std::min(x + count, width);
        } else if (value == 0) { // end of line
            x = 0;
            ++y;
        } else if (value == 1) { // end of bitmap
            break;
        } else if (value == 2) { // delta: move right and up
            if (left < 2) break;
            const std::size_t dx = in[0];
            const std::size_t dy = in[1];
            in += 2;
            left -= 2;
            if (x + dx > width || y + dy > height) return false;
            x += dx;
            y += dy;
        } else { // literal indexes, padded to a 16-bit boundary
            const unsigned n = value;
            const std::size_t bytes = four ? (n + 1) / 2 : n;
            const std::size_t padded = (bytes + 1) & ~std::size_t(1);
            const std::size_t have = std::min(bytes, left);
            const std::size_t pixels = std::min(four ? std::min<std::size_t>(n, have * 2) : have, width - x);
            for (std::size_t i = 0; i < pixels; ++i) {
                put(x + i, y, four ? (i % 2 == 0 ? in[i / 2] >> 4 : in[i / 2] & 0x0F) : in[i]);
            }
            if (padded > left) break; // cut off
            in += padded;
            left -= padded;
            x = std::min(x + n, width);
        }
    }
    return true;
}

struct Channel {
    std::uint32_t mask = 0;
    unsigned shift = 0;
    std::uint32_t max = 0;
    explicit Channel(std::uint32_t m) : mask(m) {
        if (m == 0) return;
        while (((m >> shift) & 1) == 0)
            ++shift;
        max = m >> shift;
    }
    std::uint32_t Scale(std::uint32_t word) const {
        if (max == 0) return 0;
        const std::uint64_t v = (word & mask) >> shift;
        return std::uint32_t((v * 255 + max / 2) / max);
    }
};

} // namespace

BmpStatus ReadBmpHeader(const std::uint8_t* data, std::size_t size, BmpHeader& header) {
    if (data == nullptr || size < kFileHeaderSize + 4 || data[0] != 'B' || data[1] != 'M') return BmpStatus::Malformed;
    BmpHeader h;
    // The file size field is not checked: the system's loader opens a file whose field is larger
    // than the file as long as the pixel data is whole.
    h.pixelOffset = Get32(data + 10);
    h.headerSize = Get32(data + 14);
    if (!KnownHeaderSize(h.headerSize) || kFileHeaderSize + h.headerSize > size) {
        return BmpStatus::Malformed;
    }
    const std::uint8_t* info = data + kFileHeaderSize;
    std::int64_t width = 0;
    std::int64_t height = 0;
    unsigned planes = 0;
    if (h.headerSize == kCoreHeaderSize) {
        width = Get16(info + 4);
        height = Get16(info + 6);
        planes = Get16(info + 8);
        h.bitCount = Get16(info + 10);
    } else {
        width = GetSigned32(info + 4);
        height = GetSigned32(info + 8);
        planes = Get16(info + 12);
        h.bitCount = Get16(info + 14);
        h.compression = Get32(info + 16);
        h.imageSize = Get32(info + 20);
        h.colorsUsed = Get32(info + 32);
        // OS/2 version 2 numbers its own compressions 3 and 4 (Huffman 1D, RLE24): not decoded.
        if (h.headerSize == kOs2V2HeaderSize && h.compression > kBmpRle4) return BmpStatus::Malformed;
        if (HasMaskFields(h.compression)) {
            if (h.headerSize == kInfoHeaderSize) {
                const std::size_t count = h.compression == kBmpBitfields ? 3 : 4;
                if (kFileHeaderSize + kInfoHeaderSize + 4 * count > size) return BmpStatus::Malformed;
                for (std::size_t i = 0; i < count; ++i)
                    h.masks[i] = Get32(info + kInfoHeaderSize + 4 * i);
            } else {
                for (std::size_t i = 0; i < 3; ++i)
                    h.masks[i] = Get32(info + 40 + 4 * i);
                if (h.headerSize >= 56) h.masks[3] = Get32(info + 52);
            }
        }
    }
    const std::int64_t rows = height < 0 ? -height : height;
    if (planes != 1 || width < 1 || rows < 1 || width > kBmpMaxSide || rows > kBmpMaxSide ||
        std::uint64_t(width) * std::uint64_t(rows) > kBmpMaxPixels) {
        return BmpStatus::Malformed;
    }
    h.width = int(width);
    h.height = int(height);
    if (!ValidDepth(h)) return BmpStatus::Malformed;

    // A declared colour table must be in the file, even when it holds more entries than are used.
    const std::uint64_t tableStart = ColourTableStart(h);
    const std::uint64_t entrySize = h.headerSize == kCoreHeaderSize ? 3 : 4;
    if (tableStart + std::uint64_t(h.colorsUsed) * entrySize > size) return BmpStatus::Malformed;
    if (h.pixelOffset < tableStart || h.pixelOffset > size) return BmpStatus::Malformed;

    const std::uint64_t available = size - h.pixelOffset;
    if (!IsRle(h.compression)) {
        // Every row's pixels must be in the file; only the padding after the last row may be missing.
        const std::uint64_t stride = RowBytes(std::uint64_t(width), h.bitCount);
        const std::uint64_t lastRow = (std::uint64_t(width) * std::uint64_t(h.bitCount) + 7) / 8;
        if (stride * std::uint64_t(rows - 1) + lastRow > available || h.imageSize > available) {
            return BmpStatus::Malformed;
        }
    }
    header = h;
    return BmpStatus::Ok;
}

PixelFormat ClassifyPixelFormat(const BmpHeader& h) {
    if (h.headerSize == 0) return PixelFormat::Device;
    const bool core = h.headerSize == kCoreHeaderSize;
    // 16 or 32 bits with a compression other than none or BI_BITFIELDS (BI_ALPHABITFIELDS among
    // them) are no standard format, whatever their masks.
    if ((h.bitCount == 16 || h.bitCount == 32) && !core && h.compression != kBmpRgb && h.compression != kBmpBitfields) {
        return PixelFormat::Custom;
    }
    const bool masked = !core && h.compression == kBmpBitfields;
    return ClassifyBits(h.bitCount, masked, masked ? h.masks[1] : 0);
}

BmpStatus ReadBmp(const std::uint8_t* data, std::size_t size, DecodedPicture& out) {
    if (size == 0) {
        out = DecodedPicture{};
        return BmpStatus::Ok;
    }
    BmpHeader h;
    if (ReadBmpHeader(data, size, h) != BmpStatus::Ok) return BmpStatus::Malformed;

    DecodedPicture p;
    p.width = h.width;
    p.height = h.height < 0 ? -h.height : h.height;
    p.bitsPerPixel = h.bitCount == 2 ? 4 : h.bitCount;
    p.format = ClassifyPixelFormat(h);

    if (p.bitsPerPixel <= 8) {
        p.palette.assign(std::size_t(1) << p.bitsPerPixel, 0);
        const std::uint32_t entries = ColourTableEntries(h, size);
        const std::size_t entrySize = h.headerSize == kCoreHeaderSize ? 3 : 4;
        const std::uint8_t* table = data + ColourTableStart(h);
        for (std::uint32_t i = 0; i < entries; ++i) {
            const std::uint8_t* e = table + i * entrySize;
            p.palette[i] = std::uint32_t(e[0]) | (std::uint32_t(e[1]) << 8) | (std::uint32_t(e[2]) << 16);
        }
    }
    SetDefaultMasks(p);
    if (HasMaskFields(h.compression)) {
        p.hasMasks = true;
        p.masks = {h.masks[0], h.masks[1], h.masks[2]};
    }

    if (IsRle(h.compression)) {
        if (!DecodeRle(data, size, h, p)) return BmpStatus::Malformed;
    } else {
        CopyRows(data, size, h, p);
    }
    out = std::move(p);
    return BmpStatus::Ok;
}

std::vector<std::uint32_t> ToRgba(const DecodedPicture& p) {
    std::vector<std::uint32_t> result;
    const int bits = p.bitsPerPixel;
    if (p.width <= 0 || p.height <= 0 ||
        (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)) {
        return result;
    }
    const std::size_t width = std::size_t(p.width);
    const std::size_t height = std::size_t(p.height);
    const std::size_t stride = p.Stride();
    result.assign(width * height, 0xFF000000u);

    std::array<std::uint32_t, 3> masks = p.masks;
    if (!p.hasMasks)
        masks = bits == 16 ? std::array<std::uint32_t, 3>{0x7C00, 0x03E0, 0x001F}
                           : std::array<std::uint32_t, 3>{0x00FF0000, 0x0000FF00, 0x000000FF};
    const Channel red(masks[0]), green(masks[1]), blue(masks[2]);
    const std::size_t rowBytes = (width * std::size_t(bits) + 7) / 8;

    for (std::size_t y = 0; y < height; ++y) {
        const std::size_t at = (height - 1 - y) * stride; // bottom-up storage, top-down result
        if (at + rowBytes > p.pixels.size()) continue;    // rows the picture lacks stay black
        const std::uint8_t* row = p.pixels.data() + at;
        std::uint32_t* dst = result.data() + y * width;
        for (std::size_t x = 0; x < width; ++x) {
            std::uint32_t rgb = 0;
            switch (bits) {
            case 1:
            case 4:
            case 8: {
                const std::size_t perByte = 8 / std::size_t(bits);
                const std::size_t shift = 8 - std::size_t(bits) * (1 + x % perByte);
                const std::size_t index = (row[x / perByte] >> shift) & ((1u << bits) - 1);
                rgb = index < p.palette.size() ? p.palette[index] & 0x00FFFFFFu : 0;
                break;
            }
            case 16: {
                const std::uint32_t word = Get16(row + 2 * x);
                rgb = (red.Scale(word) << 16) | (green.Scale(word) << 8) | blue.Scale(word);
                break;
            }
            case 24:
                rgb = std::uint32_t(row[3 * x]) | (std::uint32_t(row[3 * x + 1]) << 8) |
                      (std::uint32_t(row[3 * x + 2]) << 16);
                break;
            default: {
                const std::uint32_t word = Get32(row + 4 * x);
                rgb = (red.Scale(word) << 16) | (green.Scale(word) << 8) | blue.Scale(word);
                break;
            }
            }
            dst[x] = 0xFF000000u | rgb;
        }
    }
    return result;
}
