#pragma once
// A JPEG read row by row from an open file by libjpeg-turbo: reduced in the DCT (scale_num of 8),
// cut to the columns used (jpeg_crop_scanline) and passing over rows unshown (jpeg_skip_scanlines).
#include "nviewlib/JpegSetup.h"
#include "nviewlib/PictureRows.h"

#include <cstdio>
#include <vector>

class JpegRows : public PictureRows {
public:
    explicit JpegRows(std::FILE* file);
    ~JpegRows() override;
    JpegRows(const JpegRows&) = delete;
    JpegRows& operator=(const JpegRows&) = delete;

    // Reads the header; refused: a file libjpeg cannot read, or a picture above the decoders' limits.
    RowsOpened Open();

    PixelSize Reduce(PixelSize atLeast) override;
    int KeepColumns(int left, int width) override;
    std::uint32_t* NextRow() override;
    bool SkipRows(int count) override;
    bool Finish() override;

private:
    bool Start();

    // Every member function that calls libjpeg sets the jump first; no object with a destructor
    // lives in its frame.
    jpeg_decompress_struct info_;
    JpegErrors errors_;
    std::FILE* file_;
    bool created_ = false, started_ = false, failed_ = false, cmyk_ = false;
    std::vector<std::uint32_t> row_;
};
