#pragma once
// Reader of run-length encoded PCX pictures (versions 0 to 5, encoding 1) of the picture library.
#include "platform/DecodedPicture.h"

#include <cstddef>
#include <cstdint>

// Largest picture the reader accepts: each side at most kPcxMaxSide pixels and at most
// kPcxMaxPixels pixels in all.
constexpr std::uint32_t kPcxMaxSide = 32768;
constexpr std::uint64_t kPcxMaxPixels = std::uint64_t(128) << 20;

// Decodes a PCX file held in memory. Three kinds are read:
//   1 bit per pixel, 1 plane  -> 1-bit indexed picture (PixelFormat::Bits1) with a 2-entry palette:
//                                the first two colours of the header palette, or black and white
//                                when the header has none (version 3, or both entries equal);
//   1 bit per pixel, 4 planes -> 4-bit indexed picture (PixelFormat::Bits4) of 16 colours: the
//                                header palette, or the standard EGA colours in a version 3 file;
//   8 bits per pixel, 1 plane -> 8-bit indexed picture (PixelFormat::Bits8) with the 256-colour
//                                palette that follows the 0x0C marker at the end of the file, or a
//                                grey ramp when the file has none;
//   8 bits per pixel, 3 planes -> 24-bit BGR picture (PixelFormat::Bits24).
// The output is a bottom-up DIB layout (see DecodedPicture). Padding bytes of a plane line
// (BytesPerLine beyond the picture's width) are skipped, and a run may continue from one line into
// the next. A cut file is refused, never filled up: pixel data that ends before the last line, or
// a palette marker with less than 768 bytes behind it. So are a header that is cut short or
// unknown and a picture above the limits. On failure `out` is left untouched.
bool ReadPcx(const std::uint8_t* data, std::size_t size, DecodedPicture& out);
