#pragma once
// The list file "QZDATA.QZD": the four screen lists, as the randomizer reads them. The writer
// produces the layout byte for byte; the reader also takes the tolerances of older and hand-made
// files (CR line ends with an optional LF, 1A as the end, sections in any order and repeated).
#include "platform/TextSink.h"
#include "system/Category.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The list file's name, in the program directory.
inline constexpr const char* kListFileName = "QZDATA.QZD";

struct ListEntry {
    std::string fileName;
    std::string path;  // as held by the list: with or without a trailing backslash
    std::string style; // wallpaper entries only
};

// The start-up, waiting, shut-down and wallpaper lists.
struct ListSet {
    std::array<std::vector<ListEntry>, kCategoryCount> lists;
    std::vector<ListEntry>& operator[](Category category) { return lists[int(category)]; }
    const std::vector<ListEntry>& operator[](Category category) const { return lists[int(category)]; }
};
// The entry's full path, and for a wallpaper ", " and its style.
std::string EntryLine(const ListEntry& entry, bool withStyle);

// The whole file: each section's header, its entry lines, an empty line between sections; CR LF
// after every line, nothing after the wallpaper section. The sink takes it in chunks.
std::string WriteListFile(const ListSet& lists);
void WriteListFile(const ListSet& lists, TextSink& file);

// The same file written piece by piece from texts held elsewhere, without copying them into a
// ListSet first: the sections in their order, each followed by its entries.
void AppendSectionHeader(TextSink& file, Category category);
// Inline, as composing the file calls it for each of up to 100,000 entries.
inline void AppendEntry(TextSink& file, std::string_view fileName, std::string_view path, std::string_view style,
                        bool withStyle);

// Adds the file's entries to the lists. A bare file name gets programDir as its path.
void ReadListFile(const std::string& bytes, const std::string& programDir, ListSet& lists);

// The same reading in two steps, for a reader that needs only some entries whole: every entry
// line of the file with its section, in order, and the entry one line makes.
void ForEachEntryLine(std::string_view bytes, const std::function<void(Category, std::string_view)>& visit);
ListEntry EntryOfLine(std::string line, Category category, const std::string& programDir);

// A wallpaper line's style: the text after its last comma, matched without regard to case and
// surrounding blanks; "Centred" when nothing matches. The line loses the comma and what follows.
std::string TakeWallpaperStyle(std::string& line);

// The entry writer's parts -----------------------------------------------------------------------
namespace list_file_detail {
// An entry line without its line end: its length, and the line written at `out` (returns its end).
inline std::size_t EntryLineSize(std::string_view fileName, std::string_view path, std::string_view style,
                                 bool withStyle) {
    const bool separator = path.empty() || path.back() != '\\';
    return path.size() + (separator ? 1 : 0) + fileName.size() + (withStyle ? 2 + style.size() : 0);
}

// Copies a short text in 4-byte words, the last overlapping the one before: for the few bytes of a
// name or folder much faster than a call of memcpy.
inline char* Put(char* out, std::string_view text) {
    const char* from = text.data();
    const std::size_t size = text.size();
    if (size < 4) {
        for (std::size_t i = 0; i < size; ++i)
            out[i] = from[i];
        return out + size;
    }
    std::uint32_t word;
    for (std::size_t i = 0; i + 4 < size; i += 4) {
        std::memcpy(&word, from + i, 4);
        std::memcpy(out + i, &word, 4);
    }
    std::memcpy(&word, from + size - 4, 4);
    std::memcpy(out + size - 4, &word, 4);
    return out + size;
}

inline char* PutEntryLine(char* out, std::string_view fileName, std::string_view path, std::string_view style,
                          bool withStyle) {
    out = Put(out, path);
    if (path.empty() || path.back() != '\\') *out++ = '\\';
    out = Put(out, fileName);
    if (withStyle) {
        *out++ = ',';
        *out++ = ' ';
        out = Put(out, style);
    }
    return out;
}
} // namespace list_file_detail

inline void AppendEntry(TextSink& file, std::string_view fileName, std::string_view path, std::string_view style,
                        bool withStyle) {
    const std::size_t size = list_file_detail::EntryLineSize(fileName, path, style, withStyle);
    char* out = list_file_detail::PutEntryLine(file.Extend(size + 2), fileName, path, style, withStyle);
    out[0] = '\r';
    out[1] = '\n';
}
