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

PixelSize PrimaryScreenSize() {
    return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

WallpaperResult SetWallpaper(ConstPixelView bitmap, WallpaperStyle style, const std::string& programDir) {
    if (bitmap.Size().Empty()) {
        WallpaperResult result;
        result.path = programDir + kWallpaperFileName;
        result.outcome = WallpaperResult::Outcome::NoPicture;
        return result;
    }
    const WallpaperStyleInfo& info = StyleInfo(style);
    return SetWallpaperFile(EncodeBmp24(bitmap), bitmap.Size(), info.tileWallpaper, info.wallpaperStyle, programDir);
}

WallpaperResult SetWallpaperFile(const std::string& bmp, PixelSize size, const char* tileWallpaper,
                                 const char* wallpaperStyle, const std::string& programDir) {
    using Outcome = WallpaperResult::Outcome;
    WallpaperResult result;
    result.path = programDir + kWallpaperFileName;
    result.size = size;
    if (result.path.size() > kMaxWallpaperPath) {
        result.outcome = Outcome::PathTooLong;
        return result;
    }

    ReplaceResult written = ReplaceFileContents(result.path, bmp);
    if (!written.Ok()) {
        result.outcome = Outcome::NotWritten;
        result.reason = SystemReason(written.error);
        return result;
    }

    try {
        // The key is opened, never created: a system without it keeps no record of the wallpaper.
        if (std::optional<TRegistryKey> desktop = TRegistryKey::Open(HKEY_CURRENT_USER, kDesktopKey)) {
            result.desktopKey = true;
            desktop->WriteString("Wallpaper", result.path);
            desktop->WriteString("TileWallpaper", tileWallpaper);
            if (desktop->HasValue("WallpaperStyle")) {
                desktop->WriteString("WallpaperStyle", wallpaperStyle);
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
        return WallpaperStyle::StretchedToScreen;
    UniqueKey opened(key);
    return RegQueryValueExA(key, "WallpaperStyle", nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS
               ? style
               : WallpaperStyle::StretchedToScreen;
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
