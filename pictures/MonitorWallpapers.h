#pragma once
// A picture file made the wallpaper of every monitor, or of one: F4 and the randomizer call these
// operations. With one monitor the bitmap is composed for the screen and written as it always was.
// With several, each monitor gets what one monitor of its size would show, handed to the system as
// the desk of monitors does it.
#include "pictures/MonitorDesk.h"
#include "pictures/Wallpaper.h"

// What a single monitor of the size shows of the file in the style, screen-sized: the composition
// itself where that is screen-sized ("Tiled", "Mirror", "Fill" and "Stretched", which the program
// stretches itself), else the composed bitmap centred on the desktop colour as the system centres it.
struct MonitorWallpaper {
    WallpaperPicture composed;
    ScreenPicture shown;
};
MonitorWallpaper ComposeMonitorWallpaper(const std::string& path, WallpaperStyle style, PixelSize monitor,
                                         TPictureLibrary& library);

struct FileWallpaperResult {
    WallpaperPicture::Outcome picture = WallpaperPicture::Outcome::Composed; // else nothing was written
    std::string reason;                                                      // NoLibrary: the failure's text
    WallpaperResult applied;
    int monitors = 1; // how many monitors were given the picture
};
FileWallpaperResult ApplyWallpaperFile(const std::string& path, WallpaperStyle style, const std::string& programDir,
                                       TPictureLibrary& library);
// The picture on the one monitor, the others keeping what they show: through the shell, that
// monitor's wallpaper alone; in the tiled way, that monitor's part of the program's own present
// bitmap. Where that cannot be (one monitor, a monitor the desk does not know, a present bitmap that
// is not the program's own), every monitor gets the picture.
FileWallpaperResult ApplyWallpaperToMonitor(const std::string& path, WallpaperStyle style, const MonitorRect& monitor,
                                            const std::string& programDir, TPictureLibrary& library);
