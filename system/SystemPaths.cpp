#include "system/SystemPaths.h"

#include <cctype>

namespace {
const char* BaseName(SystemScreen screen) {
    switch (screen) {
    case SystemScreen::Start:
        return "logo";
    case SystemScreen::Wait:
        return "logow";
    case SystemScreen::Shut:
        return "logos";
    }
    return "logo";
}

std::string WithBackslash(const std::string& folder) {
    return !folder.empty() && folder.back() == '\\' ? folder : folder + '\\';
}
} // namespace

bool ScreenOfCategory(int categoryCode, SystemScreen& screen) {
    switch (categoryCode) {
    case 10:
        screen = SystemScreen::Start;
        return true;
    case 20:
        screen = SystemScreen::Wait;
        return true;
    case 30:
        screen = SystemScreen::Shut;
        return true;
    default:
        return false;
    }
}

std::string SystemScreenPath(const std::string& windowsDir, SystemScreen screen) {
    const std::string folder = WithBackslash(windowsDir);
    const std::string name = std::string(BaseName(screen)) + ".sys";
    return screen == SystemScreen::Start ? folder.substr(0, 3) + name : folder + name;
}

std::string BackupPath(const std::string& programDir, SystemScreen screen, int attempt) {
    std::string name = BaseName(screen);
    if (attempt > 0) name += std::to_string(attempt);
    return programDir + name + ".bck";
}

const char* OriginalInfoName(SystemScreen screen) {
    switch (screen) {
    case SystemScreen::Start:
        return "StartScreen";
    case SystemScreen::Wait:
        return "WaitScreen";
    case SystemScreen::Shut:
        return "ShutScreen";
    }
    return "StartScreen";
}

std::string InvalidSizeQuestion(int width, int height) {
    return "This screen has an invallid size\n\rSize is : " + std::to_string(width) + " x " + std::to_string(height) +
           ",\n\rSize must be 320 x 400.\n\rDo you want to cancel copying?";
}

std::string ColorDepthQuestion(const std::string& pixelFormatName) {
    return "This screens has a incorrect bitmap color depth!\n\rColor depth : " + pixelFormatName +
           " bits per pixel. This should be 8 bpp.\n\rDo you want to cancel copying?";
}

std::string AutostartCommand(const std::string& programDir) {
    const std::string path = programDir + kRandomizerName;
    return path.find(' ') == std::string::npos ? path : '"' + path + '"';
}

bool NamesRandomizer(const std::string& command) {
    std::string path = command;
    if (path.size() >= 2 && path.front() == '"' && path.back() == '"') path = path.substr(1, path.size() - 2);
    const auto cut = path.find_last_of("\\:");
    std::string name = cut == std::string::npos ? path : path.substr(cut + 1);
    for (char& c : name)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    return name == "QZRANDOM.EXE";
}
