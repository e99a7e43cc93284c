#pragma once
// The memory a decoder of the picture library writes a picture's rows into. The library hands out
// the memory of the bitmap it returns, so that a large picture is written once and never copied;
// elsewhere the picture's own vector serves.
#include "platform/DecodedPicture.h"

#include <cstdint>

class PictureMemory {
public:
    virtual ~PictureMemory() = default;
    // Zeroed memory of picture.Stride() x picture.height bytes for a picture whose size, depth,
    // format, palette and masks are set; null when none can be had. Called once per decode.
    virtual std::uint8_t* Provide(DecodedPicture& picture) = 0;
};

// The picture's own vector.
class VectorMemory : public PictureMemory {
public:
    std::uint8_t* Provide(DecodedPicture& picture) override {
        picture.pixels.assign(picture.Stride() * std::size_t(picture.height), 0);
        return picture.pixels.data();
    }
};

// Largest picture the JPEG, PNG, GIF and TGA decoders make: each side at most kDecodeMaxSide
// pixels and at most kDecodeMaxPixels pixels in all, checked against the header before decoding.
constexpr int kDecodeMaxSide = 16384;
constexpr std::uint64_t kDecodeMaxPixels = std::uint64_t(64) << 20;

inline bool DecodeSizeAllowed(std::uint64_t width, std::uint64_t height) {
    return width > 0 && height > 0 && width <= std::uint64_t(kDecodeMaxSide) &&
           height <= std::uint64_t(kDecodeMaxSide) && width * height <= kDecodeMaxPixels;
}

// Sets the shape of a 32-bit picture (bottom-up BGRA rows, no masks) of this size.
inline void SetBgraShape(DecodedPicture& picture, int width, int height) {
    picture.width = width;
    picture.height = height;
    picture.bitsPerPixel = 32;
    picture.format = PixelFormat::Bits32;
    picture.palette.clear();
    picture.hasMasks = false;
}
