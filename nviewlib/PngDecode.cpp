#include "nviewlib/PngDecode.h"

#include "nviewlib/PngSetup.h"

#include <cstring>
#include <utility>
#include <vector>

namespace {

struct Source {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t pos;
};

void ReadFromMemory(png_structp png, png_bytep target, png_size_t count) {
    auto* source = static_cast<Source*>(png_get_io_ptr(png));
    if (count > source->size - source->pos) png_error(png, "cut");
    std::memcpy(target, source->data + source->pos, count);
    source->pos += count;
}

// The part of DecodePng between setjmp and the end of libpng's work: no object with a destructor
// lives in a frame that a jump out of libpng leaves.
bool RunDecoder(png_structp png, png_infop info, DecodedPicture& picture, PictureMemory& memory,
                std::vector<png_bytep>& rows) {
    if (setjmp(png_jmpbuf(png))) return false;
    PreparePng(png);
    png_read_info(png, info);
    if (!ChooseBgraRows(png, info)) return false;
    const png_uint_32 width = png_get_image_width(png, info), height = png_get_image_height(png, info);
    SetBgraShape(picture, int(width), int(height));
    std::uint8_t* target = memory.Provide(picture);
    if (target == nullptr) return false;
    const std::size_t stride = std::size_t(width) * 4;
    rows.resize(height);
    for (png_uint_32 y = 0; y < height; ++y)
        rows[y] = target + std::size_t(height - 1 - y) * stride; // the file is top-down
    png_read_image(png, rows.data());
    return true;
}

} // namespace

bool DecodePng(const std::uint8_t* data, std::size_t size, DecodedPicture& out, PictureMemory& memory) {
    if (data == nullptr || size < 8 || png_sig_cmp(data, 0, 8) != 0) return false;
    PngReader reader;
    if (!reader.Png() || !reader.Info()) return false;
    Source source{data, size, 0};
    png_set_read_fn(reader.Png(), &source, ReadFromMemory);
    DecodedPicture picture;
    std::vector<png_bytep> rows;
    if (!RunDecoder(reader.Png(), reader.Info(), picture, memory, rows)) return false;
    out = std::move(picture);
    return true;
}
