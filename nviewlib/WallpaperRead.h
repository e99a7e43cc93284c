#pragma once
// The wallpaper a picture becomes, read from its rows only as far as the screen shows them.
#include "nviewlib/PictureRows.h"
#include "pictures/WallpaperStyles.h"

// ComposeWallpaper of the upright picture in the style on a screen of the size, the picture's
// transparent parts laid over `background` (0x00RRGGBB). A picture the style scales is read at the
// smallest size its format offers that still covers the saved size, and goes row by row into the
// scaler; one the style keeps at its own scale is read only in the rows and columns shown. Empty
// when the picture cannot be read.
Pixels32 ReadWallpaperRows(PictureRows& rows, WallpaperStyle style, PixelSize screen, std::uint32_t background);

// The smallest size, proportions kept, that reaches `cover` on both sides; the picture's own size
// where that is no larger.
PixelSize CoveringSize(PixelSize picture, PixelSize cover);

// The upright picture read from its rows at CoveringSize of `cover` (an upright size): reduced as
// far as its format offers, then averaged down, its transparent parts laid over `background`
// (0x00RRGGBB) and every pixel opaque (255). Empty when the picture cannot be read.
Pixels32 ReadCoveringRows(PictureRows& rows, PixelSize cover, std::uint32_t background);
