#pragma once
// A picture file made the wallpaper of every monitor: F4 and the randomizer call this one operation.
// With one monitor the bitmap is composed for the screen and written as it always was. With several,
// each monitor gets what one monitor of its size would show, handed to the system one of two ways:
// the shell's per-monitor wallpapers where it has them (Windows 8 and later), one file a monitor;
// else one bitmap as large as the virtual screen that the system tiles over the whole desktop.
#include "pictures/TiledBitmap.h"
#include "pictures/Wallpaper.h"
#include "platform/DesktopWallpaper.h"

#include <functional>

// The monitors' bitmaps in the program folder: "@QZ!BACK.BMP" for the first (the primary), then
// "@QZ!BK02.BMP", "@QZ!BK03.BMP" and on, short names that every system takes.
std::string MonitorWallpaperName(std::size_t index);

// What a single monitor of the size shows of the file in the style, screen-sized: the composition
// itself where that is screen-sized ("Tiled", "Mirror", "Fill" and "Stretched", which the program
// stretches itself), else the composed bitmap centred on the desktop colour as the system centres it.
struct MonitorWallpaper {
    WallpaperPicture composed;
    ScreenPicture shown;
};
MonitorWallpaper ComposeMonitorWallpaper(const std::string& path, WallpaperStyle style, PixelSize monitor,
                                         TPictureLibrary& library);

// Hands each monitor's BMP file to the shell: the position "centre", then the file of each monitor.
// `files` are full paths, one per monitor in the order of `monitors`.
WallpaperResult SetMonitorWallpapers(TDesktopWallpaper& shell, const std::vector<TDesktopWallpaper::Monitor>& monitors,
                                     const std::vector<std::string>& files);
// Writes the tiled bitmap as "@QZ!BACK.BMP", repeated over the desktop from the primary's corner.
WallpaperResult SetTiledWallpaper(TiledBitmap& bitmap, const std::string& programDir);

struct FileWallpaperResult {
    WallpaperPicture::Outcome picture = WallpaperPicture::Outcome::Composed; // else nothing was written
    std::string reason;                                                      // NoLibrary: the failure's text
    WallpaperResult applied;
    int monitors = 1; // how many monitors were given the picture
};
FileWallpaperResult ApplyWallpaperFile(const std::string& path, WallpaperStyle style, const std::string& programDir,
                                       TPictureLibrary& library);
