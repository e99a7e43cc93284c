#include "nviewlib/GifDecode.h"

#include <cstring>
#include <utility>
#include <vector>

#include <gif_lib.h>

namespace {

struct Source {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t pos;
};

int ReadFromMemory(GifFileType* gif, GifByteType* target, int count) {
    auto* source = static_cast<Source*>(gif->UserData);
    std::size_t n = count > 0 ? std::size_t(count) : 0;
    if (n > source->size - source->pos) n = source->size - source->pos;
    std::memcpy(target, source->data + source->pos, n);
    source->pos += n;
    return int(n);
}

// Owns giflib's decoder.
class GifReader {
public:
    explicit GifReader(Source& source) {
        int error = 0;
        gif_ = DGifOpen(&source, ReadFromMemory, &error);
    }
    ~GifReader() {
        int error = 0;
        if (gif_) DGifCloseFile(gif_, &error);
    }
    GifReader(const GifReader&) = delete;
    GifReader& operator=(const GifReader&) = delete;
    GifFileType* Get() const { return gif_; }

private:
    GifFileType* gif_ = nullptr;
};

// The transparent colour of a graphic control extension, or -1.
int TransparentIndex(const GifByteType* extension) {
    if (extension == nullptr || extension[0] < 4 || (extension[1] & 1) == 0) return -1;
    return extension[4];
}

// Reads the frame whose descriptor giflib has just read into the screen-sized picture.
bool ReadFrame(GifFileType* gif, int transparent, std::uint8_t* target, int screenWidth, int screenHeight) {
    const GifImageDesc& frame = gif->Image;
    const ColorMapObject* colours = frame.ColorMap ? frame.ColorMap : gif->SColorMap;
    // A frame is held to the same limits as the screen: its data could otherwise expand to
    // billions of pixels that lie outside the picture.
    if (colours == nullptr || colours->Colors == nullptr || frame.Width <= 0 || frame.Height <= 0 ||
        !DecodeSizeAllowed(std::uint64_t(frame.Width), std::uint64_t(frame.Height)))
        return false;
    std::uint32_t palette[256] = {};
    for (int i = 0; i < colours->ColorCount && i < 256; ++i) {
        const GifColorType& c = colours->Colors[i];
        palette[i] = 0xFF000000u | (std::uint32_t(c.Red) << 16) | (std::uint32_t(c.Green) << 8) | c.Blue;
    }
    if (transparent >= 0) palette[transparent] = 0;

    // Interlaced frames store every 8th row from 0, every 8th from 4, every 4th from 2, every 2nd from 1.
    static const int kStart[] = {0, 4, 2, 1}, kStep[] = {8, 8, 4, 2};
    const int passes = frame.Interlace ? 4 : 1;
    const std::size_t stride = std::size_t(screenWidth) * 4;
    std::vector<GifPixelType> line(std::size_t(frame.Width));
    for (int pass = 0; pass < passes; ++pass) {
        for (int row = frame.Interlace ? kStart[pass] : 0; row < frame.Height;
             row += frame.Interlace ? kStep[pass] : 1) {
            if (DGifGetLine(gif, line.data(), frame.Width) == GIF_ERROR) return false;
            const long y = long(frame.Top) + row;
            if (y >= screenHeight) continue;
            std::uint8_t* out = target + (std::size_t(screenHeight) - 1 - std::size_t(y)) * stride; // bottom-up
            for (int x = 0; x < frame.Width && long(frame.Left) + x < screenWidth; ++x) {
                const std::uint32_t pixel = palette[line[std::size_t(x)]];
                std::memcpy(out + 4 * (std::size_t(frame.Left) + std::size_t(x)), &pixel, 4);
            }
        }
    }
    return true;
}

} // namespace

bool DecodeGif(const std::uint8_t* data, std::size_t size, DecodedPicture& out, PictureMemory& memory) {
    if (data == nullptr || size < 6) return false;
    Source source{data, size, 0};
    GifReader reader(source);
    GifFileType* gif = reader.Get();
    if (gif == nullptr || !DecodeSizeAllowed(std::uint64_t(gif->SWidth), std::uint64_t(gif->SHeight))) return false;

    int transparent = -1;
    for (;;) {
        GifRecordType record;
        if (DGifGetRecordType(gif, &record) == GIF_ERROR) return false;
        if (record == TERMINATE_RECORD_TYPE) return false; // no frame at all
        if (record == EXTENSION_RECORD_TYPE) {
            int code = 0;
            GifByteType* extension = nullptr;
            if (DGifGetExtension(gif, &code, &extension) == GIF_ERROR) return false;
            if (code == GRAPHICS_EXT_FUNC_CODE) transparent = TransparentIndex(extension);
            while (extension != nullptr)
                if (DGifGetExtensionNext(gif, &extension) == GIF_ERROR) return false;
            continue;
        }
        if (record != IMAGE_DESC_RECORD_TYPE) continue;
        if (DGifGetImageDesc(gif) == GIF_ERROR) return false;
        DecodedPicture picture;
        SetBgraShape(picture, gif->SWidth, gif->SHeight);
        std::uint8_t* target = memory.Provide(picture);
        if (target == nullptr || !ReadFrame(gif, transparent, target, gif->SWidth, gif->SHeight)) return false;
        out = std::move(picture);
        return true;
    }
}
