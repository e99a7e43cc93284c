#pragma once
// Colours and fonts of the forms. A colour is an RGB value or, with the high bit set, a system
// colour index, so that "button face" follows the user's scheme.
#include "platform/AlignLayout.h"

#include <windows.h>

#include <cstdint>
#include <string>

using TColor = std::uint32_t;
constexpr TColor kSystemColor = 0x80000000u;
constexpr TColor clBtnFace = kSystemColor | COLOR_BTNFACE;
constexpr TColor clWindowText = kSystemColor | COLOR_WINDOWTEXT;
constexpr TColor clWindow = kSystemColor | COLOR_WINDOW;
constexpr TColor clBtnText = kSystemColor | COLOR_BTNTEXT;
constexpr TColor clBlack = RGB(0, 0, 0);
constexpr TColor clWhite = RGB(255, 255, 255);
constexpr TColor clRed = RGB(255, 0, 0);
constexpr TColor clNavy = RGB(0, 0, 128);

COLORREF ColorToRgb(TColor color);
// Brushes are shared and live until the program ends.
HBRUSH ColorBrush(TColor color);

// The system's font scale: the screen's pixels per logical inch (96, 120, 144, ...), read once.
int ScreenDpi();
// A length of the forms' layout, given at 96 pixels per inch, at the screen's scale: the one unit
// in which the forms give the layer every length.
inline int Scaled(int length) {
    return MulDiv(length, ScreenDpi(), 96);
}
inline TBounds Scaled(const TBounds& bounds) {
    return {Scaled(bounds.left), Scaled(bounds.top), Scaled(bounds.width), Scaled(bounds.height)};
}

// The system's dialog face: MS Sans Serif on Windows 9x, a face that scales on the NT family.
// The height is at 96 pixels per inch; the font is made at the screen's scale.
struct TFontSpec {
    std::string name = "MS Shell Dlg";
    int height = -11;
    bool bold = false;
    TColor color = clWindowText;
};

// Fonts are shared by every control that asks for the same face, height and weight.
HFONT FontHandle(const TFontSpec& font);
// The room a line of text takes in a control, in the font on the screen ('&' marks an access key and
// takes no room): its extent and two pixels (at 96 DPI) to spare, since the system's labels and
// buttons drop a last character that fills their width exactly at some scales.
SIZE TextExtent(const TFontSpec& font, const std::string& text);
