#include "lists/FileMask.h"

#include "lists/FilterList.h"

#include <cctype>

namespace {
bool SameLetter(char a, char b) {
    return std::toupper(static_cast<unsigned char>(a)) == std::toupper(static_cast<unsigned char>(b));
}

bool MatchesEverything(const std::string& pattern) {
    return pattern == "*.*" || pattern == "*";
}

// Iterative wildcard match: remember the last star and retry from one character further.
bool WildcardMatch(const char* name, std::size_t length, const std::string& pattern) {
    std::size_t n = 0, p = 0, star = std::string::npos, resume = 0;
    while (n < length) {
        if (p < pattern.size() && (pattern[p] == '?' || (pattern[p] != '*' && SameLetter(pattern[p], name[n])))) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            resume = n;
        } else if (star != std::string::npos) {
            p = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

bool EndsWith(const char* name, std::size_t length, const std::string& ending) {
    if (length < ending.size()) return false;
    const char* tail = name + (length - ending.size());
    for (std::size_t i = 0; i < ending.size(); ++i)
        if (!SameLetter(tail[i], ending[i])) return false;
    return true;
}
} // namespace

bool MatchesPattern(const std::string& name, const std::string& pattern) {
    return MatchesEverything(pattern) || WildcardMatch(name.data(), name.size(), pattern);
}

bool MatchesMask(const std::string& name, const std::string& mask) {
    return FileMask(mask).Matches(name);
}

FileMask::FileMask(const std::string& mask) {
    for (const std::string& pattern : SplitMask(mask)) {
        if (pattern.empty()) continue;
        if (MatchesEverything(pattern)) everything_ = true;
        bool ending = pattern[0] == '*' && pattern.find_first_of("*?", 1) == std::string::npos;
        patterns_.push_back({ending ? pattern.substr(1) : pattern, ending});
    }
}

bool FileMask::Matches(const char* name, std::size_t length) const {
    if (everything_) return true;
    for (const Pattern& pattern : patterns_)
        if (pattern.ending ? EndsWith(name, length, pattern.text) : WildcardMatch(name, length, pattern.text))
            return true;
    return false;
}
