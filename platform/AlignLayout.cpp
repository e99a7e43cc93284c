#include "platform/AlignLayout.h"

#include <algorithm>

void AlignControls(const TBounds& client, std::vector<AlignItem>& items) {
    int left = client.left, top = client.top;
    int right = client.left + client.width, bottom = client.top + client.height;
    auto place = [&](TAlign kind) {
        for (AlignItem& item : items) {
            if (item.align != kind || !item.visible) continue;
            TBounds& b = item.bounds;
            switch (kind) {
            case TAlign::Top:
                b = {left, top, std::max(0, right - left), b.height};
                top += b.height;
                break;
            case TAlign::Bottom:
                b = {left, bottom - b.height, std::max(0, right - left), b.height};
                bottom -= b.height;
                break;
            case TAlign::Left:
                b = {left, top, b.width, std::max(0, bottom - top)};
                left += b.width;
                break;
            case TAlign::Right:
                b = {right - b.width, top, b.width, std::max(0, bottom - top)};
                right -= b.width;
                break;
            case TAlign::Client:
                b = {left, top, std::max(0, right - left), std::max(0, bottom - top)};
                break;
            case TAlign::None:
                break;
            }
        }
    };
    place(TAlign::Top);
    place(TAlign::Bottom);
    place(TAlign::Left);
    place(TAlign::Right);
    place(TAlign::Client);
}

TBounds InsetBounds(const TBounds& outer, int inset) {
    return {outer.left + inset, outer.top + inset, std::max(0, outer.width - 2 * inset),
            std::max(0, outer.height - 2 * inset)};
}
