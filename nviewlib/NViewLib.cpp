// NViewLib.dll: the program's picture library. NViewLibLoad reads a picture file of any of the
// wallpaper formats into a new bitmap that the caller owns, or returns 0.
#include "nviewlib/DecodePicture.h"
#include "platform/Bitmaps.h"
#include "platform/Files.h"
#include "platform/Locks.h"

#include <vector>

namespace {
// The decoders keep a little state of their own per decode, so calls from several threads of the
// caller take turns.
CriticalSection decoding;

// JPEG, PNG, GIF and TGA decoders write straight into the memory of the bitmap they return.
class BitmapMemory : public PictureMemory {
public:
    std::uint8_t* Provide(DecodedPicture& picture) override {
        std::uint8_t* bits = nullptr;
        bitmap = CreateDibSectionFor(picture, bits);
        return bits;
    }
    UniqueBitmap bitmap;
};
} // namespace

extern "C" __declspec(dllexport) HBITMAP WINAPI NViewLibLoad(const char* path, BOOL /*flag*/) {
    try {
        if (!path) return nullptr;
        CriticalSectionScope oneAtATime(decoding);
        std::vector<std::uint8_t> bytes;
        if (!ReadWholeFile(path, bytes)) return nullptr;
        DecodedPicture picture;
        BitmapMemory memory;
        if (!DecodePicture(bytes.data(), bytes.size(), path, picture, memory)) return nullptr;
        if (memory.bitmap) return memory.bitmap.Release();
        return CreateBitmapFromPicture(picture).Release();
    } catch (...) {
        // No failure may cross into the caller.
        return nullptr;
    }
}
