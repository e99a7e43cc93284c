#pragma once
// JPEG pictures of the picture library, decoded by libjpeg-turbo.
#include "nviewlib/Orientation.h"
#include "nviewlib/PictureMemory.h"

#include <cstddef>
#include <cstdint>

// Decodes a JPEG file held in memory into a 32-bit picture (PixelFormat::Bits32, no masks):
// bottom-up rows of blue, green, red and 255, written into `memory`, turned upright as the file's
// EXIF orientation says. Grey and CMYK pictures become colour pictures alike. Refused: a picture above the limits of
// PictureMemory.h (from the header, before anything is decoded), and a damaged file: one libjpeg cannot read, or whose
// data ends before the picture does. On failure `out` is left untouched.
bool DecodeJpeg(const std::uint8_t* data, std::size_t size, DecodedPicture& out, PictureMemory& memory);
inline bool DecodeJpeg(const std::uint8_t* data, std::size_t size, DecodedPicture& out) {
    VectorMemory memory;
    return DecodeJpeg(data, size, out, memory);
}
