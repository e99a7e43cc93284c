// libFuzzer target of the stb_image decoding of the picture library (JPEG, PNG, GIF, TGA): any
// bytes must give a clean failure or a consistent 32-bit picture.
#include "tests/fuzz/FuzzSupport.h"
#include "nviewlib/StbDecode.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Headers declaring large pictures within the limits decode for seconds (stb fills missing
    // data): they teach the fuzzer nothing, so it skips them. The limits themselves are unit tested.
    int width = 0, height = 0;
    if (PeekStbPictureSize(data, size, width, height) && width > 0 && height > 0 &&
        std::uint64_t(width) * std::uint64_t(height) > (std::uint64_t(1) << 20) &&
        std::uint64_t(width) * std::uint64_t(height) <= kStbMaxPixels && width <= kStbMaxSide && height <= kStbMaxSide)
        return 0;

    DecodedPicture picture;
    if (!DecodeWithStb(data, size, picture)) {
        if (!picture.pixels.empty() || picture.width != 0) std::abort(); // failure changed the output
        return 0;
    }
    if (picture.width <= 0 || picture.height <= 0 || picture.width > kStbMaxSide || picture.height > kStbMaxSide ||
        picture.bitsPerPixel != 32 || picture.format != PixelFormat::Bits32 ||
        picture.pixels.size() != std::size_t(picture.width) * 4 * std::size_t(picture.height))
        std::abort();
    TouchEveryByte(picture.pixels);
    return 0;
}
