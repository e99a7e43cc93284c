#pragma once
// The system's standard Save As box.
#include <windows.h>

#include <string>

// Asks for the file to save to, proposing `proposed` (its folder and name). `filter` pairs a
// description and a mask with '|' ("Bitmaps (*.bmp)|*.bmp"); a name typed without an extension
// gets `extension`. The box asks before an existing file is replaced. False when the user
// cancels, or when the system cannot open the box; `chosen` is then unchanged.
bool PromptSaveFile(HWND owner, const std::string& proposed, const std::string& filter, const std::string& extension,
                    std::string& chosen);
