#pragma once
// A picture read from its file one row at a time, top to bottom, for a wallpaper that needs only
// part of it or a smaller size of it: the whole picture is never held.
#include "pictures/PixelCompose.h"

#include <cstdint>

// How reading a file's rows begins: a picture read whole (interlaced) is left to a whole decode.
enum class RowsOpened { Rows, Interlaced, Refused };

class PictureRows {
public:
    virtual ~PictureRows() = default;

    // Reduces the rows, where the format can, to the smallest size it offers that still covers
    // `atLeast`; returns the size they then have. Only before the first row; by default the stored size.
    virtual PixelSize Reduce(PixelSize /*atLeast*/) { return stored; }
    // Only the columns from `left`, `width` wide, will be used: a row may then begin at a column
    // left of `left`, which is returned (0 by default: whole rows). Only before the first row.
    virtual int KeepColumns(int /*left*/, int /*width*/) { return 0; }
    // The next row: 4-byte pixels (blue, green, red, opacity or 255), valid until the next call;
    // null when the picture cannot be read.
    virtual std::uint32_t* NextRow() = 0;
    // Passes over rows that are not shown; false when the picture cannot be read.
    virtual bool SkipRows(int count) {
        for (int i = 0; i < count; ++i)
            if (!NextRow()) return false;
        return true;
    }
    // Reads the rest of the picture, so that a damaged file is refused as a whole decode refuses it.
    virtual bool Finish() = 0;

    PixelSize stored;     // as the file stores it
    int orientation = 1;  // as EXIF numbers it: how the stored rows turn upright
    bool opacity = false; // the fourth byte is the pixel's opacity
};
