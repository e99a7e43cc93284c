#include "platform/ProgramDir.h"

std::string ProgramDirFromExePath(const std::string& exePath) {
    auto cut = exePath.find_last_of("\\:");
    std::string dir = cut == std::string::npos ? std::string() : exePath.substr(0, cut + 1);
    // The backslash before the file name goes, unless it belongs to a root such as "C:\".
    if (dir.size() > 1 && dir.back() == '\\' && dir[dir.size() - 2] != ':' && dir[dir.size() - 2] != '\\')
        dir.pop_back();
    if (dir.empty() || dir.back() != '\\') dir += '\\';
    return dir;
}
