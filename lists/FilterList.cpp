#include "lists/FilterList.h"

#include <cctype>

namespace {
std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::string::size_type start = 0;
    for (;;) {
        auto end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) return parts;
        start = end + 1;
    }
}
} // namespace

std::vector<FilterRow> ParseFilter(const std::string& filter) {
    std::vector<FilterRow> rows;
    if (filter.empty()) return rows;
    auto parts = Split(filter, '|');
    for (std::size_t i = 0; i < parts.size(); i += 2)
        rows.push_back({parts[i], i + 1 < parts.size() ? parts[i + 1] : std::string()});
    return rows;
}

bool SameFilter(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

std::vector<std::string> SplitMask(const std::string& mask) {
    return Split(mask, ';');
}
