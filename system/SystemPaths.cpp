#include "system/SystemPaths.h"

#include <cctype>

namespace {
std::string WithBackslash(const std::string& folder) {
    return !folder.empty() && folder.back() == '\\' ? folder : folder + '\\';
}
} // namespace

std::string SystemScreenPath(const std::string& windowsDir, Category screen) {
    if (!IsScreen(screen)) return {};
    const std::string folder = WithBackslash(windowsDir);
    const std::string name = std::string(InfoOf(screen).screen) + ".sys";
    return screen == Category::Start ? folder.substr(0, 3) + name : folder + name;
}

std::string BackupPath(const std::string& programDir, Category screen, int attempt) {
    if (!IsScreen(screen)) return {};
    std::string name = InfoOf(screen).screen;
    if (attempt > 0) name += std::to_string(attempt);
    return programDir + name + ".bck";
}

const char* OriginalInfoName(Category screen) {
    switch (screen) {
    case Category::Wait:
        return "WaitScreen";
    case Category::Shut:
        return "ShutScreen";
    default:
        return "StartScreen";
    }
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
