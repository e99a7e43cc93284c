#pragma once
// The bitmaps handed to the system when there are several monitors, as 24-bit BMP files in memory:
// one per monitor, or one as large as the virtual screen that the system tiles over the desktop
// with each monitor's picture at its wrapped place.
#include "pictures/MonitorLayout.h"
#include "pictures/WallpaperStyles.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

// What one monitor shows: a picture at (left, top) of a screen of the monitor's size, the rest of the
// screen in the background colour (0x00RRGGBB).
struct ScreenPicture {
    ConstPixelView picture;
    PixelSize screen;
    int left = 0;
    int top = 0;
    std::uint32_t background = 0;
};
// A composed wallpaper on a screen of the size as the system shows a bitmap: one as large as the
// screen covers it, a smaller one lies centred.
ScreenPicture PlacedOnScreen(ConstPixelView composed, PixelSize screen, std::uint32_t background);

// A 24-bit BMP file filled with the background, into which monitors' pictures are put.
class TiledBitmap {
public:
    TiledBitmap(PixelSize size, std::uint32_t background);
    // The bytes of a bitmap the program wrote, of the size, to put further pictures into; none when
    // they are anything else (another size or depth, compressed, top-down, cut short).
    static std::optional<TiledBitmap> FromFile(std::string file, PixelSize size);
    // The monitor's picture at the place where the tiling shows it on the monitor.
    void Put(const MonitorRect& monitor, const ScreenPicture& shown);
    const std::string& File() const { return file_; }
    std::string TakeFile() { return std::move(file_); }
    PixelSize Size() const { return size_; }

private:
    TiledBitmap() = default;
    char* Pixel(int x, int y); // (0, 0) is the top-left pixel; the rows are stored bottom-up
    PixelSize size_;
    std::string file_;
    std::size_t offset_ = 0;
    std::size_t stride_ = 0;
};

// The BMP file of one monitor's screen.
std::string EncodeScreenBmp24(const ScreenPicture& shown);
