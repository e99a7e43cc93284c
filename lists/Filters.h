#pragma once
// The file browser's two filter lists: the screen filter for the start-up, waiting and shut-down
// categories, the wallpaper filter for the wallpaper category.
inline constexpr const char* kScreenFilter =
    "All usable files (*.bmp, *.sys)|*.bmp;*.sys;|Windows Bitmaps (*.bmp)|*.bmp|System Files (*.sys)|*.sys|"
    "All files (*.*)|*.*";
inline constexpr const char* kWallpaperFilter =
    "All usable files (*.bmp, *.jpg, *.jpeg, *.gif, *.dib, *.rle, *.tga, *.pcx, *.sys)|"
    "*.bmp;*.jpg;*.jpeg;*.jif;*.gif;*.dib;*.rle;*.tga;*.pcx;*.sys;|Windows Bitmaps (*.bmp)|*.bmp|"
    "System Files (*.sys)|*.sys|All files (*.*)|*.*";
