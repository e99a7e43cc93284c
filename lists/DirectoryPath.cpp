#include "lists/DirectoryPath.h"

namespace {
bool IsRoot(const std::string& path) {
    return (path.size() == 3 && path[1] == ':' && path[2] == '\\') || path == "\\";
}
} // namespace

std::string BrowserPath(const std::string& path) {
    std::string result = path;
    if (result.size() == 2 && result[1] == ':') return result + '\\';
    while (result.size() > 1 && result.back() == '\\' && !IsRoot(result))
        result.pop_back();
    return result;
}

std::vector<std::string> PathLevels(const std::string& path) {
    std::string full = BrowserPath(path);
    std::vector<std::string> levels;
    if (full.empty()) return levels;
    std::size_t start = 0;
    if (full.size() >= 3 && full[1] == ':' && full[2] == '\\') {
        levels.push_back(full.substr(0, 3));
        start = 3;
    } else if (full.rfind("\\\\", 0) == 0) { // \\server\share is one level
        std::size_t share = full.find('\\', 2);
        std::size_t end = share == std::string::npos ? std::string::npos : full.find('\\', share + 1);
        levels.push_back(full.substr(0, end));
        if (end == std::string::npos) return levels;
        start = end + 1;
    }
    while (start < full.size()) {
        std::size_t end = full.find('\\', start);
        if (end == std::string::npos) end = full.size();
        if (end > start) levels.push_back(full.substr(start, end - start));
        start = end + 1;
    }
    return levels;
}

std::string PathOfLevels(const std::vector<std::string>& levels, std::size_t count) {
    std::string path;
    for (std::size_t i = 0; i < count && i < levels.size(); ++i)
        path = i == 0 ? levels[0] : JoinPath(path, levels[i]);
    return BrowserPath(path);
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    return folder.back() == '\\' ? folder + name : folder + '\\' + name;
}
