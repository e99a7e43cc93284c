// WaitForWindow <class> <title> <seconds> [--close]: waits until a visible top-level window with
// that class and title exists (exit code 0) or the time is up (exit code 1). With --close the
// window is then asked to close. Used by `make run` on a machine without a display.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: WaitForWindow <class> <title> <seconds> [--close]\n");
        return 2;
    }
    DWORD deadline = GetTickCount() + DWORD(std::atof(argv[3]) * 1000);
    for (;;) {
        HWND window = FindWindowA(argv[1], argv[2]);
        if (window && IsWindowVisible(window)) {
            if (argc > 4 && std::strcmp(argv[4], "--close") == 0) PostMessageA(window, WM_CLOSE, 0, 0);
            return 0;
        }
        if (int(GetTickCount() - deadline) >= 0) return 1;
        Sleep(50);
    }
}
