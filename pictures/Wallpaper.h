#pragma once
// Making a picture the desktop wallpaper, without any window: the bitmap is written to the program
// folder, the desktop values are set and the system is told. The randomizer calls the same.
#include "pictures/PictureLibrary.h"
#include "pictures/PixelCompose.h"
#include "pictures/WallpaperText.h"
#include "platform/Bitmaps.h"
#include "platform/Handles.h"
#include "system/RegistryNames.h"

// The size of the primary display, which the wallpaper covers.
PixelSize PrimaryScreenSize();

// Writes `bitmap` as the 24-bit BMP "@QZ!BACK.BMP" in `programDir` (which ends in a backslash),
// replacing the old file only once every byte is written; then, where the key `Control Panel\desktop`
// exists, sets Wallpaper, TileWallpaper and an existing WallpaperStyle for the style; then shows it
// with SystemParametersInfoA. Each step runs only when the one before it succeeded.
WallpaperResult SetWallpaper(ConstPixelView bitmap, WallpaperStyle style, const std::string& programDir);
// The same with a BMP file already made and the desktop values to write.
WallpaperResult SetWallpaperFile(const std::string& bmp, PixelSize size, const char* tileWallpaper,
                                 const char* wallpaperStyle, const std::string& programDir);

// The style the bitmap is composed in: the system shows "Stretched" centred where the desktop key
// has no WallpaperStyle value, so there the program stretches the picture to the screen itself.
WallpaperStyle ComposedStyle(WallpaperStyle style);

// A picture file composed for the style on a screen of the size by the picture library, which reads
// only what the screen shows of it; a picture the library reads only whole is read as the preview
// reads it and composed whole. Transparent parts show the desktop's background colour. F4 and the
// randomizer apply it with SetWallpaper, so both make the same wallpaper of a file.
struct WallpaperPicture {
    enum class Outcome { Composed, Unreadable, NoMemory, NoLibrary };
    Outcome outcome = Outcome::Unreadable;
    std::string reason; // NoLibrary: the failure's text
    UniqueBitmap bitmap;
    Pixels32 pixels;     // where the library read the picture whole
    ConstPixelView view; // of the one or the other
};
WallpaperPicture ComposeWallpaperFile(const std::string& path, WallpaperStyle style, PixelSize screen,
                                      TPictureLibrary& library);
