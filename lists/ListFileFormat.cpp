#include "lists/ListFileFormat.h"

#include "pictures/WallpaperStyles.h"

#include <algorithm>
#include <functional>
#include <optional>

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

ListEntry EntryOfLine(std::string line, Category category, const std::string& programDir) {
    ListEntry entry;
    if (category == Category::Wall) entry.style = TakeWallpaperStyle(line);
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

void AppendSectionHeader(TextSink& file, Category category) {
    if (category != kCategories[0]) file.Append(kLineEnd); // the empty line that closes the section before
    file.Append(InfoOf(category).header);
    file.Append(kLineEnd);
}

void WriteListFile(const ListSet& lists, TextSink& file) {
    for (Category category : kCategories) {
        AppendSectionHeader(file, category);
        for (const ListEntry& entry : lists[category])
            AppendEntry(file, entry.fileName, entry.path, entry.style, category == Category::Wall);
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
    const char* centred = StyleInfo(WallpaperStyle::Centred).name;
    if (comma == std::string::npos) return centred;
    std::string wanted = Upper(Trim(line.substr(comma + 1)));
    line.erase(comma);
    for (const WallpaperStyleInfo& style : kWallpaperStyles)
        if (wanted == Upper(style.name)) return style.name;
    return centred;
}

void ForEachEntryLine(std::string_view bytes, const std::function<void(Category, std::string_view)>& visit) {
    const std::size_t end = std::min(bytes.find('\x1A'), bytes.size());
    std::optional<Category> section;
    std::size_t pos = 0;
    while (pos < end) {
        std::size_t cr = bytes.find('\r', pos);
        std::size_t lineEnd = cr == std::string_view::npos || cr > end ? end : cr;
        std::string_view line = bytes.substr(pos, lineEnd - pos);
        pos = lineEnd + 1;
        if (lineEnd < end && pos < end && bytes[pos] == '\n') ++pos;
        if (line.empty()) continue;
        if (line[0] == '[') {
            section.reset();
            for (Category category : kCategories)
                if (line == InfoOf(category).header) section = category;
            continue;
        }
        if (section) visit(*section, line);
    }
}

void ReadListFile(const std::string& bytes, const std::string& programDir, ListSet& lists) {
    ForEachEntryLine(bytes, [&](Category category, std::string_view line) {
        lists[category].push_back(EntryOfLine(std::string(line), category, programDir));
    });
}
