#pragma once
// The picture library NViewLib.dll beside the program, loaded when first needed. A missing
// library or function is a failure to load the picture, never a crash.
#include "pictures/NViewLibApi.h"
#include "pictures/WallpaperStyles.h"
#include "platform/Handles.h"

#include <string>

class TPictureLibrary {
public:
    explicit TPictureLibrary(std::string folder) : folder_(std::move(folder)) {}
    TPictureLibrary(const TPictureLibrary&) = delete;
    TPictureLibrary& operator=(const TPictureLibrary&) = delete;
    ~TPictureLibrary();

    // The bitmap the library makes of the file, or null when it made none. Fails with an error
    // when the library or its function cannot be found.
    HBITMAP Load(const std::string& path);

    // The picture the library reads of the file at the smallest size that still covers `cover`,
    // laid over the background where it is transparent, with its own size. Fails like Load.
    struct CoveringPicture {
        UniqueBitmap bitmap; // null when the library made none
        PixelSize own;       // the picture's upright size as the file gives it
    };
    CoveringPicture LoadCovering(const std::string& path, PixelSize cover, COLORREF background);

    // The wallpaper the library makes of the file in the style on a screen of the size, reading
    // only what the screen shows, with the outcome (NViewLibOutcome). Fails like Load.
    struct LibraryWallpaper {
        int outcome = kNViewLibUnreadable;
        UniqueBitmap bitmap;
    };
    LibraryWallpaper MakeWallpaper(const std::string& path, WallpaperStyle style, PixelSize screen,
                                   COLORREF background);

private:
    void* Function(const char* name);

    std::string folder_;
    HMODULE module_ = nullptr;
    NViewLibLoadCall load_ = nullptr;
    NViewLibWallpaperCall wallpaper_ = nullptr;
    NViewLibLoadCoveringCall covering_ = nullptr;
};

inline constexpr const char* kPictureLibraryName = "NViewLib.dll";
