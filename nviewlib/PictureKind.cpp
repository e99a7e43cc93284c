#include "nviewlib/PictureKind.h"

#include <cstring>

namespace {

bool StartsWith(const std::uint8_t* data, std::size_t size, const char* signature, std::size_t length) {
    return size >= length && std::memcmp(data, signature, length) == 0;
}

PictureKind KindOfContent(const std::uint8_t* data, std::size_t size) {
    if (data == nullptr) return PictureKind::Unknown;
    if (StartsWith(data, size, "BM", 2)) return PictureKind::Bmp;
    if (StartsWith(data, size, "\xFF\xD8\xFF", 3)) return PictureKind::Jpeg;
    if (StartsWith(data, size, "\x89PNG", 4)) return PictureKind::Png;
    if (StartsWith(data, size, "GIF87a", 6) || StartsWith(data, size, "GIF89a", 6)) return PictureKind::Gif;
    if (size >= 3 && data[0] == 0x0A && data[2] == 1) {
        const std::uint8_t version = data[1];
        if (version == 0 || version == 2 || version == 3 || version == 4 || version == 5) return PictureKind::Pcx;
    }
    return PictureKind::Unknown;
}

// The extension of the last part of a path, in lower case, without the dot; "" when it has none.
std::string LowerExtension(const std::string& fileName) {
    const std::size_t slash = fileName.find_last_of("/\\:");
    const std::size_t dot = fileName.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
    std::string extension = fileName.substr(dot + 1);
    for (char& c : extension)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return extension;
}

PictureKind KindOfExtension(const std::string& fileName) {
    static const struct {
        const char* extension;
        PictureKind kind;
    } kinds[] = {
        {"bmp", PictureKind::Bmp},  {"dib", PictureKind::Bmp},   {"rle", PictureKind::Bmp},  {"sys", PictureKind::Bmp},
        {"jpg", PictureKind::Jpeg}, {"jpeg", PictureKind::Jpeg}, {"jif", PictureKind::Jpeg}, {"gif", PictureKind::Gif},
        {"png", PictureKind::Png},  {"tga", PictureKind::Tga},   {"pcx", PictureKind::Pcx},
    };
    const std::string extension = LowerExtension(fileName);
    for (const auto& entry : kinds)
        if (extension == entry.extension) return entry.kind;
    return PictureKind::Unknown;
}

} // namespace

PictureKind SniffPictureKind(const std::uint8_t* data, std::size_t size, const std::string& fileName) {
    const PictureKind byContent = KindOfContent(data, size);
    return byContent != PictureKind::Unknown ? byContent : KindOfExtension(fileName);
}
