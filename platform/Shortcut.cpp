#include "platform/Shortcut.h"

TShortCut ShortCutFromKey(unsigned virtualKey, bool shift, bool ctrl, bool alt) {
    if (virtualKey == 0 || virtualKey > 0xFF) return scNone;
    TShortCut sc = TShortCut(virtualKey);
    if (shift) sc |= scShift;
    if (ctrl) sc |= scCtrl;
    if (alt) sc |= scAlt;
    return sc;
}

namespace {
std::string KeyName(unsigned key) {
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return std::string(1, char(key));
    if (key >= vk::F1 && key < vk::F1 + 24) return "F" + std::to_string(key - vk::F1 + 1);
    switch (key) {
    case 0x08:
        return "BkSp";
    case 0x09:
        return "Tab";
    case 0x0D:
        return "Enter";
    case 0x1B:
        return "Esc";
    case 0x20:
        return "Space";
    case 0x21:
        return "PgUp";
    case 0x22:
        return "PgDn";
    case 0x23:
        return "End";
    case 0x24:
        return "Home";
    case 0x25:
        return "Left";
    case 0x26:
        return "Up";
    case 0x27:
        return "Right";
    case 0x28:
        return "Down";
    case vk::Insert:
        return "Ins";
    case vk::Delete:
        return "Del";
    default:
        return "";
    }
}
} // namespace

std::string ShortCutToText(TShortCut shortCut) {
    std::string name = KeyName(shortCut & 0xFF);
    if (name.empty()) return "";
    std::string text;
    if (shortCut & scShift) text += "Shift+";
    if (shortCut & scCtrl) text += "Ctrl+";
    if (shortCut & scAlt) text += "Alt+";
    return text + name;
}
