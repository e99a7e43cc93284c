#pragma once
// How the system shows a start-up, waiting or shut-down screen: the 320 x 400 bitmap over the
// whole 4:3 display and, for the start-up screen only, its palette turning from the entry that
// the file's byte 0x32 names up to the last one.
#include "pictures/WallpaperStyles.h"
#include "platform/PixelFormat.h"
#include "system/Category.h"

#include <cstddef>
#include <cstdint>

// Steps of the palette rotation a second: the rate of the PC's timer tick (18.2 a second).
constexpr int kRotationStepsPerSecond = 18;
constexpr int kRotationStepMs = 1000 / kRotationStepsPerSecond;

// The largest 4:3 rectangle in the display, centred: where the screen's bitmap appears.
LayoutRect ShownScreenRect(PixelSize display);

// The full-screen window's layout of a screen as the system shows it: stretched over that
// rectangle of the window, black around it, with colours of its own that can turn.
ImageLayout ShownScreenLayout(PixelSize client);

// Byte 0x32 of a bitmap file with a Windows information header (the low byte of its "important
// colours"): the first palette entry that turns at start-up, 0 for none. 0 for any other file.
int RotationStartOf(const std::uint8_t* file, std::size_t size);

// The first entry that turns when the system shows the picture as a screen of the category: only
// the start-up screen turns, and only an 8-bit picture has entries to turn. 0 when it stays still.
int ShownRotationStart(Category category, PixelFormat format, int rotationStart);

// Rows from `begin` up to, not including, `end`.
struct RowSpan {
    int begin = 0;
    int end = 0;
    bool Empty() const { return end <= begin; }
};
// The rows of an 8-bit picture, top row first, that hold an entry from `start` on.
RowSpan RowsWithEntriesFrom(const std::uint8_t* topRow, int width, int height, std::ptrdiff_t stride, int start);
// Where rows of a picture `height` rows high lie once it is stretched to `shownHeight` rows, with a
// row more on each side: all that one step of the rotation changes.
RowSpan ShownRows(RowSpan rows, int height, int shownHeight);

// One step of the rotation of a 256-entry colour table: each entry from `start` on moves up one
// place and the last comes round to `start`; the entries below `start` stay.
void RotateColours(std::uint32_t* colours, int start);
