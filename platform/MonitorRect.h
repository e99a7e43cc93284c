#pragma once
// A monitor's rectangle on the desktop, in virtual-screen coordinates: the primary monitor's top-left
// corner is (0, 0), so a monitor left of or above it has a negative left or top.
#include "platform/PixelView.h"

struct MonitorRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool primary = false;
    PixelSize Size() const { return {width, height}; }
    bool operator==(const MonitorRect& other) const {
        return left == other.left && top == other.top && width == other.width && height == other.height;
    }
};
