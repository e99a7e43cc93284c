#pragma once
// The list file "QZDATA.QZD": the four screen lists, as the randomizer reads them. The writer
// produces the layout byte for byte; the reader also takes the tolerances of older and hand-made
// files (CR line ends with an optional LF, 1A as the end, sections in any order and repeated).
#include <array>
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

// Start-up, waiting, shut-down and wallpaper lists, in this order.
enum ListSection { kStartSection, kWaitSection, kShutSection, kWallSection, kSectionCount };
using ListSet = std::array<std::vector<ListEntry>, kSectionCount>;

inline constexpr const char* kSectionHeaders[kSectionCount] = {"[START]", "[WAIT]", "[SHUT]", "[WALLPAPER]"};
// The styles in the order the reader tries them.
inline constexpr const char* kStyleNames[] = {"Centred", "Tiled", "Stretched", "Fit 2 Screen", "Mirror"};

// The entry's full path, and for a wallpaper ", " and its style.
std::string EntryLine(const ListEntry& entry, bool withStyle);

// The whole file: each section's header, its entry lines, an empty line between sections; CR LF
// after every line, nothing after the wallpaper section.
std::string WriteListFile(const ListSet& lists);

// The same file written piece by piece from texts held elsewhere, without copying them into a
// ListSet first: the sections in their order, each followed by its entries.
void AppendSectionHeader(std::string& file, ListSection section);
void AppendEntry(std::string& file, std::string_view fileName, std::string_view path, std::string_view style,
                 bool withStyle);

// Adds the file's entries to the lists. A bare file name gets programDir as its path.
void ReadListFile(const std::string& bytes, const std::string& programDir, ListSet& lists);

// The same reading in two steps, for a reader that needs only some entries whole: every entry
// line of the file with its section, in order, and the entry one line makes.
void ForEachEntryLine(std::string_view bytes, const std::function<void(ListSection, std::string_view)>& visit);
ListEntry EntryOfLine(std::string line, ListSection section, const std::string& programDir);

// A wallpaper line's style: the text after its last comma, matched without regard to case and
// surrounding blanks; "Centred" when nothing matches. The line loses the comma and what follows.
std::string TakeWallpaperStyle(std::string& line);
