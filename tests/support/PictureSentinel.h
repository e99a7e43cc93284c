#pragma once
// A decoded picture with marked contents, for checking that a failed read leaves its target as it
// was.
#include "platform/DecodedPicture.h"

inline DecodedPicture Sentinel() {
    DecodedPicture picture;
    picture.width = 7;
    picture.pixels = {9, 8, 7};
    return picture;
}

inline bool IsSentinel(const DecodedPicture& picture) {
    return picture.width == 7 && picture.height == 0 && picture.bitsPerPixel == 0 && picture.palette.empty() &&
           picture.pixels == std::vector<std::uint8_t>{9, 8, 7};
}
