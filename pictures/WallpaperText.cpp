#include "pictures/WallpaperText.h"

namespace {
constexpr const char* kNotChanged = "\n\rThe wallpaper was not changed.";
} // namespace

std::string WallpaperFailureText(const WallpaperResult& result) {
    using Outcome = WallpaperResult::Outcome;
    switch (result.outcome) {
    case Outcome::Applied:
        return {};
    case Outcome::NoPicture:
        return "The picture has no width or height (0 x 0 pixels)." + std::string(kNotChanged);
    case Outcome::NoMemory:
        return "There is not enough memory to make the wallpaper." + std::string(kNotChanged);
    case Outcome::PathTooLong:
        return "Cannot create file " + result.path + "\n\rThe path is longer than " +
               std::to_string(kMaxWallpaperPath) + " characters." + kNotChanged;
    case Outcome::NotWritten:
        return "Cannot create file " + result.path + (result.reason.empty() ? "" : "\n\r" + result.reason);
    case Outcome::RegistryFailed:
        return result.reason;
    case Outcome::SystemRefused:
        return "Windows did not accept the wallpaper " + result.path +
               (result.reason.empty() ? "" : "\n\r" + result.reason);
    }
    return {};
}

std::string UnreadablePictureText(const std::string& file, const std::string& reason) {
    return "The file " + file + "\n\rcould not be read as a picture." + (reason.empty() ? "" : "\n\r" + reason) +
           kNotChanged;
}

std::string NoPictureText(const std::string& file) {
    return "The file " + file + "\n\rholds no picture (0 x 0 pixels)." + kNotChanged;
}

std::string NoMemoryText(const std::string& file) {
    return "There is not enough memory to make a wallpaper of " + file + kNotChanged;
}

std::string NoStyleText(const std::string& styleText) {
    return "\"" + styleText + "\" is no wallpaper style." + kNotChanged;
}

bool ParseRgbText(const std::string& text, std::uint32_t& rgb) {
    std::size_t at = 0;
    std::uint32_t value = 0;
    for (int channel = 0; channel < 3; ++channel) {
        if (channel > 0 && (at >= text.size() || text[at] != ' ')) return false;
        while (at < text.size() && text[at] == ' ')
            ++at;
        const std::size_t digits = at;
        unsigned number = 0;
        while (at < text.size() && text[at] >= '0' && text[at] <= '9' && at - digits < 3)
            number = number * 10 + unsigned(text[at++] - '0');
        if (at == digits || number > 255) return false;
        value = (value << 8) | number;
    }
    while (at < text.size() && text[at] == ' ')
        ++at;
    if (at != text.size()) return false;
    rgb = value;
    return true;
}
