#pragma once
// How a picture's EXIF orientation turns its stored pixels upright.
#include "pictures/PixelCompose.h"

#include <cstddef>
#include <cstdint>

// The orientation (1 to 8, as EXIF numbers them) that an APP1 segment's body gives, or 1 when it
// holds no EXIF orientation.
int ExifOrientation(const std::uint8_t* app1, std::size_t size);

// Orientations 5 to 8 turn the picture by a quarter: width and height change places.
inline bool SwapsSides(int orientation) {
    return orientation >= 5 && orientation <= 8;
}
inline PixelSize Turned(PixelSize size, int orientation) {
    return SwapsSides(orientation) ? PixelSize{size.height, size.width} : size;
}

// Writes a top-down picture of `width` x `height` pixels of 4 bytes into `target` as the upright
// picture that `orientation` describes (Turned size).
void OrientPixels(const std::uint8_t* source, int width, int height, int orientation, PixelView target);
// The same, as bottom-up rows from `target` on (a Windows bitmap's).
void OrientPixels(const std::uint8_t* source, int width, int height, int orientation, std::uint8_t* target);

// The rectangle of the stored picture that shows as `upright` once turned.
LayoutRect StoredRect(const LayoutRect& upright, int orientation, PixelSize stored);
// The window of a scaled picture that shows as `upright` (the part `shown` large) once turned.
ScaledWindow StoredWindow(const ScaledWindow& upright, PixelSize shown, int orientation);
