#pragma once
// JPEG pictures of the picture library, decoded by libjpeg-turbo.
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

// The orientation (1 to 8, as EXIF numbers them) that an APP1 segment's body gives, or 1 when it
// holds no EXIF orientation.
int ExifOrientation(const std::uint8_t* app1, std::size_t size);

// Writes a top-down picture of `width` x `height` pixels of 4 bytes as bottom-up rows of the
// upright picture that `orientation` describes; orientations 5 to 8 swap width and height.
void OrientPixels(const std::uint8_t* source, int width, int height, int orientation, std::uint8_t* target);
