#include "nviewlib/StbDecode.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <utility>

namespace {

// stb allocates its output itself. So that a large picture does not pass through a second buffer
// of the same size, DecodeWithStb lends the picture's own pixel memory to stb for the duration of
// one decode: the first allocation of the output's size gets it. Should stb use that allocation
// for anything else, or free or grow it, the lent memory is never handed out again and the
// decoder copies stb's output as usual: stb never sees memory it did not expect.
struct Loan {
    std::uint8_t* block = nullptr;
    std::size_t size = 0;  // the block's size: 4 x width x height + 1
    bool lent = false;     // handed to stb (at most once)
    bool returned = false; // stb freed or grew it: it no longer holds stb's data
};

// One decode at a time: the picture library lets one call in at once.
Loan* currentLoan = nullptr;

bool IsLentBlock(const void* block) {
    return currentLoan != nullptr && currentLoan->lent && block != nullptr && block == currentLoan->block;
}

// Allocations are zeroed: stb leaves the rows of a cut uncompressed TGA unwritten, which then
// show black rather than whatever the heap held.
void* StbMalloc(std::size_t size) {
    Loan* loan = currentLoan;
    // stb's JPEG decoder asks for 4 x width x height + 1 bytes, its other decoders for 4 x width x height.
    if (loan != nullptr && !loan->lent && (size == loan->size || size + 1 == loan->size)) {
        loan->lent = true;
        return loan->block;
    }
    return std::calloc(1, size);
}

void StbFree(void* block) {
    if (IsLentBlock(block)) {
        currentLoan->returned = true;
        return;
    }
    std::free(block);
}

void* StbRealloc(void* block, std::size_t size) {
    if (!IsLentBlock(block)) return std::realloc(block, size);
    void* moved = std::malloc(size);
    if (moved == nullptr) return nullptr; // stb then frees the old block itself
    std::memcpy(moved, block, std::min(size, currentLoan->size));
    currentLoan->returned = true;
    return moved;
}

// Lends `loan` for the lifetime of this object.
class LoanScope {
public:
    explicit LoanScope(Loan& loan) { currentLoan = &loan; }
    ~LoanScope() { currentLoan = nullptr; }
    LoanScope(const LoanScope&) = delete;
    LoanScope& operator=(const LoanScope&) = delete;
};

} // namespace

// The only place the stb_image decoder is compiled: the formats the library reads, from memory
// only, with a size limit of its own and without its failure texts. On 32-bit MinGW stb leaves its
// SSE2 code off by itself (the stack alignment there cannot be relied on); it stays that way.
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_JPEG
#define STBI_ONLY_PNG
#define STBI_ONLY_GIF
#define STBI_ONLY_TGA
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#define STBI_NO_FAILURE_STRINGS
#define STBI_MAX_DIMENSIONS kStbMaxSide
#define STBI_MALLOC(size) StbMalloc(size)
#define STBI_REALLOC(block, size) StbRealloc(block, size)
#define STBI_FREE(block) StbFree(block)
#include <stb_image.h>

#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ != __ORDER_LITTLE_ENDIAN__
#error "the RGBA to BGRA turn below assumes a little-endian machine"
#endif

namespace {

struct StbImageFree {
    void operator()(stbi_uc* pixels) const { stbi_image_free(pixels); }
};

bool SizeAllowed(int width, int height) {
    return width > 0 && height > 0 && width <= kStbMaxSide && height <= kStbMaxSide &&
           std::uint64_t(width) * std::uint64_t(height) <= kStbMaxPixels;
}

// R, G, B, A in memory, read as a little-endian word 0xAABBGGRR, to B, G, R, A.
inline std::uint32_t RgbaToBgra(std::uint32_t pixel) {
    return (pixel & 0xFF00FF00u) | ((pixel >> 16) & 0xFFu) | ((pixel & 0xFFu) << 16);
}

// Writes `count` RGBA pixels from `source` to `target` as BGRA; the two may be the same row.
void ConvertRow(const std::uint8_t* source, std::uint8_t* target, std::size_t count) {
    for (std::size_t i = 0; i < 4 * count; i += 4) {
        std::uint32_t pixel;
        std::memcpy(&pixel, source + i, 4);
        pixel = RgbaToBgra(pixel);
        std::memcpy(target + i, &pixel, 4);
    }
}

// Top-down RGBA rows to bottom-up BGRA rows in place: rows are swapped pairwise.
void FlipAndConvertInPlace(std::uint8_t* pixels, int width, int height) {
    const std::size_t stride = std::size_t(width) * 4;
    for (int top = 0, bottom = height - 1; top <= bottom; ++top, --bottom) {
        std::uint8_t* upper = pixels + std::size_t(top) * stride;
        std::uint8_t* lower = pixels + std::size_t(bottom) * stride;
        if (upper == lower) {
            ConvertRow(upper, upper, std::size_t(width));
            continue;
        }
        for (std::size_t i = 0; i < stride; i += 4) {
            std::uint32_t a, b;
            std::memcpy(&a, upper + i, 4);
            std::memcpy(&b, lower + i, 4);
            a = RgbaToBgra(a);
            b = RgbaToBgra(b);
            std::memcpy(upper + i, &b, 4);
            std::memcpy(lower + i, &a, 4);
        }
    }
}

// stb_image 2.27 builds a JPEG Huffman table without checking that its code counts add up to at
// most 256, and then writes past the table. This walks a JPEG the way stb reads it - the same
// markers, the same segment lengths, the same search for the marker after entropy-coded data,
// reading zeros past the end - and finds each table stb would build. False when one of them has
// more than 256 codes. Where stb would give up, the walk ends too; where the walk cannot follow stb
// exactly (inside entropy-coded data) it looks at more places than stb, never fewer.
bool JpegTablesFit(const std::uint8_t* data, std::size_t size) {
    std::size_t pos = 0;
    auto byte = [&](std::size_t at) -> unsigned { return at < size ? data[at] : 0u; };
    auto word = [&](std::size_t at) -> std::size_t { return (byte(at) << 8) | byte(at + 1); };
    constexpr int kNone = -1;
    auto nextMarker = [&]() -> int { // stb's marker reader: 0xFF, fill bytes, the marker
        unsigned x = byte(pos++);
        if (x != 0xFF) return kNone;
        while (x == 0xFF)
            x = byte(pos++);
        return int(x);
    };
    auto markerAfterScan = [&]() -> int { // the first marker after entropy-coded data, not a restart
        while (pos < size) {
            if (byte(pos++) != 0xFF) continue;
            unsigned x = byte(pos++);
            while (x == 0xFF)
                x = byte(pos++);
            if (x != 0 && (x < 0xD0 || x > 0xD7)) return int(x);
        }
        return kNone;
    };
    enum class Step { Next, Stop, Refuse };
    auto segment = [&](int marker) -> Step { // the segments stb reads outside frame and scan headers
        if (marker == 0xDD) {                // restart interval
            if (word(pos) != 4) return Step::Stop;
            pos += 4;
            return Step::Next;
        }
        if (marker == 0xDB || marker == 0xC4) { // quantisation or Huffman tables
            long left = long(word(pos)) - 2;
            pos += 2;
            while (left > 0) {
                const unsigned kind = byte(pos++);
                if (marker == 0xDB) {
                    if ((kind >> 4) > 1 || (kind & 15) > 3) return Step::Stop;
                    pos += (kind >> 4) ? 128 : 64;
                    left -= (kind >> 4) ? 129 : 65;
                    continue;
                }
                if ((kind >> 4) > 1 || (kind & 15) > 3) return Step::Stop;
                std::size_t codes = 0;
                for (int i = 0; i < 16; ++i)
                    codes += byte(pos++);
                if (codes > 256) return Step::Refuse;
                pos += codes;
                left -= long(17 + codes);
            }
            return left == 0 ? Step::Next : Step::Stop;
        }
        if ((marker >= 0xE0 && marker <= 0xEF) || marker == 0xFE) { // application data, comments
            const std::size_t length = word(pos);
            if (length < 2) return Step::Stop;
            pos += length;
            return Step::Next;
        }
        return Step::Stop;
    };

    if (nextMarker() != 0xD8) return true; // not a JPEG to stb
    // Up to the frame header (what stbi_info reads too); stb skips stray bytes between segments.
    int marker = nextMarker();
    while (marker != 0xC0 && marker != 0xC1 && marker != 0xC2) {
        const Step step = segment(marker);
        if (step != Step::Next) return step != Step::Refuse;
        marker = nextMarker();
        while (marker == kNone) {
            if (pos >= size) return true;
            marker = nextMarker();
        }
    }
    const std::size_t frameLength = word(pos);
    if (frameLength != 8 + 3 * std::size_t(byte(pos + 7))) return true;
    pos += frameLength;
    // Scans and the segments between them, up to the end of the picture.
    marker = nextMarker();
    while (marker != 0xD9) {
        if (marker == 0xDA) { // scan header, then entropy-coded data up to the next marker
            const std::size_t scanLength = word(pos);
            if (scanLength != 6 + 2 * std::size_t(byte(pos + 2))) return true;
            pos += scanLength;
            marker = markerAfterScan();
            continue;
        }
        if (marker == 0xDC) { // number of lines
            pos += 4;
        } else {
            const Step step = segment(marker);
            if (step != Step::Next) return step != Step::Refuse;
        }
        marker = nextMarker();
    }
    return true;
}

// stb_image 2.27 copies an empty IDAT chunk that comes before any image data to a null pointer:
// a copy of nothing, but undefined behaviour all the same. False for a PNG whose first IDAT chunk
// is empty (no encoder writes one); the chunks are followed the way stb reads them.
bool PngFirstDataHasBytes(const std::uint8_t* data, std::size_t size) {
    static const std::uint8_t signature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    if (size < 8 || std::memcmp(data, signature, 8) != 0) return true;
    auto word = [&](std::uint64_t at) {
        return (std::uint32_t(data[at]) << 24) | (std::uint32_t(data[at + 1]) << 16) |
               (std::uint32_t(data[at + 2]) << 8) | std::uint32_t(data[at + 3]);
    };
    // A chunk type has no zero byte, so one that stb reads partly past the end is never IDAT.
    for (std::uint64_t pos = 8; pos + 8 <= size; pos += 12 + std::uint64_t(word(pos))) {
        const std::uint32_t type = word(pos + 4);
        if (type == 0x49444154) return word(pos) != 0; // IDAT
        if (type == 0x49454E44) return true;           // IEND
    }
    return true;
}

} // namespace

bool PeekStbPictureSize(const std::uint8_t* data, std::size_t size, int& width, int& height) {
    // The JPEG check comes first: stb builds Huffman tables while it reads the header.
    if (data == nullptr || size == 0 || size > std::size_t(INT_MAX) || !JpegTablesFit(data, size) ||
        !PngFirstDataHasBytes(data, size))
        return false;
    int w = 0, h = 0, channels = 0;
    if (!stbi_info_from_memory(data, int(size), &w, &h, &channels)) return false;
    width = w;
    height = h;
    return true;
}

bool DecodeWithStb(const std::uint8_t* data, std::size_t size, DecodedPicture& out) {
    int width = 0, height = 0, channels = 0;
    if (!PeekStbPictureSize(data, size, width, height) || !SizeAllowed(width, height)) return false;
    const int length = int(size);

    DecodedPicture picture;
    const std::size_t stride = std::size_t(width) * 4;
    const std::size_t bytes = stride * std::size_t(height);
    picture.pixels.resize(bytes + 1);

    Loan loan;
    loan.block = picture.pixels.data();
    loan.size = picture.pixels.size();
    {
        LoanScope scope(loan);
        int decodedWidth = 0, decodedHeight = 0;
        // Declared after the scope, so destroyed first: stb's memory is freed while the loan is known.
        const std::unique_ptr<stbi_uc, StbImageFree> rgba(
            stbi_load_from_memory(data, length, &decodedWidth, &decodedHeight, &channels, 4));
        if (!rgba || decodedWidth != width || decodedHeight != height) return false;
        if (rgba.get() == loan.block && !loan.returned) {
            FlipAndConvertInPlace(loan.block, width, height);
        } else {
            for (int y = 0; y < height; ++y)
                ConvertRow(rgba.get() + std::size_t(y) * stride, loan.block + std::size_t(height - 1 - y) * stride,
                           std::size_t(width));
        }
    }
    picture.pixels.resize(bytes);
    picture.width = width;
    picture.height = height;
    picture.bitsPerPixel = 32;
    picture.format = PixelFormat::Bits32;
    out = std::move(picture);
    return true;
}
