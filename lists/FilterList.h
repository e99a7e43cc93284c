#pragma once
// Filter lists of the file browser: "description|mask|description|mask...".
#include <string>
#include <vector>

struct FilterRow {
    std::string description;
    std::string mask;
};

std::vector<FilterRow> ParseFilter(const std::string& filter);

// Filter texts are compared without regard to case.
bool SameFilter(const std::string& a, const std::string& b);

// The patterns of a mask, split at ";"; an empty pattern after the last ";" is kept (it matches nothing).
std::vector<std::string> SplitMask(const std::string& mask);
