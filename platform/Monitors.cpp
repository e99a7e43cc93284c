#include "platform/Monitors.h"

#include <algorithm>
#include <optional>

namespace {
using EnumDisplayMonitorsCall = BOOL(WINAPI*)(HDC, LPCRECT, MONITORENUMPROC, LPARAM);
using GetMonitorInfoCall = BOOL(WINAPI*)(HMONITOR, LPMONITORINFO);
using MonitorFromWindowCall = HMONITOR(WINAPI*)(HWND, DWORD);

template <typename Call> Call User32Function(const char* name) {
    HMODULE user32 = GetModuleHandleA("user32.dll");
    return user32 ? reinterpret_cast<Call>(reinterpret_cast<void*>(GetProcAddress(user32, name))) : nullptr;
}

MonitorRect ScreenOnly() {
    return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), true};
}

std::optional<MonitorRect> InfoOf(HMONITOR monitor) {
    auto getInfo = User32Function<GetMonitorInfoCall>("GetMonitorInfoA");
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    if (!getInfo || !monitor || !getInfo(monitor, &info)) return std::nullopt;
    return MonitorFromRect(info.rcMonitor, (info.dwFlags & MONITORINFOF_PRIMARY) != 0);
}

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM found) {
    if (std::optional<MonitorRect> rect = InfoOf(monitor))
        if (!rect->Size().Empty()) reinterpret_cast<std::vector<MonitorRect>*>(found)->push_back(*rect);
    return TRUE;
}
} // namespace

MonitorRect MonitorFromRect(const RECT& rect, bool primary) {
    return {int(rect.left), int(rect.top), int(rect.right - rect.left), int(rect.bottom - rect.top), primary};
}

std::vector<MonitorRect> DisplayMonitors() {
    std::vector<MonitorRect> found;
    auto enumerate = User32Function<EnumDisplayMonitorsCall>("EnumDisplayMonitors");
    if (enumerate) enumerate(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&found));
    // The primary first; a system that names none has its primary at (0, 0).
    auto primary = std::find_if(found.begin(), found.end(), [](const MonitorRect& m) { return m.primary; });
    if (primary == found.end())
        primary = std::find_if(found.begin(), found.end(), [](const MonitorRect& m) { return !m.left && !m.top; });
    if (primary == found.end()) return {ScreenOnly()};
    primary->primary = true;
    std::rotate(found.begin(), primary, primary + 1);
    return found;
}

MonitorRect MonitorOfWindow(HWND window) {
    auto fromWindow = User32Function<MonitorFromWindowCall>("MonitorFromWindow");
    if (fromWindow && window)
        if (std::optional<MonitorRect> rect = InfoOf(fromWindow(window, MONITOR_DEFAULTTOPRIMARY)))
            if (!rect->Size().Empty()) return *rect;
    return DisplayMonitors().front();
}
