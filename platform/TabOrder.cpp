#include "platform/TabOrder.h"

int NextTabStop(const std::vector<bool>& canFocus, int current, bool forward) {
    const int n = int(canFocus.size());
    if (n == 0) return -1;
    int index = current;
    if (index < 0 || index >= n) index = forward ? -1 : n;
    for (int step = 0; step < n; ++step) {
        index = forward ? index + 1 : index - 1;
        if (index >= n) index = 0;
        if (index < 0) index = n - 1;
        if (canFocus[index]) return index;
    }
    return -1;
}
