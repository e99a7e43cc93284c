#pragma once
// Transparent parts of a wallpaper picture show the desktop's background colour: in the preview,
// the full-screen window and the saved wallpaper alike.
#include "platform/Handles.h"

#include <cstddef>
#include <cstdint>
#include <string>

// "Background" of HKCU\Control Panel\Colors ("R G B" in decimal), else the system's desktop colour.
COLORREF DesktopBackground();
// The same as the program's pixels hold a colour: 0x00RRGGBB.
std::uint32_t PixelColour(COLORREF colour);

// The picture library gives the pixels of PNG and GIF pictures their opacity in the fourth byte;
// a bitmap's fourth byte is often unused and says nothing. Told by the file's first bytes, as the
// library tells the formats apart.
bool HoldsOpacity(const std::uint8_t* head, std::size_t size);

// A picture the library read from the file, laid over the desktop's background colour in place
// where the file holds opacity; any other picture is left as it is.
void ShowOverDesktop(HBITMAP picture, const std::string& path);
