#include "pictures/ScreenFromPicture.h"

#include "pictures/ScreenMaker.h"
#include "pictures/ScreenRule.h"
#include "pictures/Wallpaper.h"
#include "platform/Files.h"

#include <new>
#include <stdexcept>

ScreenResult MakeScreenFromPicture(TPictureLibrary& library, const std::string& source, const std::string& target,
                                   bool animatedBar) {
    using Outcome = ScreenResult::Outcome;
    ScreenResult result;
    result.source = source;
    result.target = target;
    if (SameFile(source, target)) {
        result.outcome = Outcome::OverSource;
        return result;
    }
    UniqueBitmap bitmap;
    try {
        // No more of the picture than the frame averages down; transparent parts go black, as the
        // bands around the picture are.
        bitmap = library.LoadCovering(source, {kScreenWidth, kScreenHeight}, RGB(0, 0, 0)).bitmap;
    } catch (const std::bad_alloc&) {
        result.outcome = Outcome::NoMemory;
        return result;
    } catch (const std::exception& error) {
        result.outcome = Outcome::Unreadable;
        result.reason = error.what();
        return result;
    }
    if (!bitmap) {
        result.outcome = Outcome::Unreadable;
        return result;
    }
    std::string bytes;
    try {
        const BitmapPixels pixels = PixelsOfBitmap(bitmap.Get());
        if (pixels.view.width <= 0 || pixels.view.height <= 0) {
            result.outcome = Outcome::NoPicture;
            return result;
        }
        bytes = MakeScreenFile(pixels.view, animatedBar);
    } catch (const std::bad_alloc&) {
        result.outcome = Outcome::NoMemory;
        return result;
    }
    const ReplaceResult written = ReplaceFileContents(target, bytes);
    if (!written.Ok()) {
        result.outcome = Outcome::NotWritten;
        result.reason = SystemErrorText(written.error);
    }
    return result;
}
