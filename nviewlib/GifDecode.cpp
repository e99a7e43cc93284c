#include "nviewlib/GifDecode.h"

#include "nviewlib/GifSetup.h"

#include <cstring>
#include <utility>
#include <vector>

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

// Reads the frame whose descriptor giflib has just read into the screen-sized picture.
bool ReadFrame(GifFileType* gif, const std::uint32_t (&palette)[256], std::uint8_t* target, int screenWidth,
               int screenHeight) {
    const GifImageDesc& frame = gif->Image;
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
    GifReader reader(&source, ReadFromMemory);
    GifFileType* gif = reader.Get();
    int transparent = -1;
    std::uint32_t palette[256];
    if (!OpenFirstFrame(gif, transparent, palette)) return false;
    DecodedPicture picture;
    SetBgraShape(picture, gif->SWidth, gif->SHeight);
    std::uint8_t* target = memory.Provide(picture);
    if (target == nullptr || !ReadFrame(gif, palette, target, gif->SWidth, gif->SHeight)) return false;
    out = std::move(picture);
    return true;
}
