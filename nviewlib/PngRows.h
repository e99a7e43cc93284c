#pragma once
// A PNG read row by row from an open file by libpng: only a picture stored without interlace,
// whose rows come in order.
#include "nviewlib/PictureRows.h"
#include "nviewlib/PngSetup.h"

#include <cstdio>
#include <vector>

class PngRows : public PictureRows {
public:
    explicit PngRows(std::FILE* file) : file_(file) {}

    // Reads the header.
    RowsOpened Open();

    std::uint32_t* NextRow() override;
    bool Finish() override;

private:
    PngReader reader_;
    std::FILE* file_;
    std::vector<std::uint32_t> row_;
    int next_ = 0;
};
