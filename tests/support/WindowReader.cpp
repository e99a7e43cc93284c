// WindowReader <output file> <window>...: reads windows of another process as a screen reader or an
// automation tool does, and writes one line per window (windows given in hex): fields key=value
// apart by tabs: the class, the name (a button's or label's own text, else the text of the label
// just before it among its visible siblings, as the system's accessibility layer names a control),
// the text, the rows (apart by "|"), the selected rows, the focused row and the pushed state.
#undef _WIN32_WINNT
#define _WIN32_WINNT 0x0500 // GetComboBoxInfo
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {
constexpr int kMostRows = 100;

std::string ClassOf(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof(name));
    return name;
}

bool Is(HWND window, const char* className) {
    return lstrcmpiA(ClassOf(window).c_str(), className) == 0;
}

// Texts are asked for in UTF-16, as readers do, and written in the system code page.
std::string Narrow(const wchar_t* text) {
    char narrow[1024] = {};
    WideCharToMultiByte(CP_ACP, 0, text, -1, narrow, sizeof(narrow), nullptr, nullptr);
    return narrow;
}

std::string Ask(HWND window, UINT message, WPARAM index, UINT lengthMessage) {
    std::wstring text(std::size_t(SendMessageW(window, lengthMessage, index, 0)) + 1, L'\0');
    SendMessageW(window, message, message == WM_GETTEXT ? WPARAM(text.size()) : index, LPARAM(&text[0]));
    return Narrow(text.c_str());
}

std::string TextOf(HWND window) {
    return Ask(window, WM_GETTEXT, 0, WM_GETTEXTLENGTH);
}

std::string Shown(std::string text) { // as read out: without the access-key marks
    std::string shown;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (text[i] != '&' || (i + 1 < text.size() && text[++i] == '&')) shown += text[i];
    return shown;
}

std::string NameOf(HWND window) {
    if (Is(window, "Button") || Is(window, "Static")) return Shown(TextOf(window));
    for (HWND before = GetWindow(window, GW_HWNDPREV); before; before = GetWindow(before, GW_HWNDPREV))
        if (IsWindowVisible(before)) return Is(before, "Static") ? Shown(TextOf(before)) : "";
    return "";
}

std::string Join(const std::vector<std::string>& parts, const char* between) {
    std::string joined;
    for (std::size_t i = 0; i < parts.size(); ++i)
        joined += (i ? between : "") + parts[i];
    return joined;
}

// A list view answers through memory of its own process: the question and the text go there.
std::vector<std::string> ListViewRows(HWND window) {
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, id);
    std::vector<std::string> rows;
    if (!process) return rows;
    constexpr int kRoom = 260;
    char* remote = static_cast<char*>(
        VirtualAllocEx(process, nullptr, sizeof(LVITEMA) + kRoom, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    const int count = int(SendMessageA(window, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; remote && i < count && i < kMostRows; ++i) {
        LVITEMA item = {};
        item.mask = LVIF_TEXT;
        item.iItem = i;
        item.pszText = remote + sizeof(LVITEMA);
        item.cchTextMax = kRoom;
        char text[kRoom + 1] = {};
        WriteProcessMemory(process, remote, &item, sizeof(item), nullptr);
        SendMessageA(window, LVM_GETITEMTEXTA, WPARAM(i), LPARAM(remote));
        ReadProcessMemory(process, remote + sizeof(LVITEMA), text, kRoom, nullptr);
        rows.push_back(text);
    }
    if (remote) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    return rows;
}

std::string Read(HWND window) {
    std::vector<std::string> fields = {"class=" + ClassOf(window), "name=" + NameOf(window), "text=" + TextOf(window)};
    std::vector<std::string> rows, selected;
    std::string focus;
    if (Is(window, "ComboBox")) {
        const int count = int(SendMessageA(window, CB_GETCOUNT, 0, 0));
        for (int i = 0; i < count && i < kMostRows; ++i) {
            rows.push_back(Ask(window, CB_GETLBTEXT, WPARAM(i), CB_GETLBTEXTLEN));
        }
        selected.push_back(std::to_string(SendMessageA(window, CB_GETCURSEL, 0, 0)));
        COMBOBOXINFO info = {};
        info.cbSize = sizeof(info);
        fields.push_back(std::string("comboinfo=") + (GetComboBoxInfo(window, &info) ? "1" : "0"));
    } else if (Is(window, "ListBox")) {
        const int count = int(SendMessageA(window, LB_GETCOUNT, 0, 0));
        for (int i = 0; i < count && i < kMostRows; ++i) {
            rows.push_back(Ask(window, LB_GETTEXT, WPARAM(i), LB_GETTEXTLEN));
            if (SendMessageA(window, LB_GETSEL, i, 0) > 0) selected.push_back(std::to_string(i));
        }
        focus = std::to_string(SendMessageA(window, LB_GETCARETINDEX, 0, 0));
    } else if (Is(window, WC_LISTVIEWA)) {
        rows = ListViewRows(window);
        for (int i = -1; (i = int(SendMessageA(window, LVM_GETNEXTITEM, i, LVNI_SELECTED))) >= 0;)
            selected.push_back(std::to_string(i));
        focus = std::to_string(SendMessageA(window, LVM_GETNEXTITEM, WPARAM(-1), LVNI_FOCUSED));
    } else if (Is(window, "Button")) {
        fields.push_back(std::string("pushed=") + (SendMessageA(window, BM_GETSTATE, 0, 0) & BST_PUSHED ? "1" : "0"));
    }
    fields.push_back("rows=" + Join(rows, "|"));
    fields.push_back("selected=" + Join(selected, ","));
    fields.push_back("focus=" + focus);
    return Join(fields, "\t");
}
} // namespace

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    FILE* out = std::fopen(argv[1], "w");
    if (!out) return 1;
    for (int i = 2; i < argc; ++i)
        std::fprintf(out, "%s\n", Read(HWND(std::strtoul(argv[i], nullptr, 16))).c_str());
    std::fclose(out);
    return 0;
}
