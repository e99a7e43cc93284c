// A reference for the start-up benchmark: a bare Win32 program that makes the same windows the
// program makes at its start (the splash screen with its panels and labels, shown first; the main
// window with its menu, labels, category buttons, browser, buttons, preview panels and picture, the
// list views of the four categories, the style box and its label, the splitters and the line under
// the menu bar; the splash screen destroyed), with nothing else. The other forms get their windows
// only when first shown. It shows what the required windows cost under the same Wine, apart from
// the program's own work.
#include <windows.h>
#include <commctrl.h>

#include <initializer_list>

namespace {
LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_DESTROY && GetWindowLongPtrA(hwnd, GWLP_USERDATA)) PostQuitMessage(0);
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

HWND Child(HWND parent, const char* cls, DWORD style, DWORD exStyle, int x, int y, int w, int h) {
    HWND hwnd = CreateWindowExA(exStyle, cls, "", WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    SendMessageA(hwnd, WM_SETFONT, WPARAM(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return hwnd;
}
} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    InitCommonControls();
    WNDCLASSA wc = {};
    wc.lpfnWndProc = Proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = HBRUSH(COLOR_BTNFACE + 1);
    wc.lpszClassName = "SameWindows";
    RegisterClassA(&wc);

    HWND splash = CreateWindowExA(WS_EX_TOOLWINDOW, "SameWindows", "", WS_POPUP, 400, 300, 221, 141, nullptr, nullptr,
                                  instance, nullptr);
    HWND panel = splash;
    for (int inset : {0, 1, 4, 5})
        panel = Child(panel, "SameWindows", WS_CLIPCHILDREN, 0, inset ? 1 : 0, inset ? 1 : 0, 219 - 2 * inset,
                      139 - 2 * inset);
    Child(panel, "SameWindows", 0, 0, 0, 0, 211, 96);
    Child(panel, "STATIC", SS_CENTER, 0, 0, 96, 209, 13);
    Child(panel, "STATIC", SS_CENTER, 0, 0, 109, 209, 23);
    ShowWindow(splash, SW_SHOWNOACTIVATE);
    UpdateWindow(splash);

    HMENU menu = CreateMenu();
    for (const char* title : {"&File", "&Options", "&Edit", "&Uninstall", "&Help"}) {
        HMENU sub = CreatePopupMenu();
        AppendMenuA(sub, MF_STRING, 100, "Entry");
        AppendMenuA(menu, MF_POPUP | MF_STRING, UINT_PTR(sub), title);
    }
    HWND main =
        CreateWindowExA(WS_EX_CONTROLPARENT, "SameWindows", "Same Windows", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 290,
                        160, 452, 460, nullptr, menu, instance, nullptr);
    SetWindowLongPtrA(main, GWLP_USERDATA, 1);
    Child(main, "STATIC", 0, 0, 4, 36, 30, 13);
    Child(main, "COMBOBOX", CBS_DROPDOWNLIST | WS_TABSTOP, 0, 4, 52, 145, 219);
    Child(main, "STATIC", 0, 0, 4, 76, 45, 13);
    Child(main, "LISTBOX", LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | WS_TABSTOP, WS_EX_CLIENTEDGE, 4, 92, 145,
          133);
    Child(main, "STATIC", 0, 0, 156, 36, 65, 13);
    Child(main, "LISTBOX", LBS_NOTIFY | LBS_EXTENDEDSEL | LBS_HASSTRINGS | WS_TABSTOP, WS_EX_CLIENTEDGE, 156, 52, 113,
          213);
    Child(main, "STATIC", 0, 0, 4, 228, 30, 13);
    Child(main, "COMBOBOX", CBS_DROPDOWNLIST | WS_TABSTOP, 0, 4, 244, 145, 221);
    Child(main, "BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0, 276, 180, 165, 25);
    Child(main, "BUTTON", BS_PUSHBUTTON | WS_DISABLED | WS_TABSTOP, 0, 276, 212, 165, 25);
    Child(main, "BUTTON", BS_CHECKBOX | WS_TABSTOP, 0, 276, 248, 157, 17);
    Child(main, "SameWindows", 0, 0, 0, 409, 444, 5);
    Child(main, "STATIC", 0, 0, 4, 272, 70, 13);
    for (DWORD visible : {DWORD(WS_VISIBLE), 0ul, 0ul, 0ul}) {
        HWND list = CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "",
                                    WS_CHILD | visible | WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA, 4, 291, 436, 118,
                                    main, nullptr, instance, nullptr);
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.cx = 120;
        for (const char* title : {"Filename", "Path"}) {
            column.pszText = const_cast<char*>(title);
            SendMessageA(list, LVM_INSERTCOLUMNA, 0, LPARAM(&column));
        }
    }
    ShowWindow(Child(main, "STATIC", 0, 0, 276, 248, 80, 13), SW_HIDE);
    ShowWindow(Child(main, "COMBOBOX", CBS_DROPDOWNLIST | WS_TABSTOP | WS_DISABLED, 0, 360, 244, 81, 221), SW_HIDE);
    for (int left : {4, 112, 220, 336})
        Child(main, "BUTTON", BS_OWNERDRAW | (left == 4 ? WS_TABSTOP : 0), 0, left, 8, left == 220 ? 113 : 105, 25);
    Child(main, "STATIC", 0, 0, 276, 36, 40, 13);
    HWND pane = Child(main, "SameWindows", WS_CLIPCHILDREN, 0, 276, 52, 164, 120);
    Child(pane, "SameWindows", 0, 0, 2, 2, 160, 16);
    ShowWindow(Child(pane, "SameWindows", 0, 0, 2, 18, 160, 100), SW_HIDE);
    Child(main, "SameWindows", 0, 0, 0, 291, 4, 118);
    Child(main, "SameWindows", 0, 0, 440, 291, 4, 118);
    Child(main, "STATIC", SS_RIGHT, 0, 410, 275, 27, 13);
    Child(main, "SameWindows", 0, 0, 0, 0, 444, 291);
    ShowWindow(main, SW_SHOWNORMAL);
    RedrawWindow(main, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    DestroyWindow(splash);

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
