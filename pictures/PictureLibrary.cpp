#include "pictures/PictureLibrary.h"

#include <stdexcept>

TPictureLibrary::~TPictureLibrary() {
    if (module_) FreeLibrary(module_);
}

void* TPictureLibrary::Function(const char* name) {
    if (!module_) module_ = LoadLibraryA((folder_ + kPictureLibraryName).c_str());
    if (!module_) throw std::runtime_error(std::string("Cannot load ") + kPictureLibraryName);
    void* function = reinterpret_cast<void*>(GetProcAddress(module_, name));
    if (!function) throw std::runtime_error(std::string(name) + " is missing from " + kPictureLibraryName);
    return function;
}

HBITMAP TPictureLibrary::Load(const std::string& path) {
    if (!load_) load_ = reinterpret_cast<NViewLibLoadCall>(Function(kNViewLibLoad));
    return load_(path.c_str(), FALSE);
}

TPictureLibrary::LibraryWallpaper TPictureLibrary::MakeWallpaper(const std::string& path, WallpaperStyle style,
                                                                 PixelSize screen, COLORREF background) {
    if (!wallpaper_) wallpaper_ = reinterpret_cast<NViewLibWallpaperCall>(Function(kNViewLibWallpaper));
    LibraryWallpaper made;
    made.bitmap.Reset(wallpaper_(path.c_str(), int(style), screen.width, screen.height, background, &made.outcome));
    return made;
}

TPictureLibrary::CoveringPicture TPictureLibrary::LoadCovering(const std::string& path, PixelSize cover,
                                                               COLORREF background) {
    if (!covering_) covering_ = reinterpret_cast<NViewLibLoadCoveringCall>(Function(kNViewLibLoadCovering));
    CoveringPicture read;
    read.bitmap.Reset(
        covering_(path.c_str(), cover.width, cover.height, background, &read.own.width, &read.own.height));
    return read;
}
