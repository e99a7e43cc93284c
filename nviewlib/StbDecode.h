#pragma once
// JPEG, PNG, GIF and TGA pictures of the picture library, decoded by stb_image.
#include "pictures/DecodedPicture.h"

#include <cstddef>
#include <cstdint>

// Largest picture decoded: each side at most kStbMaxSide pixels and at most kStbMaxPixels pixels
// in all. The header is checked against these before anything is decoded.
constexpr int kStbMaxSide = 16384;
constexpr std::uint64_t kStbMaxPixels = std::uint64_t(64) << 20;

// Decodes a JPEG, PNG, GIF (its first frame) or TGA file held in memory into a 32-bit picture
// (PixelFormat::Bits32, no masks): bottom-up rows of 4 bytes per pixel in the order blue, green,
// red, alpha. The alpha byte is the picture's own (255 where it has none); a DIB of BI_RGB
// ignores it, and a caller that blends can use it. A file cut short is refused when it is a JPEG,
// or a PNG cut before the end of its pixel data; a cut GIF or TGA shows what arrived, stb filling
// in the rest (black for a TGA). Refused before stb reads them, as stb_image 2.27 mishandles
// them: a JPEG with a Huffman table of more than 256 codes (stb would write past its table), and a
// PNG whose first IDAT chunk is empty. On failure `out` is left untouched.
bool DecodeWithStb(const std::uint8_t* data, std::size_t size, DecodedPicture& out);

// Reads the width and height of a JPEG, PNG, GIF or TGA file from its header alone, as
// DecodeWithStb checks them, without decoding. False when stb does not know the file or the file
// is one DecodeWithStb refuses before decoding; the sizes are then left untouched. More pixels than
// kStbMaxPixels are reported as they are; a side above kStbMaxSide is already refused by stb.
bool PeekStbPictureSize(const std::uint8_t* data, std::size_t size, int& width, int& height);
