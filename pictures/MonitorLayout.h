#pragma once
// Where each monitor's wallpaper goes when the system tiles one bitmap over the whole desktop: a
// tile's top-left corner lies at the primary monitor's (0, 0), so the desktop point (x, y) shows the
// bitmap's pixel (x mod W, y mod H) for a bitmap of the virtual screen's size W x H. A monitor left
// of or above the primary wraps round to the bitmap's far side.
#include "platform/MonitorRect.h"

#include <vector>

// The smallest rectangle that holds every monitor: the virtual screen.
MonitorRect VirtualScreenOf(const std::vector<MonitorRect>& monitors);

// The order in which monitors are given their wallpapers: the primary first, then from left to right,
// then from top to bottom; the same on every run, whatever order the system lists them in.
bool MonitorComesFirst(const MonitorRect& a, const MonitorRect& b);

// x mod m, never negative; m > 0.
int WrapInto(int x, int m);

// A rectangle of a monitor's own picture and the place in the tiled bitmap where it goes.
struct TilePiece {
    int fromLeft = 0; // in the monitor's picture
    int fromTop = 0;
    int toLeft = 0; // in the bitmap
    int toTop = 0;
    int width = 0;
    int height = 0;
};
// The one to four pieces of the monitor's picture, cut where the bitmap's edges wrap it; a monitor
// larger than the bitmap gives the part that fits.
std::vector<TilePiece> TiledPieces(const MonitorRect& monitor, PixelSize bitmap);
