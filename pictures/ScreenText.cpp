#include "pictures/ScreenText.h"

namespace {
constexpr const char* kNotMade = "\n\rNo screen was made.";
// Beyond this many screens of one picture the last name is proposed, and the box asks to replace it.
constexpr int kMaxScreenNumber = 999;
} // namespace

std::string ScreenFailureText(const ScreenResult& result) {
    using Outcome = ScreenResult::Outcome;
    const std::string reason = result.reason.empty() ? "" : "\n\r" + result.reason;
    switch (result.outcome) {
    case Outcome::Made:
        return {};
    case Outcome::Unreadable:
        return "The file " + result.source + "\n\rcould not be read as a picture." + reason + kNotMade;
    case Outcome::NoPicture:
        return "The file " + result.source + "\n\rholds no picture (0 x 0 pixels)." + kNotMade;
    case Outcome::NoMemory:
        return "There is not enough memory to make a screen of " + result.source + kNotMade;
    case Outcome::NotWritten:
        return "Cannot create file " + result.target + reason + kNotMade;
    case Outcome::OverSource:
        return "The screen cannot be written over the picture it is made of:\n\r" + result.source + kNotMade;
    }
    return {};
}

std::string ProposedScreenPath(const std::string& picture, const std::function<bool(const std::string&)>& taken) {
    const std::size_t folder = picture.find_last_of("\\:");
    const std::size_t dot = picture.find_last_of('.');
    const bool hasExtension = dot != std::string::npos && (folder == std::string::npos || dot > folder + 1);
    const std::string name = (hasExtension ? picture.substr(0, dot) : picture) + " screen";
    std::string proposed = name + ".bmp";
    for (int number = 2; number <= kMaxScreenNumber && taken(proposed); ++number)
        proposed = name + " " + std::to_string(number) + ".bmp";
    return proposed;
}
