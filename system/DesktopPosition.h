#pragma once
// How the desktop values place the wallpaper, in the shell's terms: the original wallpaper goes back
// to every monitor placed as its recorded values say.
#include <string>

// The shell's wallpaper position (0 centre, 1 tile, 2 stretch, 3 fit, 4 fill, 5 span) that the desktop
// values TileWallpaper and WallpaperStyle stand for; a missing value reads as the empty text.
int DesktopPositionOf(const std::string& tileWallpaper, const std::string& wallpaperStyle);
