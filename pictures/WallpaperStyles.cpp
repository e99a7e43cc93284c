#include "pictures/WallpaperStyles.h"

#include <algorithm>
#include <utility>

// "Fill" takes Ctrl+L: Ctrl+F is "Fit 2 Screen"'s.
const WallpaperStyleInfo kWallpaperStyles[kWallpaperStyleCount] = {
    {WallpaperStyle::Centred, "Centred", "0", "0", "&Centred", 'C'},
    {WallpaperStyle::Stretched, "Stretched", "0", "2", "&Stretched", 'S'},
    {WallpaperStyle::Tiled, "Tiled", "1", "0", "&Tiled", 'T'},
    {WallpaperStyle::Fit2Screen, "Fit 2 Screen", "0", "0", "&Fit 2 Screen", 'F'},
    {WallpaperStyle::Mirror, "Mirror", "0", "0", "&Mirror", 'M'},
    {WallpaperStyle::Fill, "Fill", "0", "0", "Fi&ll", 'L'},
};

const WallpaperStyleInfo& StyleInfo(WallpaperStyle style) {
    if (style == WallpaperStyle::StretchedToScreen) style = WallpaperStyle::Fit2Screen;
    for (const WallpaperStyleInfo& info : kWallpaperStyles)
        if (info.style == style) return info;
    return kWallpaperStyles[0];
}

std::optional<WallpaperStyle> WallpaperStyleNamed(const std::string& text) {
    for (const WallpaperStyleInfo& info : kWallpaperStyles)
        if (text == info.name) return info.style;
    return std::nullopt;
}

std::optional<WallpaperStyle> WallpaperStyleOfValue(int value) {
    if (value == int(WallpaperStyle::StretchedToScreen)) return WallpaperStyle::StretchedToScreen;
    for (const WallpaperStyleInfo& info : kWallpaperStyles)
        if (int(info.style) == value) return info.style;
    return std::nullopt;
}

long long RoundHalfEven(long long x, long long y) {
    long long quotient = x / y, twice = 2 * (x % y);
    if (twice > y || (twice == y && quotient % 2 != 0)) ++quotient;
    return quotient;
}

LayoutRect FitToScreen(PixelSize picture, PixelSize screen) {
    LayoutRect rect;
    if (picture.Empty() || screen.Empty()) return rect;
    const long long w = picture.width, h = picture.height, sw = screen.width, sh = screen.height;
    // W / H > SW / SH, without rounding: W * SH > SW * H.
    if (w * sh > sw * h) {
        rect.width = screen.width;
        rect.height = int(std::max(1LL, RoundHalfEven(h * sw, w)));
    } else {
        rect.height = screen.height;
        rect.width = int(std::max(1LL, RoundHalfEven(w * sh, h)));
    }
    // Integer division truncates toward zero, as the window places the image.
    rect.left = (screen.width - rect.width) / 2;
    rect.top = (screen.height - rect.height) / 2;
    return rect;
}

LayoutRect CentreIn(PixelSize picture, PixelSize area) {
    return {(area.width - picture.width) / 2, (area.height - picture.height) / 2, picture.width, picture.height};
}

CoverRect FillScreen(PixelSize picture, PixelSize screen) {
    CoverRect rect;
    if (picture.Empty() || screen.Empty()) return rect;
    const long long w = picture.width, h = picture.height, sw = screen.width, sh = screen.height;
    // The larger of SW / W and SH / H decides, compared without rounding: SW * H >= SH * W.
    if (sw * h >= sh * w) {
        rect.width = sw;
        rect.height = RoundHalfEven(h * sw, w);
    } else {
        rect.height = sh;
        rect.width = RoundHalfEven(w * sh, h);
    }
    rect.left = (sw - rect.width) / 2;
    rect.top = (sh - rect.height) / 2;
    return rect;
}

ImageLayout ScreenImageLayout() {
    return ImageLayout{};
}

ImageLayout WallpaperImageLayout(std::optional<WallpaperStyle> style, PixelSize picture, PixelSize screen,
                                 PixelSize client) {
    ImageLayout layout;
    if (!style) {
        layout.laidOut = false;
        return layout;
    }
    switch (*style) {
    case WallpaperStyle::Centred:
        layout.fillsClient = false;
        layout.stretch = ImageLayout::Stretch::Off;
        layout.bounds = CentreIn(picture, client);
        break;
    case WallpaperStyle::Stretched:
        break;
    case WallpaperStyle::Tiled:
    case WallpaperStyle::Mirror:
        layout.stretch = ImageLayout::Stretch::AsBefore;
        // An empty picture makes no tiles: the window shows the desktop colour.
        if (picture.Empty()) break;
        layout.content =
            *style == WallpaperStyle::Tiled ? ImageLayout::Content::Tiles : ImageLayout::Content::MirroredTiles;
        layout.composedSize = screen;
        break;
    case WallpaperStyle::Fit2Screen:
        layout.fillsClient = false;
        layout.bounds = FitToScreen(picture, screen);
        break;
    case WallpaperStyle::Fill:
        if (picture.Empty()) break;
        layout.content = ImageLayout::Content::Filled;
        layout.composedSize = screen;
        break;
    case WallpaperStyle::StretchedToScreen:
        break;
    }
    return layout;
}

PixelSize SavedBitmapSize(WallpaperStyle style, PixelSize picture, PixelSize screen) {
    if (picture.Empty()) return {};
    switch (style) {
    case WallpaperStyle::Fit2Screen: {
        LayoutRect fitted = FitToScreen(picture, screen);
        return {fitted.width, fitted.height};
    }
    case WallpaperStyle::Tiled:
    case WallpaperStyle::Mirror:
    case WallpaperStyle::Fill:
    case WallpaperStyle::StretchedToScreen:
        return screen;
    default:
        return {std::min(picture.width, screen.width), std::min(picture.height, screen.height)};
    }
}

LayoutRect ShownPart(WallpaperStyle style, PixelSize picture, PixelSize screen) {
    if (picture.Empty()) return {};
    if (ScalesPicture(style)) return {0, 0, picture.width, picture.height};
    LayoutRect part{0, 0, std::min(picture.width, screen.width), std::min(picture.height, screen.height)};
    if (style == WallpaperStyle::Centred) {
        // Where the centred picture begins left of or above the screen, its first shown pixel.
        const LayoutRect centred = CentreIn(picture, screen);
        part.left = std::max(0, -centred.left);
        part.top = std::max(0, -centred.top);
    }
    return part;
}

bool ScalesPicture(WallpaperStyle style) {
    return style == WallpaperStyle::Stretched || style == WallpaperStyle::Fit2Screen || style == WallpaperStyle::Fill ||
           style == WallpaperStyle::StretchedToScreen;
}

ScaledWindow ScaledWindowOf(WallpaperStyle style, PixelSize picture, PixelSize screen) {
    if (style == WallpaperStyle::Fill) {
        const CoverRect fill = FillScreen(picture, screen);
        return {fill.width, fill.height, -fill.left, -fill.top};
    }
    const PixelSize saved = SavedBitmapSize(style, picture, screen);
    return {saved.width, saved.height, 0, 0};
}
