#include "pictures/Transparency.h"

#include "pictures/PixelCompose.h"
#include "pictures/WallpaperText.h"
#include "platform/Bitmaps.h"

#include <cstdio>
#include <cstring>

namespace {
constexpr const char* kColoursKey = "Control Panel\\Colors";
} // namespace

COLORREF DesktopBackground() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kColoursKey, 0, KEY_QUERY_VALUE, &key) == ERROR_SUCCESS) {
        UniqueKey opened(key);
        char text[64] = {};
        DWORD type = 0, size = sizeof(text) - 1;
        std::uint32_t rgb = 0;
        if (RegQueryValueExA(key, "Background", nullptr, &type, reinterpret_cast<BYTE*>(text), &size) ==
                ERROR_SUCCESS &&
            type == REG_SZ && ParseRgbText(text, rgb))
            return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
    }
    return GetSysColor(COLOR_DESKTOP);
}

std::uint32_t PixelColour(COLORREF colour) {
    return (std::uint32_t(GetRValue(colour)) << 16) | (std::uint32_t(GetGValue(colour)) << 8) | GetBValue(colour);
}

bool HoldsOpacity(const std::uint8_t* head, std::size_t size) {
    static const std::uint8_t kPng[] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    if (size >= sizeof(kPng) && std::memcmp(head, kPng, sizeof(kPng)) == 0) return true;
    return size >= 6 && (std::memcmp(head, "GIF87a", 6) == 0 || std::memcmp(head, "GIF89a", 6) == 0);
}

void ShowOverDesktop(HBITMAP picture, const std::string& path) {
    PixelView pixels;
    if (!ViewPixelBitmap(picture, pixels)) return; // the library makes PNG and GIF pictures 32-bit sections
    std::uint8_t head[8] = {};
    std::size_t got = 0;
    if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
        got = std::fread(head, 1, sizeof(head), file);
        std::fclose(file);
    }
    if (HoldsOpacity(head, got)) LayOverColour(pixels, PixelColour(DesktopBackground()));
}
