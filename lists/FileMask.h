#pragma once
// Which file names a file list shows: masks of patterns such as "*.bmp;*.sys;".
#include <string>

// A wildcard pattern ("*" any run of characters, "?" any one character), without regard to case.
// "*.*" matches every name, also one without a dot.
bool MatchesPattern(const std::string& name, const std::string& pattern);

// A mask matches a name when one of its patterns does; an empty pattern matches nothing.
bool MatchesMask(const std::string& name, const std::string& mask);
