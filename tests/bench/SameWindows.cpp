// A reference for the start-up benchmark: a bare Win32 program that makes the same windows the
// program must make at its start (a splash screen shown first, the main window with its menu and
// windowed controls, two more hidden forms, the splash screen destroyed), with nothing else. It
// shows what the required windows cost under the same Wine, apart from the program's own work.
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
    ShowWindow(splash, SW_SHOWNOACTIVATE);
    UpdateWindow(splash);

    HMENU menu = CreateMenu();
    for (const char* title : {"&File", "&Options", "&Edit", "&Uninstall", "&Help"}) {
        HMENU sub = CreatePopupMenu();
        AppendMenuA(sub, MF_STRING, 100, "Entry");
        AppendMenuA(menu, MF_POPUP | MF_STRING, UINT_PTR(sub), title);
    }
    HWND main = CreateWindowExA(0, "SameWindows", "Minimal Window", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 290, 160,
                                452, 460, nullptr, menu, instance, nullptr);
    SetWindowLongPtrA(main, GWLP_USERDATA, 1);
    Child(main, "COMBOBOX", CBS_DROPDOWNLIST, 0, 4, 52, 145, 200);
    Child(main, "LISTBOX", LBS_NOTIFY, WS_EX_CLIENTEDGE, 4, 92, 145, 133);
    Child(main, "COMBOBOX", CBS_DROPDOWNLIST, 0, 4, 244, 145, 200);
    Child(main, "LISTBOX", LBS_NOTIFY | LBS_EXTENDEDSEL, WS_EX_CLIENTEDGE, 156, 52, 113, 213);
    HWND pane = Child(main, "SameWindows", WS_CLIPCHILDREN, 0, 276, 52, 164, 120);
    Child(pane, "SameWindows", 0, 0, 2, 2, 160, 16);
    Child(main, "BUTTON", BS_PUSHBUTTON, 0, 276, 180, 165, 25);
    Child(main, "BUTTON", BS_PUSHBUTTON | WS_DISABLED, 0, 276, 212, 165, 25);
    Child(main, "BUTTON", BS_CHECKBOX, 0, 276, 248, 157, 17);
    Child(main, "SameWindows", 0, 0, 0, 409, 444, 5);
    for (int i = 0; i < 4; ++i) {
        HWND list =
            CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "", WS_CHILD | (i == 0 ? WS_VISIBLE : 0) | LVS_REPORT, 4,
                            291, 436, 118, main, nullptr, instance, nullptr);
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.cx = 120;
        column.pszText = const_cast<char*>("Filename");
        SendMessageA(list, LVM_INSERTCOLUMNA, 0, LPARAM(&column));
    }
    ShowWindow(main, SW_SHOWNORMAL);
    RedrawWindow(main, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);

    CreateWindowExA(0, "SameWindows", "", WS_POPUP, 0, 0, 320, 200, main, nullptr, instance, nullptr);
    HWND about = CreateWindowExA(WS_EX_DLGMODALFRAME, "SameWindows", "", WS_POPUP | WS_CAPTION, 0, 0, 304, 346, main,
                                 nullptr, instance, nullptr);
    Child(about, "BUTTON", BS_DEFPUSHBUTTON, 0, 120, 288, 75, 24);
    DestroyWindow(splash);

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
