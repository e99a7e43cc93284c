#include "pictures/PictureFile.h"

#include "pictures/BmpReader.h"
#include "pictures/ShownScreen.h"
#include "pictures/Transparency.h"
#include "platform/Bitmaps.h"
#include "platform/Files.h"

#include <exception>
#include <stdexcept>
#include <vector>

namespace {
using Outcome = PictureFile::Outcome;

void ReadScreen(const std::string& path, PictureNeed need, PictureFile& file) {
    std::vector<std::uint8_t> bytes;
    if (!ReadWholeFile(path, bytes)) {
        file.outcome = Outcome::NotOpened;
        return;
    }
    DecodedPicture decoded;
    if (ReadBmp(bytes.data(), bytes.size(), decoded) != BmpStatus::Ok) return;
    file.rotationStart = RotationStartOf(bytes.data(), bytes.size());
    bytes = std::vector<std::uint8_t>();
    file.width = decoded.width;
    file.height = decoded.height;
    file.check = CheckScreenPicture(decoded.width, decoded.height, decoded.format);
    if (decoded.Empty()) {
        file.outcome = Outcome::Loaded;
        return;
    }
    file.format = decoded.format;
    if (need == PictureNeed::Bitmap) {
        file.bitmap = CreateBitmapFromPicture(decoded);
        if (!file.bitmap) return;
    }
    file.outcome = Outcome::Loaded;
}

void ReadWallpaper(const std::string& path, TPictureLibrary& library, PictureNeed need, PixelSize cover,
                   PictureFile& file) {
    PixelSize own;
    try {
        if (need == PictureNeed::Bitmap && !cover.Empty()) {
            TPictureLibrary::CoveringPicture read = library.LoadCovering(path, cover, DesktopBackground());
            file.bitmap = std::move(read.bitmap);
            own = read.own;
        } else {
            file.bitmap = UniqueBitmap(library.Load(path));
        }
    } catch (const std::runtime_error& error) {
        file.outcome = Outcome::NoLibrary;
        file.reason = error.what();
        return;
    }
    // What is shown or applied shows transparent parts in the desktop's colour (a reduced picture has
    // them laid over it already).
    if (need == PictureNeed::Bitmap) ShowOverDesktop(file.bitmap.Get(), path);
    const BitmapFacts facts = QueryBitmap(file.bitmap.Get());
    file.width = own.Empty() ? facts.width : own.width;
    file.height = own.Empty() ? facts.height : own.height;
    file.format = facts.format;
    file.outcome = Outcome::Loaded;
}
} // namespace

int PictureFile::ResultCode() const {
    switch (outcome) {
    case Outcome::Loaded:
        return kPictureLoaded;
    case Outcome::NotOpened:
        return kPictureNotOpened;
    default:
        return kPictureFailed;
    }
}

PictureFile ReadPictureFile(const std::string& path, Category category, TPictureLibrary& library, PictureNeed need,
                            PixelSize cover) {
    PictureFile file;
    try {
        if (IsScreen(category))
            ReadScreen(path, need, file);
        else
            ReadWallpaper(path, library, need, cover, file);
    } catch (const std::exception& error) {
        file = PictureFile();
        file.reason = error.what();
    }
    if (need == PictureNeed::Check) file.bitmap.Reset();
    return file;
}

bool HoldsNoBitmap(const std::string& path) {
    std::vector<std::uint8_t> bytes;
    try {
        if (!ReadWholeFile(path, bytes)) return false;
    } catch (const std::exception&) {
        return false;
    }
    return !IsWindowsBitmap(bytes.data(), bytes.size());
}
