#pragma once
// The first frame of a GIF read row by row from an open file by giflib: only a frame stored
// without interlace, whose rows come in order. Rows of the picture outside the frame are transparent.
#include "nviewlib/GifSetup.h"
#include "nviewlib/PictureRows.h"

#include <cstdio>
#include <vector>

class GifRows : public PictureRows {
public:
    explicit GifRows(std::FILE* file);

    // Reads up to the first frame's pixels.
    RowsOpened Open();

    std::uint32_t* NextRow() override;
    bool Finish() override;

private:
    GifReader reader_;
    std::uint32_t palette_[256] = {};
    std::vector<std::uint32_t> row_;
    std::vector<GifPixelType> line_;
    int next_ = 0;
    bool failed_ = false;
};
