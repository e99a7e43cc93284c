#pragma once
// The picture library's reading of a file: the content decides the decoder, the name only where
// the content has no signature.
#include "nviewlib/PictureMemory.h"

#include <cstdint>
#include <string>

// JPEG, PNG, GIF and TGA pictures are written into `memory`; bitmaps and PCX pictures, which keep
// their own depth, into `out.pixels`.
bool DecodePicture(const std::uint8_t* data, std::size_t size, const std::string& fileName, DecodedPicture& out,
                   PictureMemory& memory);
inline bool DecodePicture(const std::uint8_t* data, std::size_t size, const std::string& fileName,
                          DecodedPicture& out) {
    VectorMemory memory;
    return DecodePicture(data, size, fileName, out, memory);
}
