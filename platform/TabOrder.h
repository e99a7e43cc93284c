#pragma once
#include <vector>

// The control that Tab (forward) or Shift+Tab moves the focus to, as an index into the form's
// tab order, wrapping round; controls that cannot take the focus (hidden, disabled) are passed
// over. `current` is -1 when the focus is on none of them. Returns -1 when none can take it.
int NextTabStop(const std::vector<bool>& canFocus, int current, bool forward);
