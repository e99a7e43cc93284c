#include "platform/Fonts.h"

#include "platform/Handles.h"

#include <map>
#include <tuple>

COLORREF ColorToRgb(TColor color) {
    return (color & kSystemColor) ? GetSysColor(int(color & 0xFF)) : COLORREF(color);
}

HBRUSH ColorBrush(TColor color) {
    if (color & kSystemColor) return GetSysColorBrush(int(color & 0xFF));
    static std::map<TColor, UniqueBrush> brushes;
    UniqueBrush& brush = brushes[color];
    if (!brush) brush.Reset(CreateSolidBrush(COLORREF(color)));
    return brush.Get();
}

int ScreenDpi() {
    static const int dpi = [] {
        WindowDc screen(nullptr);
        const int logPixels = GetDeviceCaps(screen.Get(), LOGPIXELSY);
        return logPixels > 0 ? logPixels : 96;
    }();
    return dpi;
}

HFONT FontHandle(const TFontSpec& font) {
    static std::map<std::tuple<std::string, int, bool>, UniqueFont> fonts;
    UniqueFont& handle = fonts[{font.name, font.height, font.bold}];
    if (!handle)
        handle.Reset(CreateFontA(Scaled(font.height), 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                                 DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                 DEFAULT_PITCH | FF_DONTCARE, font.name.c_str()));
    return handle.Get();
}

SIZE TextExtent(const TFontSpec& font, const std::string& text) {
    WindowDc dc(nullptr);
    SelectObjectScope select(dc.Get(), FontHandle(font));
    RECT rc{0, 0, 0, 0};
    const std::string line = text.empty() ? " " : text;
    DrawTextA(dc.Get(), line.c_str(), int(line.size()), &rc, DT_CALCRECT | DT_SINGLELINE);
    return {rc.right + Scaled(2), rc.bottom};
}
