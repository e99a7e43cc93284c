#include "tests/e2e/HelpViewer.h"

#include "tests/e2e/Driver.h"

#include <vector>

namespace e2e {

namespace {
constexpr const char* kAppDefaults = "Software\\Wine\\AppDefaults\\QZSelect.exe";
} // namespace

void PressF1(HWND window) {
    PostMessageA(window, WM_KEYDOWN, VK_F1, 1);
    PostMessageA(window, WM_KEYUP, VK_F1, 0xC0000001);
}

HWND HelpViewerWindow() {
    return FindWindowA("MS_WINHELP", nullptr);
}

HWND HelpTextWindow(HWND viewer) {
    for (const WindowInfo& child : ChildrenOf(viewer))
        if (child.className.rfind("RichEdit", 0) == 0) return child.hwnd;
    return nullptr;
}

std::string HelpText(HWND viewer) {
    HWND text = HelpTextWindow(viewer);
    DWORD_PTR length = 0;
    if (!text || !SendMessageTimeoutA(text, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kDeadlineMs, &length)) return "";
    std::vector<char> buffer(length + 1);
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(text, WM_GETTEXT, buffer.size(), LPARAM(buffer.data()), SMTO_ABORTIFHUNG, kDeadlineMs,
                             &copied))
        return "";
    return std::string(buffer.data(), copied);
}

bool ClickHelpText(HWND viewer, const std::string& words) {
    HWND text = HelpTextWindow(viewer);
    const std::string shown = HelpText(viewer);
    const std::size_t at = shown.find(words);
    if (!text || at == std::string::npos) return false;
    // The control counts a paragraph's end as one character; its text gives it as CR LF.
    std::size_t index = at;
    for (std::size_t cr = shown.find("\r\n"); cr < at; cr = shown.find("\r\n", cr + 2))
        --index;
    DWORD_PTR packed = 0;
    if (!SendMessageTimeoutA(text, EM_POSFROMCHAR, index + 1, 0, SMTO_ABORTIFHUNG, kDeadlineMs, &packed)) return false;
    const LPARAM point = MAKELPARAM(LOWORD(packed) + 2, HIWORD(packed) + 4);
    return PostMessageA(text, WM_LBUTTONDOWN, MK_LBUTTON, point) && PostMessageA(text, WM_LBUTTONUP, 0, point);
}

ProgramSystemVersion::ProgramSystemVersion(const std::string& version) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kAppDefaults, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return;
    RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version.c_str()),
                   DWORD(version.size() + 1));
    RegCloseKey(key);
}

ProgramSystemVersion::~ProgramSystemVersion() {
    RegDeleteKeyA(HKEY_CURRENT_USER, kAppDefaults);
}

} // namespace e2e
