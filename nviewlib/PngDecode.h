#pragma once
// PNG pictures of the picture library, decoded by libpng (with zlib).
#include "nviewlib/PictureMemory.h"

#include <cstddef>
#include <cstdint>

// Decodes a PNG file held in memory into a 32-bit picture (PixelFormat::Bits32, no masks):
// bottom-up rows of blue, green, red and alpha (the picture's own, or 255), written into
// `memory`. Palette, grey and 16-bit pictures are widened or narrowed to 8 bits a channel; a
// transparent colour becomes alpha 0; chunks other than those of the picture (gamma, colour
// profiles, texts) are skipped. Refused: a picture above the limits of PictureMemory.h
// (from the header, before anything is decoded) and a damaged file: a bad signature, header or
// checksum of a critical chunk, or pixel data that ends before the picture does. What follows the
// pixel data is not read. On failure `out` is left untouched.
bool DecodePng(const std::uint8_t* data, std::size_t size, DecodedPicture& out, PictureMemory& memory);
inline bool DecodePng(const std::uint8_t* data, std::size_t size, DecodedPicture& out) {
    VectorMemory memory;
    return DecodePng(data, size, out, memory);
}
