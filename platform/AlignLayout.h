#pragma once
// Placement of aligned controls inside a container's client area.
#include <vector>

enum class TAlign { None, Top, Bottom, Left, Right, Client };

struct TBounds {
    int left = 0, top = 0, width = 0, height = 0;
    bool operator==(const TBounds& o) const {
        return left == o.left && top == o.top && width == o.width && height == o.height;
    }
};

struct AlignItem {
    TAlign align = TAlign::None;
    TBounds bounds;
    bool visible = true;
};

// Top-aligned items are stacked from the top, bottom-aligned ones from the bottom, then left and
// right ones share the height that is left, and client items fill the rest; each group in list
// order. Unaligned and hidden items keep their bounds.
void AlignControls(const TBounds& client, std::vector<AlignItem>& items);

// The client area left inside a panel's border and bevels.
TBounds InsetBounds(const TBounds& outer, int inset);
