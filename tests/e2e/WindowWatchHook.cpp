// Loaded into a program that a WindowWatch follows. Whenever one of the program's top-level
// windows is shown, hidden or given a new text, the program waits until the watch has looked at
// its windows: a window that is up only for a moment is seen however busy the machine is.
#include "tests/e2e/WindowWatchHook.h"

namespace {
HMODULE self = nullptr;

bool ShownHiddenOrRetitled(const CWPRETSTRUCT& call) {
    if (call.message == WM_SETTEXT) return true;
    if (call.message != WM_WINDOWPOSCHANGED) return false;
    return (reinterpret_cast<const WINDOWPOS*>(call.lParam)->flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW)) != 0;
}

LRESULT CALLBACK AfterMessage(int code, WPARAM wParam, LPARAM lParam) {
    const CWPRETSTRUCT& call = *reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && !(GetWindowLongA(call.hwnd, GWL_STYLE) & WS_CHILD) && ShownHiddenOrRetitled(call)) {
        char title[16];
        wsprintfA(title, "%lu", GetCurrentProcessId());
        DWORD_PTR ignored = 0;
        if (HWND watch = FindWindowA(kWindowWatchClass, title))
            SendMessageTimeoutA(watch, kWindowWatchLook, 0, 0, SMTO_NORMAL, kWindowWatchPatienceMs, &ignored);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
} // namespace

extern "C" __declspec(dllexport) HHOOK FollowThread(DWORD threadId) {
    return SetWindowsHookExA(WH_CALLWNDPROCRET, AfterMessage, self, threadId);
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) self = instance;
    return TRUE;
}
