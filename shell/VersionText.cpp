#include "shell/VersionText.h"

namespace {
// Removes the last part (after the last dot) and the dot itself; returns what was removed.
// A text without a dot loses its first character as well, as the cutting always drops the
// character it stops on.
std::string CutLastPart(std::string& text) {
    std::string part;
    std::size_t i = text.size();
    while (i > 1 && text[i - 1] != '.') {
        part.insert(part.begin(), text[i - 1]);
        text.erase(i - 1, 1);
        --i;
    }
    if (i >= 1) text.erase(i - 1, 1);
    return part;
}
} // namespace

VersionAndBuild CutVersion(const std::optional<std::string>& fileVersion) {
    if (!fileVersion || fileVersion->find('.') == std::string::npos) return {kFallbackVersion, ""};
    VersionAndBuild result{*fileVersion, ""};
    result.build = CutLastPart(result.version);
    CutLastPart(result.version);
    return result;
}
