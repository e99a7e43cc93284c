#include "nviewlib/PngRows.h"

RowsOpened PngRows::Open() {
    png_structp png = reader_.Png();
    png_infop info = reader_.Info();
    if (!png || !info) return RowsOpened::Refused;
    if (setjmp(png_jmpbuf(png))) return RowsOpened::Refused;
    PreparePng(png);
    png_init_io(png, file_);
    png_read_info(png, info);
    if (png_get_interlace_type(png, info) != PNG_INTERLACE_NONE) return RowsOpened::Interlaced;
    if (!ChooseBgraRows(png, info)) return RowsOpened::Refused;
    stored = {int(png_get_image_width(png, info)), int(png_get_image_height(png, info))};
    opacity = true; // 255 where the picture has none
    return RowsOpened::Rows;
}

std::uint32_t* PngRows::NextRow() {
    if (next_ >= stored.height) return nullptr;
    row_.resize(std::size_t(stored.width));
    if (setjmp(png_jmpbuf(reader_.Png()))) return nullptr;
    png_read_row(reader_.Png(), reinterpret_cast<png_bytep>(row_.data()), nullptr);
    ++next_;
    return row_.data();
}

bool PngRows::Finish() {
    while (next_ < stored.height)
        if (!NextRow()) return false;
    return true;
}
