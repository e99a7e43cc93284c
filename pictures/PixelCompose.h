#pragma once
// Drawing wallpapers in memory, on 32-bit pixels (blue, green, red, unused): tiles and mirrored
// tiles over a screen-sized bitmap, scaling that averages the source pixels it covers, and the
// 24-bit BMP file the desktop reads.
#include "pictures/WallpaperStyles.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Fills the target with tiles of the picture from its top-left corner, the last column and row cut
// at its edges; with `mirror`, tiles in odd columns are turned left to right and tiles in odd rows
// top to bottom.
void ComposeTiles(ConstPixelView picture, PixelView target, bool mirror);

// The rows of a picture handed out one at a time from the top, as a decoder makes them. Row(y) is
// asked for in order: y never goes back, except to the row asked for last, which must still hold.
class RowSource {
public:
    virtual ~RowSource() = default;
    virtual const std::uint32_t* Row(int y) = 0;
    int width = 0;
    int height = 0;
};

// Draws the source over the whole target. Each target pixel is the average of the source area it
// covers, weighted by how much of each source pixel lies inside it; the same size is a copy.
void ScaleByArea(ConstPixelView source, PixelView target);
// The same from rows that come one at a time: only one row of the source is held at once.
void ScaleByArea(RowSource& source, PixelView target);
// The target as the window of a larger scaled picture: the source is scaled to the window's size
// and the target's pixels begin at its left and top. Only the source rows the window covers are read.
void ScaleByArea(RowSource& source, PixelView target, const ScaledWindow& window);

// The part of a view inside the rectangle, which must lie within it.
ConstPixelView SubView(ConstPixelView picture, const LayoutRect& part);

// Pixels whose fourth byte is their opacity, laid over a colour (0x00RRGGBB, as the pixels hold
// it): a transparent pixel becomes the colour, a half-transparent one a mix; every pixel ends
// opaque (255), and an opaque one keeps its bytes.
void LayOverColour(std::uint32_t* pixels, std::size_t count, std::uint32_t colour);
void LayOverColour(PixelView picture, std::uint32_t colour);

// The source drawn over a new picture of the given size.
Pixels32 DrawScaled(ConstPixelView source, PixelSize size);

// The bitmap that becomes the wallpaper for a style and screen: the part of the picture the screen
// shows for "Centred", the screen-sized tiles for "Tiled" and "Mirror", the picture scaled to the
// saved size for "Stretched" and "Fit 2 Screen", the screen's part of the covering size for "Fill".
// Empty for an empty picture.
Pixels32 ComposeWallpaper(ConstPixelView picture, WallpaperStyle style, PixelSize screen);

// A bottom-up Windows bitmap file with 24 bits per pixel.
std::string EncodeBmp24(ConstPixelView picture);

// A Windows bitmap file of the size with its file and information headers written, room for a
// colour table of `colours` entries (declared as used) and for the bottom-up rows, each padded to
// 4 bytes; `offset` and `stride` say where the rows go. The caller fills the table and the rows.
std::string NewBmpFile(int width, int height, int bitsPerPixel, int colours, std::size_t& offset, std::size_t& stride);
void PutLittleEndian(std::string& file, std::size_t at, std::uint32_t value, int bytes);
