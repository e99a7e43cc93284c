#include "platform/Bitmaps.h"

#include <algorithm>
#include <cstring>
#include <vector>

UniqueBitmap CreateDibSectionFor(const DecodedPicture& picture, std::uint8_t*& bits) {
    bits = nullptr;
    if (picture.Empty() || picture.bitsPerPixel == 0) return UniqueBitmap();
    // Header, then three masks or up to 256 colours.
    std::vector<std::uint8_t> info(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD));
    auto* header = reinterpret_cast<BITMAPINFOHEADER*>(info.data());
    header->biSize = sizeof(BITMAPINFOHEADER);
    header->biWidth = picture.width;
    header->biHeight = picture.height;
    header->biPlanes = 1;
    header->biBitCount = WORD(picture.bitsPerPixel);
    header->biCompression = BI_RGB;
    std::uint8_t* table = info.data() + sizeof(BITMAPINFOHEADER);
    // The implied masks of a 16- or 32-bit picture stored without masks stay implied, so the
    // bitmap keeps its pixel format.
    bool explicitMasks = picture.hasMasks && picture.format != PixelFormat::Bits15 &&
                         picture.format != PixelFormat::Bits32 && picture.bitsPerPixel >= 16;
    if (explicitMasks) {
        header->biCompression = BI_BITFIELDS;
        std::memcpy(table, picture.masks.data(), 3 * sizeof(std::uint32_t));
    } else if (picture.bitsPerPixel <= 8) {
        std::size_t colours = std::min<std::size_t>(picture.palette.size(), std::size_t(1) << picture.bitsPerPixel);
        header->biClrUsed = DWORD(colours);
        for (std::size_t i = 0; i < colours; ++i) {
            std::uint32_t rgb = picture.palette[i];
            RGBQUAD quad{BYTE(rgb & 0xFF), BYTE((rgb >> 8) & 0xFF), BYTE((rgb >> 16) & 0xFF), 0};
            std::memcpy(table + i * sizeof(RGBQUAD), &quad, sizeof(RGBQUAD));
        }
    }
    void* memory = nullptr;
    WindowDc screen(nullptr);
    UniqueBitmap bitmap(CreateDIBSection(screen.Get(), reinterpret_cast<BITMAPINFO*>(info.data()), DIB_RGB_COLORS,
                                         &memory, nullptr, 0));
    if (!bitmap || !memory) return UniqueBitmap();
    bits = static_cast<std::uint8_t*>(memory);
    return bitmap;
}

UniqueBitmap CreateBitmapFromPicture(const DecodedPicture& picture) {
    std::uint8_t* bits = nullptr;
    UniqueBitmap bitmap = CreateDibSectionFor(picture, bits);
    if (!bitmap) return bitmap;
    std::size_t bytes = std::min(picture.pixels.size(), picture.Stride() * std::size_t(picture.height));
    std::memcpy(bits, picture.pixels.data(), bytes);
    return bitmap;
}

UniqueBitmap CopyIndexedBitmap(HBITMAP bitmap) {
    DIBSECTION section = {};
    if (!bitmap || GetObjectA(bitmap, sizeof(section), &section) != int(sizeof(section))) return UniqueBitmap();
    if (section.dsBmih.biBitCount != 8 || section.dsBmih.biCompression != BI_RGB || !section.dsBm.bmBits)
        return UniqueBitmap();
    std::vector<std::uint8_t> info(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD));
    auto* header = reinterpret_cast<BITMAPINFOHEADER*>(info.data());
    *header = section.dsBmih; // the same size and row order: the rows copy as they are
    header->biClrUsed = 256;
    header->biClrImportant = 0;
    std::uint32_t colours[256] = {};
    ReadBitmapColours(bitmap, colours, 256);
    std::memcpy(info.data() + sizeof(BITMAPINFOHEADER), colours, sizeof(colours));
    void* memory = nullptr;
    WindowDc screen(nullptr);
    UniqueBitmap copy(CreateDIBSection(screen.Get(), reinterpret_cast<BITMAPINFO*>(info.data()), DIB_RGB_COLORS,
                                       &memory, nullptr, 0));
    if (!copy || !memory) return UniqueBitmap();
    std::memcpy(memory, section.dsBm.bmBits,
                std::size_t(section.dsBm.bmWidthBytes) * std::size_t(section.dsBm.bmHeight));
    return copy;
}

int ReadBitmapColours(HBITMAP bitmap, std::uint32_t* colours, int count) {
    RGBQUAD table[256];
    UniqueMemoryDc memory(CreateCompatibleDC(nullptr));
    SelectObjectScope select(memory.Get(), bitmap);
    const int read = int(GetDIBColorTable(memory.Get(), 0, UINT(std::clamp(count, 0, 256)), table));
    std::memcpy(colours, table, std::size_t(read) * sizeof(RGBQUAD));
    return read;
}

void WriteBitmapColours(HBITMAP bitmap, int first, int count, const std::uint32_t* colours) {
    RGBQUAD table[256];
    count = std::clamp(count, 0, 256);
    std::memcpy(table, colours, std::size_t(count) * sizeof(RGBQUAD));
    UniqueMemoryDc memory(CreateCompatibleDC(nullptr));
    SelectObjectScope select(memory.Get(), bitmap);
    SetDIBColorTable(memory.Get(), UINT(first), UINT(count), table);
}

BitmapFacts QueryBitmap(HBITMAP bitmap) {
    BitmapFacts facts;
    if (!bitmap) return facts;
    DIBSECTION section = {};
    int size = GetObjectA(bitmap, sizeof(section), &section);
    if (size == int(sizeof(DIBSECTION))) {
        const BITMAPINFOHEADER& header = section.dsBmih;
        facts.width = header.biWidth;
        facts.height = header.biHeight < 0 ? -header.biHeight : header.biHeight;
        bool masks = header.biCompression == BI_BITFIELDS;
        // Wine reports the 5-5-5 masks for every 16-bit section made without masks: those masks
        // are the format without masks, "15", as the program names a file's own.
        if (masks && header.biBitCount == 16 && section.dsBitfields[0] == 0x7C00 && section.dsBitfields[1] == 0x03E0 &&
            section.dsBitfields[2] == 0x001F)
            masks = false;
        facts.format = ClassifyBits(header.biBitCount, masks, masks ? section.dsBitfields[1] : 0);
    } else if (size >= int(sizeof(BITMAP))) {
        facts.width = section.dsBm.bmWidth;
        facts.height = section.dsBm.bmHeight;
        facts.format = PixelFormat::Device;
    }
    return facts;
}

void TPicture::Assign(UniqueBitmap bitmap) {
    facts_ = QueryBitmap(bitmap.Get());
    bitmap_ = std::move(bitmap);
}

void TPicture::Assign(UniqueBitmap bitmap, PixelFormat format) {
    Assign(std::move(bitmap));
    facts_.format = format;
}
