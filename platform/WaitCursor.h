#pragma once
// The system's wait cursor for as long as the program works, as Windows programs show it: from the
// guard's making to its end, on every way out, errors included. Guards nest: the outermost one puts
// the cursor back. While one is held, the program's windows answer WM_SETCURSOR with it.
#include <windows.h>

class TWaitCursor {
public:
    TWaitCursor();
    ~TWaitCursor();
    TWaitCursor(const TWaitCursor&) = delete;
    TWaitCursor& operator=(const TWaitCursor&) = delete;

    // Whether a guard is held.
    static bool Held();
    // How many times the cursor has turned to the wait cursor since the program started.
    static int TimesShown();
};
