#include "lists/ListFileFormat.h"

#include <algorithm>
#include <functional>

namespace {
constexpr std::string_view kLineEnd = "\r\n";

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

std::string EntryLine(const ListEntry& entry, bool withStyle) {
    std::string line(list_file_detail::EntryLineSize(entry.fileName, entry.path, entry.style, withStyle), '\0');
    list_file_detail::PutEntryLine(line.data(), entry.fileName, entry.path, entry.style, withStyle);
    return line;
}

void AppendSectionHeader(TextSink& file, ListSection section) {
    if (section > 0) file.Append(kLineEnd); // the empty line that closes the section before
    file.Append(kSectionHeaders[section]);
    file.Append(kLineEnd);
}

void WriteListFile(const ListSet& lists, TextSink& file) {
    for (int section = 0; section < kSectionCount; ++section) {
        AppendSectionHeader(file, ListSection(section));
        for (const ListEntry& entry : lists[section])
            AppendEntry(file, entry.fileName, entry.path, entry.style, section == kWallSection);
    }
}

std::string WriteListFile(const ListSet& lists) {
    std::string file;
    TextSink sink([&](const char* bytes, std::size_t size) {
        file.append(bytes, size);
        return true;
    });
    WriteListFile(lists, sink);
    sink.Finish();
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
