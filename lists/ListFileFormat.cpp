#include "lists/ListFileFormat.h"

#include <algorithm>
#include <functional>

namespace {
const char kLineEnd[] = "\r\n";

std::string Upper(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    return text;
}

// Blanks and control characters off both ends.
std::string Trim(const std::string& text) {
    std::size_t first = 0, last = text.size();
    while (first < last && static_cast<unsigned char>(text[first]) <= ' ')
        ++first;
    while (last > first && static_cast<unsigned char>(text[last - 1]) <= ' ')
        --last;
    return text.substr(first, last - first);
}

} // namespace

ListEntry EntryOfLine(std::string line, ListSection section, const std::string& programDir) {
    ListEntry entry;
    if (section == kWallSection) entry.style = TakeWallpaperStyle(line);
    auto cut = line.find_last_of("\\:");
    entry.fileName = cut == std::string::npos ? line : line.substr(cut + 1);
    entry.path = cut == std::string::npos ? std::string() : line.substr(0, cut + 1);
    if (entry.path.empty()) entry.path = programDir;
    return entry;
}

namespace {
void AppendEntryLine(std::string& file, std::string_view fileName, std::string_view path, std::string_view style,
                     bool withStyle) {
    file += path;
    if (path.empty() || path.back() != '\\') file += '\\';
    file += fileName;
    if (withStyle) {
        file += ", ";
        file += style;
    }
}
} // namespace

std::string EntryLine(const ListEntry& entry, bool withStyle) {
    std::string line;
    AppendEntryLine(line, entry.fileName, entry.path, entry.style, withStyle);
    return line;
}

void AppendSectionHeader(std::string& file, ListSection section) {
    if (section > 0) file += kLineEnd; // the empty line that closes the section before
    file += kSectionHeaders[section];
    file += kLineEnd;
}

void AppendEntry(std::string& file, std::string_view fileName, std::string_view path, std::string_view style,
                 bool withStyle) {
    AppendEntryLine(file, fileName, path, style, withStyle);
    file += kLineEnd;
}

std::string WriteListFile(const ListSet& lists) {
    std::string file;
    for (int section = 0; section < kSectionCount; ++section) {
        AppendSectionHeader(file, ListSection(section));
        for (const ListEntry& entry : lists[section])
            AppendEntry(file, entry.fileName, entry.path, entry.style, section == kWallSection);
    }
    return file;
}

std::string TakeWallpaperStyle(std::string& line) {
    auto comma = line.rfind(',');
    if (comma == std::string::npos) return kStyleNames[0];
    std::string wanted = Upper(Trim(line.substr(comma + 1)));
    line.erase(comma);
    for (const char* style : kStyleNames)
        if (wanted == Upper(style)) return style;
    return kStyleNames[0];
}

void ForEachEntryLine(std::string_view bytes, const std::function<void(ListSection, std::string_view)>& visit) {
    const std::size_t end = std::min(bytes.find('\x1A'), bytes.size());
    int section = -1;
    std::size_t pos = 0;
    while (pos < end) {
        std::size_t cr = bytes.find('\r', pos);
        std::size_t lineEnd = cr == std::string_view::npos || cr > end ? end : cr;
        std::string_view line = bytes.substr(pos, lineEnd - pos);
        pos = lineEnd + 1;
        if (lineEnd < end && pos < end && bytes[pos] == '\n') ++pos;
        if (line.empty()) continue;
        if (line[0] == '[') {
            section = -1;
            for (int s = 0; s < kSectionCount; ++s)
                if (line == kSectionHeaders[s]) section = s;
            continue;
        }
        if (section >= 0) visit(ListSection(section), line);
    }
}

void ReadListFile(const std::string& bytes, const std::string& programDir, ListSet& lists) {
    ForEachEntryLine(bytes, [&](ListSection section, std::string_view line) {
        lists[section].push_back(EntryOfLine(std::string(line), section, programDir));
    });
}
