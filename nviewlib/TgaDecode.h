#pragma once
// TGA pictures of the picture library (a format without a signature), decoded by stb_image's
// TGA decoder alone.
#include "nviewlib/PictureMemory.h"

#include <cstddef>
#include <cstdint>

// Decodes a TGA file held in memory into a 32-bit picture (PixelFormat::Bits32, no masks):
// bottom-up rows of blue, green, red and alpha (the picture's own, or 255), written into
// `memory`. Refused: a picture above the limits of PictureMemory.h (from the header, before
// anything is decoded) and a file stb does not read. A cut file shows what arrived, the rest black.
// On failure `out` is left untouched.
bool DecodeTga(const std::uint8_t* data, std::size_t size, DecodedPicture& out, PictureMemory& memory);
inline bool DecodeTga(const std::uint8_t* data, std::size_t size, DecodedPicture& out) {
    VectorMemory memory;
    return DecodeTga(data, size, out, memory);
}
