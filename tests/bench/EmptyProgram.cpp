// The floors of the randomizer benchmark: a GUI program that starts and ends at once, built like
// the randomizer (static runtime, GUI subsystem). Built twice: without a window-system call, and
// with one (EMPTY_WITH_USER32), which makes Windows set up the window system for the process as
// it does for every program that shows or changes anything on the desktop.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
#ifdef EMPTY_WITH_USER32
    return GetSystemMetrics(SM_CXSCREEN) < 0 ? 1 : 0;
#else
    return 0;
#endif
}
