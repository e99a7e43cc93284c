#pragma once
// How settings texts read as numbers and switches.
#include <optional>
#include <string>

// A whole number in decimal, optionally signed, blanks before it allowed; anything else is none.
std::optional<int> ParseWholeNumber(const std::string& text);

// Switches are stored as "1" and "0"; any other whole number reads as on.
inline std::string SwitchText(bool on) {
    return on ? "1" : "0";
}
