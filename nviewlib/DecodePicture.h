#pragma once
// The picture library's reading of a file: the content decides the decoder, the name only where
// the content has no signature.
#include "pictures/DecodedPicture.h"

#include <cstdint>
#include <string>

bool DecodePicture(const std::uint8_t* data, std::size_t size, const std::string& fileName, DecodedPicture& out);
