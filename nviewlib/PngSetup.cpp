#include "nviewlib/PngSetup.h"

namespace {
// A fault jumps back into the caller, across libpng's C frames only; nothing is printed.
[[noreturn]] void OnError(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}
void OnWarning(png_structp, png_const_charp) {}
} // namespace

PngReader::PngReader() {
    png_ = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
    if (png_) info_ = png_create_info_struct(png_);
}

PngReader::~PngReader() {
    png_destroy_read_struct(&png_, info_ ? &info_ : nullptr, nullptr);
}

void PreparePng(png_structp png) {
    png_set_user_limits(png, kDecodeMaxSide, kDecodeMaxSide);
    // Only IHDR, PLTE, tRNS, IDAT and IEND make the picture; every other chunk is skipped unread.
    // libpng only warns of an ancillary chunk that claims more than its size limit and then
    // allocates all of it (fuzzing found a 4 KB file asking for 1.6 GB that way).
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, nullptr, -1);
}

bool ChooseBgraRows(png_structp png, png_infop info) {
    const png_uint_32 width = png_get_image_width(png, info), height = png_get_image_height(png, info);
    if (!DecodeSizeAllowed(width, height)) return false;
    png_set_expand(png); // palette to colours, grey below 8 bits to 8, a transparent colour to alpha
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    png_set_bgr(png);
    png_set_filler(png, 0xFF, PNG_FILLER_AFTER); // only where the picture has no alpha
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    return png_get_rowbytes(png, info) == std::size_t(width) * 4;
}
