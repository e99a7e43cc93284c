#pragma once
// Bitmaps: a decoded picture becomes a DIB section of its own depth, and any bitmap handle tells
// its size and pixel format.
#include "platform/DecodedPicture.h"
#include "platform/Handles.h"
#include "platform/PixelView.h"

// An empty DIB section of the picture's size, depth, colours and masks, and its zeroed memory in
// `bits`; null for the empty picture or when the system refuses.
UniqueBitmap CreateDibSectionFor(const DecodedPicture& picture, std::uint8_t*& bits);
// A DIB section holding the picture; null for the empty picture or when the system refuses.
UniqueBitmap CreateBitmapFromPicture(const DecodedPicture& picture);

// A copy of an 8-bit DIB section with a colour table of its own, whose colours can then change
// without the source's; null for any other bitmap.
UniqueBitmap CopyIndexedBitmap(HBITMAP bitmap);
// The colour table of a DIB section of at most 8 bits, entries 0x00RRGGBB: the number read.
int ReadBitmapColours(HBITMAP bitmap, std::uint32_t* colours, int count);
// Sets `count` entries of the colour table from `first` on; the next drawing shows them.
void WriteBitmapColours(HBITMAP bitmap, int first, int count, const std::uint32_t* colours);

struct BitmapFacts {
    int width = 0;
    int height = 0;
    PixelFormat format = PixelFormat::Device;
};
// Of a null handle: 0 x 0, "Device". A bitmap without a device-independent part is "Device".
// A 16-bit section with the 5-5-5 masks is "15": Wine reports them for every 16-bit section made
// without masks, so that is the only way a maskless one reads the same in every category.
BitmapFacts QueryBitmap(HBITMAP bitmap);

// A bitmap with the size and pixel format it holds; empty (0 x 0) when it holds none.
class TPicture {
public:
    HBITMAP Handle() const { return bitmap_.Get(); }
    int Width() const { return facts_.width; }
    int Height() const { return facts_.height; }
    PixelFormat Format() const { return facts_.format; }
    // Takes the bitmap; its format is read from the handle.
    void Assign(UniqueBitmap bitmap);
    // Takes the bitmap with the format it was decoded in.
    void Assign(UniqueBitmap bitmap, PixelFormat format);
    void Clear() { Assign(UniqueBitmap()); }

private:
    UniqueBitmap bitmap_;
    BitmapFacts facts_;
};

// Any bitmap as 32-bit pixels, top row first, at most its top `maxRows` rows; empty for a null or
// empty bitmap.
Pixels32 ReadPixels(HBITMAP bitmap, int maxRows = 0x7FFFFFFF);
// A new 32-bit DIB section of the size; `view` walks its pixels, top row first.
UniqueBitmap NewPixelBitmap(PixelSize size, PixelView& view);
// A 32-bit DIB section holding a copy of any bitmap; null for an empty one.
UniqueBitmap CopyPixelBitmap(HBITMAP bitmap);
// The pixels of a 32-bit DIB section in place, without a copy; false for any other bitmap.
bool ViewPixelBitmap(HBITMAP bitmap, ConstPixelView& view);
bool ViewPixelBitmap(HBITMAP bitmap, PixelView& view);

// A bitmap's pixels at 32 bits: read in place from a 32-bit DIB section, else copied into `copy`.
// An empty view for a null or empty bitmap.
struct BitmapPixels {
    ConstPixelView view;
    Pixels32 copy;
};
BitmapPixels PixelsOfBitmap(HBITMAP bitmap);
