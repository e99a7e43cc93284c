#include "pictures/MonitorLayout.h"

#include <algorithm>

MonitorRect VirtualScreenOf(const std::vector<MonitorRect>& monitors) {
    if (monitors.empty()) return {};
    long long left = monitors[0].left, top = monitors[0].top, right = left, bottom = top;
    for (const MonitorRect& m : monitors) {
        left = std::min<long long>(left, m.left);
        top = std::min<long long>(top, m.top);
        right = std::max<long long>(right, (long long)m.left + m.width);
        bottom = std::max<long long>(bottom, (long long)m.top + m.height);
    }
    return {int(left), int(top), int(right - left), int(bottom - top), false};
}

bool MonitorComesFirst(const MonitorRect& a, const MonitorRect& b) {
    if (a.primary != b.primary) return a.primary;
    return a.left != b.left ? a.left < b.left : a.top < b.top;
}

int WrapInto(int x, int m) {
    const int r = x % m;
    return r < 0 ? r + m : r;
}

namespace {
// One axis: the runs [from, from + length) of the monitor that land at `to` in the bitmap.
struct Run {
    int from, to, length;
};
std::vector<Run> Runs(int start, int length, int size) {
    length = std::min(length, size);
    const int to = WrapInto(start, size), first = std::min(length, size - to);
    std::vector<Run> runs{{0, to, first}};
    if (first < length) runs.push_back({first, 0, length - first});
    return runs;
}
} // namespace

std::vector<TilePiece> TiledPieces(const MonitorRect& monitor, PixelSize bitmap) {
    std::vector<TilePiece> pieces;
    if (monitor.Size().Empty() || bitmap.Empty()) return pieces;
    for (const Run& down : Runs(monitor.top, monitor.height, bitmap.height))
        for (const Run& across : Runs(monitor.left, monitor.width, bitmap.width))
            pieces.push_back({across.from, down.from, across.to, down.to, across.length, down.length});
    return pieces;
}
