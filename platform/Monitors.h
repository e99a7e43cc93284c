#pragma once
// The monitors of the desktop, as the system reports them. The functions that tell them were added
// with Windows 98 and NT 5: they are looked up at run time, and without them there is one monitor,
// the screen.
#include "platform/MonitorRect.h"

#include <windows.h>

#include <vector>

// Every monitor, the primary first, then in the system's order.
std::vector<MonitorRect> DisplayMonitors();
// The monitor that holds the largest part of the window; the primary where that is not known.
MonitorRect MonitorOfWindow(HWND window);
// The rectangle as the system gives it.
MonitorRect MonitorFromRect(const RECT& rect, bool primary);
