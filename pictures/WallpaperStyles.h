#pragma once
// The wallpaper styles and the geometry of each: where the full-screen window puts the picture and
// what size of bitmap becomes the wallpaper. Screen sizes are arguments, so the randomizer and the
// tests lay pictures out for any screen.
#include "platform/PixelView.h"

#include <optional>
#include <string>

// Each style's value is its number in the picture library's call. StretchedToScreen is no style of
// its own: it is how "Stretched" is composed where the system would not stretch the bitmap, the
// picture scaled to the screen by the program.
enum class WallpaperStyle {
    Centred = 0,
    Stretched = 1,
    Tiled = 2,
    Fit2Screen = 3,
    Mirror = 4,
    Fill = 5,
    StretchedToScreen = 6
};
constexpr int kWallpaperStyleCount = 6;

// The one table of the styles, in the order the program offers them: the style box's items and the
// full-screen window's menu.
struct WallpaperStyleInfo {
    WallpaperStyle style;
    const char* name; // as the style box, the list file and the wallpaper entries spell it
    // The desktop values: TileWallpaper, and WallpaperStyle where the system has that value.
    const char* tileWallpaper;
    const char* wallpaperStyle;
    const char* menuCaption; // the full-screen window's entry, with Ctrl and `shortCut`
    char shortCut;
};
extern const WallpaperStyleInfo kWallpaperStyles[kWallpaperStyleCount];

// The table's entry; StretchedToScreen is written as "Fit 2 Screen" is.
const WallpaperStyleInfo& StyleInfo(WallpaperStyle style);
// The style whose name equals the text exactly; nothing for any other text.
std::optional<WallpaperStyle> WallpaperStyleNamed(const std::string& text);
// The style of a value of the picture library's call; nothing for a number that names none.
std::optional<WallpaperStyle> WallpaperStyleOfValue(int value);

struct LayoutRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// x / y rounded to the nearest integer, halves to even; y > 0, x >= 0.
long long RoundHalfEven(long long x, long long y);

// The picture scaled, proportions kept, to touch two opposite screen edges, and centred. The ratios
// are compared exactly; equal ratios fill the screen's height. A side never shrinks below 1 pixel.
LayoutRect FitToScreen(PixelSize picture, PixelSize screen);
// The picture at its own size, centred in the area; edges are negative when it is larger.
LayoutRect CentreIn(PixelSize picture, PixelSize area);

// "Fill": the picture scaled, proportions kept, to the smallest size that covers the screen, and
// centred, its overflow outside the screen. Sides up to 65,535 make sizes up to 65,535 squared.
struct CoverRect {
    long long left = 0;
    long long top = 0;
    long long width = 0;
    long long height = 0;
};
CoverRect FillScreen(PixelSize picture, PixelSize screen);

// How the full-screen window shows the picture.
struct ImageLayout {
    // OwnColours: the picture with a colour table of its own where it has one, which can turn.
    enum class Content { Picture, Tiles, MirroredTiles, Filled, OwnColours };
    enum class Stretch { On, Off, AsBefore };
    bool laidOut = true;     // false: there is no style, nothing changes
    bool fillsClient = true; // else the image takes `bounds`
    LayoutRect bounds;       // within the window's client area
    Stretch stretch = Stretch::On;
    Content content = Content::Picture;
    PixelSize composedSize; // the bitmap size of tiles and of "Fill": the screen
    bool onBlack = false;   // black around the picture, as the system shows a screen; else the desktop
};

// A start-up, waiting or shut-down screen: stretched over the whole window.
ImageLayout ScreenImageLayout();
// A wallpaper in a style (none: not laid out). An empty picture shows nothing but the desktop colour.
ImageLayout WallpaperImageLayout(std::optional<WallpaperStyle> style, PixelSize picture, PixelSize screen,
                                 PixelSize client);

// The size of the bitmap saved as the wallpaper: the fitted size for "Fit 2 Screen", the screen for
// tiles, "Fill" and the program's own stretch; for "Centred" and "Stretched" the picture's own size,
// cut to the screen's on each side where it is larger (the system shows no more of it).
PixelSize SavedBitmapSize(WallpaperStyle style, PixelSize picture, PixelSize screen);

// The part of the picture the saved bitmap is made of: the columns and rows the screen shows of a
// picture centred on it ("Centred") or tiled from its top-left corner ("Tiled", "Mirror"); the
// whole picture for the styles that scale it.
LayoutRect ShownPart(WallpaperStyle style, PixelSize picture, PixelSize screen);
// "Stretched", "Fit 2 Screen" and "Fill" scale the shown part; the others keep its pixels.
bool ScalesPicture(WallpaperStyle style);
// What the screen shows of the picture scaled: the part of a scaled picture `scaled` large whose
// top-left corner lies at (left, top) of it, where the saved bitmap begins.
struct ScaledWindow {
    long long width = 0;
    long long height = 0;
    long long left = 0;
    long long top = 0;
};
// The whole saved size for "Stretched" and "Fit 2 Screen"; for "Fill" the screen's part of the
// covering size.
ScaledWindow ScaledWindowOf(WallpaperStyle style, PixelSize picture, PixelSize screen);
