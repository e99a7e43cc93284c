#include "platform/Shortcut.h"

namespace {
std::string KeyName(unsigned key) {
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return std::string(1, char(key));
    if (key >= vk::F1 && key < vk::F1 + 24) return "F" + std::to_string(key - vk::F1 + 1);
    if (key == vk::Insert) return "Ins";
    if (key == vk::Delete) return "Del";
    return "";
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
