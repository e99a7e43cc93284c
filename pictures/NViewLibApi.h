#pragma once
// The calls of NViewLib.dll, as the program looks them up by name.
#include <windows.h>

// NViewLibLoad(path, flag): the picture of a file as a new bitmap, or 0.
using NViewLibLoadCall = HBITMAP(WINAPI*)(const char* path, BOOL flag);
inline constexpr const char* kNViewLibLoad = "NViewLibLoad";

// NViewLibWallpaper(path, style, screen width, screen height, background, outcome): the bitmap a
// picture becomes as the wallpaper in a style (a WallpaperStyle's value) on a screen of the
// size, a 32-bit DIB section read only as far as the screen shows the picture; transparent parts
// take the background colour. 0 with the outcome when it made none.
using NViewLibWallpaperCall = HBITMAP(WINAPI*)(const char* path, int style, int screenWidth, int screenHeight,
                                               COLORREF background, int* outcome);
inline constexpr const char* kNViewLibWallpaper = "NViewLibWallpaper";
// NViewLibLoadCovering(path, cover width, cover height, background, width, height): the upright
// picture of a file as a new bitmap at the smallest size, proportions kept, that still covers the
// cover size on both sides, for a caller that shows it no larger: a JPEG reduced in the DCT, a PNG
// or GIF stored without interlace read row by row, and then averaged down, as a 32-bit DIB section
// whose transparent parts take the background colour. Other pictures come whole, as NViewLibLoad
// gives them. The picture's own upright size goes to `width` and `height` (0 when there is none).
using NViewLibLoadCoveringCall = HBITMAP(WINAPI*)(const char* path, int coverWidth, int coverHeight,
                                                  COLORREF background, int* width, int* height);
inline constexpr const char* kNViewLibLoadCovering = "NViewLibLoadCovering";

enum NViewLibOutcome {
    kNViewLibMade = 0,
    kNViewLibUnreadable = 1, // no picture the library reads, or a damaged one
    kNViewLibNoMemory = 2,
    kNViewLibReadWhole = 3, // a picture the library reads only whole: NViewLibLoad it
};
