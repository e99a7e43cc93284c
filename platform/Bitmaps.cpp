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

namespace {
BITMAPINFO PixelInfo(PixelSize size) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = size.width;
    info.bmiHeader.biHeight = size.height; // bottom-up: every Windows version takes it
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}
} // namespace

Pixels32 ReadPixels(HBITMAP bitmap, int maxRows) {
    BITMAP facts = {};
    if (!bitmap || !GetObjectA(bitmap, sizeof(facts), &facts) || facts.bmWidth <= 0 || facts.bmHeight == 0) return {};
    const int height = facts.bmHeight < 0 ? -facts.bmHeight : facts.bmHeight;
    const int rows = std::min(height, std::max(maxRows, 0));
    if (rows == 0) return {};
    Pixels32 pixels(facts.bmWidth, rows);
    BITMAPINFO info = PixelInfo({facts.bmWidth, height});
    WindowDc screen(nullptr);
    // Scan lines count from the bottom: the top rows are the last ones.
    if (GetDIBits(screen.Get(), bitmap, UINT(height - rows), UINT(rows), pixels.data.data(), &info, DIB_RGB_COLORS) !=
        rows)
        return {};
    const std::size_t width = std::size_t(pixels.width);
    for (int top = 0, bottom = rows - 1; top < bottom; ++top, --bottom)
        std::swap_ranges(pixels.data.begin() + std::ptrdiff_t(top * width),
                         pixels.data.begin() + std::ptrdiff_t((top + 1) * width),
                         pixels.data.begin() + std::ptrdiff_t(bottom * width));
    return pixels;
}

UniqueBitmap NewPixelBitmap(PixelSize size, PixelView& view) {
    view = {};
    if (size.Empty()) return UniqueBitmap();
    BITMAPINFO info = PixelInfo(size);
    void* bits = nullptr;
    WindowDc screen(nullptr);
    UniqueBitmap bitmap(CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits) return UniqueBitmap();
    auto* pixels = static_cast<std::uint32_t*>(bits);
    view = {pixels + std::ptrdiff_t(size.height - 1) * size.width, size.width, size.height,
            -std::ptrdiff_t(size.width)};
    return bitmap;
}

UniqueBitmap CopyPixelBitmap(HBITMAP bitmap) {
    BITMAP facts = {};
    if (!bitmap || !GetObjectA(bitmap, sizeof(facts), &facts) || facts.bmWidth <= 0 || facts.bmHeight == 0)
        return UniqueBitmap();
    const PixelSize size{facts.bmWidth, facts.bmHeight < 0 ? -facts.bmHeight : facts.bmHeight};
    PixelView view;
    UniqueBitmap copy = NewPixelBitmap(size, view);
    if (!copy) return copy;
    // Both bottom-up: the rows arrive where the section keeps them.
    BITMAPINFO info = PixelInfo(size);
    WindowDc screen(nullptr);
    void* bits = view.Row(size.height - 1);
    if (GetDIBits(screen.Get(), bitmap, 0, UINT(size.height), bits, &info, DIB_RGB_COLORS) != size.height)
        return UniqueBitmap();
    return copy;
}

bool ViewPixelBitmap(HBITMAP bitmap, PixelView& view) {
    ConstPixelView pixels;
    if (!ViewPixelBitmap(bitmap, pixels)) return false;
    // A section's bits are the program's own memory.
    view = {const_cast<std::uint32_t*>(pixels.pixels), pixels.width, pixels.height, pixels.stride};
    return true;
}

bool ViewPixelBitmap(HBITMAP bitmap, ConstPixelView& view) {
    DIBSECTION section = {};
    if (!bitmap || GetObjectA(bitmap, sizeof(section), &section) != int(sizeof(section))) return false;
    const BITMAPINFOHEADER& header = section.dsBmih;
    if (header.biBitCount != 32 || header.biCompression != BI_RGB || !section.dsBm.bmBits || header.biWidth <= 0)
        return false;
    GdiFlush(); // drawing into the section may still be queued
    const int height = header.biHeight < 0 ? -header.biHeight : header.biHeight;
    auto* pixels = static_cast<const std::uint32_t*>(section.dsBm.bmBits);
    if (header.biHeight < 0)
        view = {pixels, int(header.biWidth), height, std::ptrdiff_t(header.biWidth)};
    else
        view = {pixels + std::ptrdiff_t(height - 1) * header.biWidth, int(header.biWidth), height,
                -std::ptrdiff_t(header.biWidth)};
    return true;
}

BitmapPixels PixelsOfBitmap(HBITMAP bitmap) {
    BitmapPixels pixels;
    if (!ViewPixelBitmap(bitmap, pixels.view)) {
        pixels.copy = ReadPixels(bitmap);
        pixels.view = pixels.copy.View();
    }
    return pixels;
}
