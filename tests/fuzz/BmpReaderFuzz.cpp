// libFuzzer target: the BMP reader must never crash, hang or read out of bounds, and what it
// decodes must hold together.
#include "pictures/BmpReader.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    BmpHeader header;
    const bool headerOk = ReadBmpHeader(data, size, header) == BmpStatus::Ok;
    if (headerOk) (void)ClassifyPixelFormat(header);

    DecodedPicture picture;
    if (ReadBmp(data, size, picture) != BmpStatus::Ok) {
        if (!picture.pixels.empty() || picture.width != 0) __builtin_trap(); // refused: left untouched
        return 0;
    }
    if (size == 0) return 0;
    if (!headerOk || picture.pixels.size() != picture.Stride() * std::size_t(picture.height)) __builtin_trap();
    if (picture.bitsPerPixel <= 8 && picture.palette.size() != (std::size_t(1) << picture.bitsPerPixel))
        __builtin_trap();
    if (ToRgba(picture).size() != std::size_t(picture.width) * std::size_t(picture.height)) __builtin_trap();
    return 0;
}
