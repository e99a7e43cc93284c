#pragma once
// Which file names a file list shows: masks of patterns such as "*.bmp;*.sys;".
#include <cstddef>
#include <string>
#include <vector>

// A wildcard pattern ("*" any run of characters, "?" any one character), without regard to case.
// "*.*" matches every name, also one without a dot.
bool MatchesPattern(const std::string& name, const std::string& pattern);

// A mask matches a name when one of its patterns does; an empty pattern matches nothing.
bool MatchesMask(const std::string& name, const std::string& mask);

// A mask split once for matching the many names of a folder; its "*.ext" patterns are tested as
// an ending of the name, without the general wildcard walk.
class FileMask {
public:
    explicit FileMask(const std::string& mask);
    bool Matches(const char* name, std::size_t length) const;
    bool Matches(const std::string& name) const { return Matches(name.data(), name.size()); }

private:
    struct Pattern {
        std::string text; // for an ending pattern, the text after the "*"
        bool ending;      // "*" followed by no further wildcard
    };
    std::vector<Pattern> patterns_;
    bool everything_ = false;
};
