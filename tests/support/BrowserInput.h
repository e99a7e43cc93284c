#pragma once
// A click on a file of the main window's browser, as the list reports it: the file alone is
// selected and has the focus.
#include "shell/USelect5.h"

#include <commctrl.h>

#include <string>

inline void ChooseInBrowser(TFormSelect& form, const std::string& name) {
    HWND list = form.FileListBox1.Handle();
    SendMessageA(list, LB_SETSEL, FALSE, -1);
    for (int i = 0; i < form.FileListBox1.Count(); ++i)
        if (form.FileListBox1.Item(i) == name) {
            SendMessageA(list, LB_SETSEL, TRUE, i);
            SendMessageA(list, LB_SETCARETINDEX, WPARAM(i), FALSE);
        }
    SendMessageA(form.Handle(), WM_COMMAND, MAKEWPARAM(0, LBN_SELCHANGE), LPARAM(list));
}
