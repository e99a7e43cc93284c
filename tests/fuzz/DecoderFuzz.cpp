// libFuzzer target of one decoder of the picture library (JPEG, PNG, GIF or TGA, chosen by the
// build): any bytes must give a clean failure that leaves the output alone, or a consistent 32-bit
// picture within the limits whose every byte was written or zeroed.
#include "tests/fuzz/FuzzSupport.h"
#include FUZZ_HEADER

#include <cstdlib>

namespace {
// Pictures beyond a million pixels decode for long and teach the fuzzer nothing; the limits
// themselves are unit tested.
class SmallMemory : public PictureMemory {
public:
    std::uint8_t* Provide(DecodedPicture& picture) override {
        if (std::uint64_t(picture.width) * std::uint64_t(picture.height) > (std::uint64_t(1) << 20)) return nullptr;
        return inner_.Provide(picture);
    }

private:
    VectorMemory inner_;
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    DecodedPicture picture;
    SmallMemory memory;
    if (!FUZZ_DECODER(data, size, picture, memory)) {
        if (picture.width != 0 || picture.height != 0) std::abort(); // failure changed the output
        return 0;
    }
    if (picture.width <= 0 || picture.height <= 0 || picture.width > kDecodeMaxSide ||
        picture.height > kDecodeMaxSide || picture.bitsPerPixel != 32 || picture.format != PixelFormat::Bits32 ||
        picture.pixels.size() != std::size_t(picture.width) * 4 * std::size_t(picture.height))
        std::abort();
    TouchEveryByte(picture.pixels);
    return 0;
}
