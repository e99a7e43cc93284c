#pragma once
// The texts that describe the previewed picture.
#include "platform/PixelFormat.h"

#include <string>

// "Size : 320 X 400": the preview's tooltip and the last entry of its pop-up menu.
std::string SizeText(int width, int height);

// The "Info about file" message: size and bits per pixel, each line ended by LF CR.
std::string FileInfoText(int width, int height, PixelFormat format);
// The message for a screen: the same lines and one more on the palette rotation the system shows,
// from entry `rotationStart` (0: none), so that a rotation byte set by accident is seen.
std::string ScreenInfoText(int width, int height, PixelFormat format, int rotationStart);

inline constexpr const char* kNoFileSelected = "No File Selected";
inline constexpr const char* kNoPreviewMessage = "No Preview Available.\n\rSelect a file first.";
