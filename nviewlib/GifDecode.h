#pragma once
// GIF pictures of the picture library, decoded by giflib.
#include "nviewlib/PictureMemory.h"

#include <cstddef>
#include <cstdint>

// Decodes the first frame of a GIF file held in memory into a 32-bit picture
// (PixelFormat::Bits32, no masks) of the file's screen size: bottom-up rows of blue, green, red
// and 255, written into `memory`. Pixels outside the frame and pixels of the transparent colour are
// 0 in all four bytes; a frame reaching past the screen is cut at its edge. Refused: a screen or frame
// above the limits of PictureMemory.h (before anything is decoded), a file without a frame or
// without colours, and a damaged file: one giflib cannot read, or whose frame data ends early.
// On failure `out` is left untouched.
bool DecodeGif(const std::uint8_t* data, std::size_t size, DecodedPicture& out, PictureMemory& memory);
inline bool DecodeGif(const std::uint8_t* data, std::size_t size, DecodedPicture& out) {
    VectorMemory memory;
    return DecodeGif(data, size, out, memory);
}
