#include "nviewlib/PngDecode.h"

#include <cstring>
#include <utility>
#include <vector>

#include <png.h>

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

// A fault jumps back into RunDecoder, across libpng's C frames only; nothing is printed.
[[noreturn]] void OnError(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}
void OnWarning(png_structp, png_const_charp) {}

// The part of DecodePng between setjmp and the end of libpng's work: no object with a destructor
// lives in a frame that a jump out of libpng leaves.
bool RunDecoder(png_structp png, png_infop info, DecodedPicture& picture, PictureMemory& memory,
                std::vector<png_bytep>& rows) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_user_limits(png, kDecodeMaxSide, kDecodeMaxSide);
    // Only IHDR, PLTE, tRNS, IDAT and IEND make the picture; every other chunk is skipped unread.
    // libpng only warns of an ancillary chunk that claims more than its size limit and then
    // allocates all of it (fuzzing found a 4 KB file asking for 1.6 GB that way).
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, nullptr, -1);
    png_read_info(png, info);
    const png_uint_32 width = png_get_image_width(png, info), height = png_get_image_height(png, info);
    if (!DecodeSizeAllowed(width, height)) return false;

    png_set_expand(png); // palette to colours, grey below 8 bits to 8, a transparent colour to alpha
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    png_set_bgr(png);
    png_set_filler(png, 0xFF, PNG_FILLER_AFTER); // only where the picture has no alpha
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != std::size_t(width) * 4) return false;

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

// Owns libpng's read and info structures.
class PngReader {
public:
    PngReader() {
        png_ = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
        if (png_) info_ = png_create_info_struct(png_);
    }
    ~PngReader() { png_destroy_read_struct(&png_, info_ ? &info_ : nullptr, nullptr); }
    PngReader(const PngReader&) = delete;
    PngReader& operator=(const PngReader&) = delete;
    png_structp Png() const { return png_; }
    png_infop Info() const { return info_; }

private:
    png_structp png_ = nullptr;
    png_infop info_ = nullptr;
};

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
