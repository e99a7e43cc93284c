#pragma once
// Short-cut keys as one 16-bit value: the virtual-key code in the low byte, modifier bits above.
#include <cstdint>
#include <string>

using TShortCut = std::uint16_t;

constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;
constexpr TShortCut scNone = 0;

// Virtual-key codes the program's menus use (values as Windows defines them).
namespace vk {
constexpr std::uint8_t Escape = 0x1B;
constexpr std::uint8_t Insert = 0x2D;
constexpr std::uint8_t Delete = 0x2E;
constexpr std::uint8_t F1 = 0x70;
constexpr std::uint8_t F3 = 0x72;
constexpr std::uint8_t F4 = 0x73;
constexpr std::uint8_t F5 = 0x74;
} // namespace vk

constexpr TShortCut ShortCut(std::uint8_t key, TShortCut modifiers = 0) {
    return TShortCut(key | modifiers);
}
constexpr TShortCut CtrlKey(char letter) {
    return ShortCut(std::uint8_t(letter), scCtrl);
}

// The text shown beside a menu entry, e.g. "Ctrl+S", "F3", "Ins", "Del".
std::string ShortCutToText(TShortCut shortCut);
