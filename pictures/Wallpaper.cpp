#include "pictures/Wallpaper.h"

#include "pictures/PictureFile.h"
#include "pictures/Transparency.h"
#include "platform/Files.h"
#include "platform/Registry.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <new>
#include <stdexcept>

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

// The system's words for a failure; nothing without an error code.
std::string SystemReason(DWORD error) {
    return error ? SystemErrorText(error) : std::string();
}

bool KeyExists(const char* path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    UniqueKey opened(key);
    return true;
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

PixelSize PrimaryScreenSize() {
    return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

WallpaperResult SetWallpaper(ConstPixelView bitmap, WallpaperStyle style, const std::string& programDir) {
    using Outcome = WallpaperResult::Outcome;
    WallpaperResult result;
    result.path = programDir + kWallpaperFileName;
    result.size = bitmap.Size();
    if (result.path.size() > kMaxWallpaperPath) {
        result.outcome = Outcome::PathTooLong;
        return result;
    }
    if (result.size.Empty()) {
        result.outcome = Outcome::NoPicture;
        return result;
    }

    ReplaceResult written = ReplaceFileContents(result.path, EncodeBmp24(bitmap));
    if (!written.Ok()) {
        result.outcome = Outcome::NotWritten;
        result.reason = SystemReason(written.error);
        return result;
    }

    const WallpaperStyleInfo& info = StyleInfo(style);
    try {
        // The key is opened, never created: a system without it keeps no record of the wallpaper.
        if (std::optional<TRegistryKey> desktop = TRegistryKey::Open(HKEY_CURRENT_USER, kDesktopKey)) {
            result.desktopKey = true;
            desktop->WriteString("Wallpaper", result.path);
            desktop->WriteString("TileWallpaper", info.tileWallpaper);
            if (desktop->HasValue("WallpaperStyle")) {
                desktop->WriteString("WallpaperStyle", info.wallpaperStyle);
                result.styleValue = true;
            }
        } else if (KeyExists(kDesktopKey)) {
            // There, but not to be written: no record of the new wallpaper would be kept.
            throw std::runtime_error(std::string("Failed to open key ") + kDesktopKey);
        }
    } catch (const std::exception& error) {
        result.outcome = Outcome::RegistryFailed;
        result.reason = error.what();
        return result;
    }

    char path[kMaxWallpaperPath + 1] = {};
    std::memcpy(path, result.path.c_str(), result.path.size());
    if (!SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, path, 0)) {
        result.outcome = Outcome::SystemRefused;
        result.reason = SystemReason(GetLastError());
    }
    return result;
}

WallpaperStyle ComposedStyle(WallpaperStyle style) {
    if (style != WallpaperStyle::Stretched) return style;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kDesktopKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return WallpaperStyle::Centred;
    UniqueKey opened(key);
    return RegQueryValueExA(key, "WallpaperStyle", nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS
               ? style
               : WallpaperStyle::Centred;
}

WallpaperResult ApplyWallpaperPicture(ConstPixelView picture, WallpaperStyle style, PixelSize screen,
                                      const std::string& programDir) {
    Pixels32 composed;
    try {
        composed = ComposeWallpaper(picture, ComposedStyle(style), screen);
    } catch (const std::bad_alloc&) {
        WallpaperResult result;
        result.outcome = WallpaperResult::Outcome::NoMemory;
        result.path = programDir + kWallpaperFileName;
        return result;
    }
    return SetWallpaper(composed.View(), style, programDir);
}

WallpaperPicture ComposeWallpaperFile(const std::string& path, WallpaperStyle style, PixelSize screen,
                                      TPictureLibrary& library) {
    using Outcome = WallpaperPicture::Outcome;
    WallpaperPicture made;
    try {
        style = ComposedStyle(style);
        TPictureLibrary::LibraryWallpaper composed = library.MakeWallpaper(path, style, screen, DesktopBackground());
        if (composed.outcome == kNViewLibReadWhole) {
            PictureFile file = ReadPictureFile(path, Category::Wall, library, PictureNeed::Bitmap);
            if (file.outcome == PictureFile::Outcome::NoLibrary) throw std::runtime_error(file.reason);
            const BitmapPixels picture = PixelsOfBitmap(file.bitmap.Get());
            made.pixels = ComposeWallpaper(picture.view, style, screen);
            made.view = made.pixels.View();
        } else if (composed.outcome == kNViewLibNoMemory) {
            made.outcome = Outcome::NoMemory;
            return made;
        } else {
            made.bitmap = std::move(composed.bitmap);
            if (!ViewPixelBitmap(made.bitmap.Get(), made.view)) made.view = {};
        }
    } catch (const std::bad_alloc&) {
        made = WallpaperPicture();
        made.outcome = Outcome::NoMemory;
        return made;
    } catch (const std::runtime_error& error) {
        made = WallpaperPicture();
        made.outcome = Outcome::NoLibrary;
        made.reason = error.what();
        return made;
    }
    made.outcome = made.view.width > 0 && made.view.height > 0 ? Outcome::Composed : Outcome::Unreadable;
    return made;
}
