// libFuzzer target of the PCX reader: any bytes must give a clean failure or a picture whose
// layout is consistent.
#include "tests/fuzz/FuzzSupport.h"
#include "nviewlib/PcxReader.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    DecodedPicture picture;
    if (!ReadPcx(data, size, picture)) {
        if (!picture.pixels.empty() || picture.width != 0) std::abort(); // failure changed the output
        return 0;
    }
    const bool indexed = picture.bitsPerPixel <= 8;
    if (picture.width <= 0 || picture.height <= 0 || picture.pixels.size() != picture.Stride() * picture.height ||
        (indexed && picture.palette.size() != (std::size_t(1) << picture.bitsPerPixel)) ||
        (!indexed && !picture.palette.empty()))
        std::abort();
    TouchEveryByte(picture.pixels);
    return 0;
}
