#pragma once
// Which decoder of the picture library reads a file.
#include <cstddef>
#include <cstdint>
#include <string>

enum class PictureKind { Bmp, Jpeg, Png, Gif, Tga, Pcx, Unknown };

// Decides by the file's first bytes: "BM" is BMP, FF D8 FF JPEG, 89 50 4E 47 PNG, "GIF87a" or
// "GIF89a" GIF, and 0x0A followed by a PCX version (0, 2, 3, 4 or 5) and encoding 1 PCX. Only when
// the content has none of these signatures does the extension of `fileName` decide, in any case:
// .bmp .dib .rle .sys are BMP, .jpg .jpeg .jif JPEG, .gif GIF, .png PNG, .tga TGA (a format
// without a signature) and .pcx PCX. Anything else is Unknown.
PictureKind SniffPictureKind(const std::uint8_t* data, std::size_t size, const std::string& fileName);
