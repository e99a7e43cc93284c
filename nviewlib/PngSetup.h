#pragma once
// How the picture library holds libpng: a fault jumps back to the caller's setjmp (across
// libpng's C frames only), nothing is printed, only the chunks that make the picture are read,
// and the rows come out as blue, green, red and opacity (255 where the picture has none).
#include "nviewlib/PictureMemory.h"

#include <png.h>

// Owns libpng's read and info structures, made to jump out on a fault.
class PngReader {
public:
    PngReader();
    ~PngReader();
    PngReader(const PngReader&) = delete;
    PngReader& operator=(const PngReader&) = delete;
    png_structp Png() const { return png_; }
    png_infop Info() const { return info_; }

private:
    png_structp png_ = nullptr;
    png_infop info_ = nullptr;
};

// Inside the caller's setjmp, before png_read_info: the limits and the chunks read.
void PreparePng(png_structp png);
// Inside the caller's setjmp, after png_read_info: the transforms to blue, green, red and opacity;
// false for a picture above the decoders' limits or whose rows do not come out at 4 bytes a pixel.
bool ChooseBgraRows(png_structp png, png_infop info);
