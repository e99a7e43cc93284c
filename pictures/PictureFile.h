#pragma once
// Reading a picture file for a category, without any window: a screen category reads it as a
// Windows bitmap and holds it to the screen rule; the wallpaper category hands it to the picture
// library. Adding to a list, the preview, installing and the randomizer all read pictures here.
#include "pictures/PictureLibrary.h"
#include "pictures/ScreenRule.h"
#include "platform/Handles.h"
#include "system/Category.h"

#include <string>

// Picture result codes.
constexpr int kPictureLoaded = 0;
constexpr int kPictureNotOpened = 10;
constexpr int kPictureFailed = 100;

struct PictureFile {
    enum class Outcome {
        Loaded,     // read; an empty (0 x 0) picture has no bitmap
        NotOpened,  // the file cannot be opened
        Unreadable, // no picture the reader takes; `reason` where the system or reader gave one
        NoLibrary,  // the picture library or its function is missing: `reason`
    };
    Outcome outcome = Outcome::Unreadable;
    std::string reason;
    int width = 0;
    int height = 0;
    PixelFormat format = PixelFormat::Device;
    ScreenCheck check = ScreenCheck::Fits; // a screen's rule; a wallpaper always fits
    UniqueBitmap bitmap;                   // when asked for
    int rotationStart = 0;                 // a screen file's byte 0x32: its first palette entry that turns

    int ResultCode() const;
};

// Whether the caller keeps the picture or only asks what it is. A wallpaper's bitmap can be asked
// for no larger than what covers `cover`, as the picture library reads it; its width and height stay
// the file's own.
enum class PictureNeed { Check, Bitmap };
PictureFile ReadPictureFile(const std::string& path, Category category, TPictureLibrary& library, PictureNeed need,
                            PixelSize cover = {});

// True when the file reads and holds no Windows bitmap (IsWindowsBitmap): the system cannot show it
// as a screen. A file that cannot be read is left to the copy, which says why it fails.
bool HoldsNoBitmap(const std::string& path);
