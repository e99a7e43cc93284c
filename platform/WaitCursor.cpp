#include "platform/WaitCursor.h"

namespace {
// The program's windows live on one thread: the guards need no lock.
int depth = 0;
int shown = 0;
HCURSOR before = nullptr;
} // namespace

TWaitCursor::TWaitCursor() {
    if (depth++ > 0) return;
    before = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    ++shown;
}

TWaitCursor::~TWaitCursor() {
    if (--depth == 0) SetCursor(before);
}

bool TWaitCursor::Held() {
    return depth > 0;
}

int TWaitCursor::TimesShown() {
    return shown;
}
