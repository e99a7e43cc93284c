#include "system/DesktopPosition.h"

#include <utility>

int DesktopPositionOf(const std::string& tileWallpaper, const std::string& wallpaperStyle) {
    // The system's numbers of WallpaperStyle; 0 (or none) is centred, or tiled with TileWallpaper 1.
    const std::pair<const char*, int> positions[] = {{"2", 2}, {"6", 3}, {"10", 4}, {"22", 5}};
    for (const auto& [value, position] : positions)
        if (wallpaperStyle == value) return position;
    return tileWallpaper == "1" ? 1 : 0;
}
