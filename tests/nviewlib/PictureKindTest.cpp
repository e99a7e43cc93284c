#include "nviewlib/PictureKind.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes ReadDataFile(const std::string& name) {
    std::ifstream file(std::string(NVIEWLIB_TEST_DATA) + "/" + name, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

const char* Name(PictureKind kind) {
    switch (kind) {
    case PictureKind::Bmp:
        return "Bmp";
    case PictureKind::Jpeg:
        return "Jpeg";
    case PictureKind::Png:
        return "Png";
    case PictureKind::Gif:
        return "Gif";
    case PictureKind::Tga:
        return "Tga";
    case PictureKind::Pcx:
        return "Pcx";
    case PictureKind::Unknown:
        return "Unknown";
    }
    return "?";
}

} // namespace

TEST(PictureKind, TestPicturesByContent) {
    const struct {
        const char* file;
        PictureKind expected;
    } cases[] = {
        {"picture.jpg", PictureKind::Jpeg},   {"UPPER.JPG", PictureKind::Jpeg},
        {"png-inside.jpg", PictureKind::Png}, {"picture.png", PictureKind::Png},
        {"picture.gif", PictureKind::Gif},    {"picture24.pcx", PictureKind::Pcx},
        {"picture8.pcx", PictureKind::Pcx},   {"picture1.pcx", PictureKind::Pcx},
        {"picture.tga", PictureKind::Tga},    {"picture-rle.tga", PictureKind::Tga},
        {"truncated.jpg", PictureKind::Jpeg}, {"text.png", PictureKind::Png}, // no signature: the extension
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const Bytes file = ReadDataFile(c.file);
        ASSERT_FALSE(file.empty()) << "missing test picture";
        EXPECT_STREQ(Name(SniffPictureKind(file.data(), file.size(), c.file)), Name(c.expected));
    }
}

TEST(PictureKind, ContentBeatsExtension) {
    const struct {
        const char* name;
        Bytes bytes;
        const char* fileName;
        PictureKind expected;
    } cases[] = {
        {"BMP", {'B', 'M', 0x36, 0}, "x.jpg", PictureKind::Bmp},
        {"JPEG", {0xFF, 0xD8, 0xFF, 0xE0}, "x.png", PictureKind::Jpeg},
        {"PNG", {0x89, 'P', 'N', 'G', 0x0D, 0x0A}, "x.bmp", PictureKind::Png},
        {"GIF87a", {'G', 'I', 'F', '8', '7', 'a'}, "x.tga", PictureKind::Gif},
        {"GIF89a", {'G', 'I', 'F', '8', '9', 'a', 1}, "x.pcx", PictureKind::Gif},
        {"PCX version 0", {0x0A, 0, 1, 8}, "x.gif", PictureKind::Pcx},
        {"PCX version 5", {0x0A, 5, 1}, "x", PictureKind::Pcx},
        {"PCX version 2", {0x0A, 2, 1}, "x.tga", PictureKind::Pcx},
        // Near misses fall back on the extension.
        {"PCX version 1", {0x0A, 1, 1, 8}, "x.tga", PictureKind::Tga},
        {"PCX version 6", {0x0A, 6, 1, 8}, "x", PictureKind::Unknown},
        {"PCX encoding 0", {0x0A, 5, 0, 8}, "x.gif", PictureKind::Gif},
        {"GIF88a", {'G', 'I', 'F', '8', '8', 'a'}, "x.png", PictureKind::Png},
        {"JPEG of two bytes", {0xFF, 0xD8}, "x.tga", PictureKind::Tga},
        {"PNG of three bytes", {0x89, 'P', 'N'}, "x", PictureKind::Unknown},
        {"one B", {'B'}, "x.gif", PictureKind::Gif},
        {"nothing", {}, "x.jpeg", PictureKind::Jpeg},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_STREQ(Name(SniffPictureKind(c.bytes.data(), c.bytes.size(), c.fileName)), Name(c.expected));
    }
    EXPECT_STREQ(Name(SniffPictureKind(nullptr, 10, "x.pcx")), "Pcx");
}

TEST(PictureKind, ExtensionsInAnyCase) {
    const Bytes tga = {0, 0, 2, 0, 0, 0, 0, 0}; // a TGA header: no signature
    const struct {
        const char* fileName;
        PictureKind expected;
    } cases[] = {
        {"a.bmp", PictureKind::Bmp},
        {"a.DIB", PictureKind::Bmp},
        {"a.Rle", PictureKind::Bmp},
        {"WINLOGO.SYS", PictureKind::Bmp},
        {"a.jpg", PictureKind::Jpeg},
        {"A.JPEG", PictureKind::Jpeg},
        {"a.jIf", PictureKind::Jpeg},
        {"a.GIF", PictureKind::Gif},
        {"a.Png", PictureKind::Png},
        {"a.TGA", PictureKind::Tga},
        {"a.pcx", PictureKind::Pcx},
        {"C:\\Pictures\\Sea.Tga", PictureKind::Tga},
        {"dir/archive.tar.TGA", PictureKind::Tga},
        {"a.txt", PictureKind::Unknown},
        {"a.tga.txt", PictureKind::Unknown},
        {"a.jpgx", PictureKind::Unknown},
        {"a.", PictureKind::Unknown},
        {"tga", PictureKind::Unknown},
        {"", PictureKind::Unknown},
        {"C:\\My.Pictures\\readme", PictureKind::Unknown},
        {"my.tga/readme", PictureKind::Unknown},
        {"C:.tga", PictureKind::Tga},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fileName);
        EXPECT_STREQ(Name(SniffPictureKind(tga.data(), tga.size(), c.fileName)), Name(c.expected));
    }
}
