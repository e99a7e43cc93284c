#include "nviewlib/PngRows.h"

PngRows::Opened PngRows::Open() {
    png_structp png = reader_.Png();
    png_infop info = reader_.Info();
    if (!png || !info) return Opened::Refused;
    if (setjmp(png_jmpbuf(png))) return Opened::Refused;
    PreparePng(png);
    png_init_io(png, file_);
    png_read_info(png, info);
    if (png_get_interlace_type(png, info) != PNG_INTERLACE_NONE) return Opened::Interlaced;
    if (!ChooseBgraRows(png, info)) return Opened::Refused;
    stored = {int(png_get_image_width(png, info)), int(png_get_image_height(png, info))};
    opacity = true; // 255 where the picture has none
    return Opened::Rows;
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
