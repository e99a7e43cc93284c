#include "randomizer/RandomizerRun.h"

#include "lists/DirectoryPath.h"
#include "lists/ListFileFormat.h"
#include "pictures/BmpReader.h"
#include "pictures/PictureLibrary.h"
#include "pictures/Wallpaper.h"
#include "platform/Files.h"
#include "randomizer/Rounds.h"
#include "system/SystemOperations.h"

#include <windows.h>

#include <exception>

namespace {

const char* const kListNames[kRoundLists] = {"START", "WAIT", "SHUT", "WALLPAPER"};

std::string FullPath(const ListEntry& entry) {
    return JoinPath(entry.path, entry.fileName);
}

// One list as the file holds it: its lines, and the key of each line's entry. Only the entries
// that are tried are made whole.
struct ListLines {
    std::vector<std::string_view> lines;
    std::vector<std::uint64_t> keys;
};

// Empty when the file is a picture that may be a screen; otherwise why not. Reads the file.
std::string ScreenRefusal(const std::string& path) {
    std::vector<std::uint8_t> bytes;
    try {
        if (!ReadWholeFile(path, bytes)) return "the file cannot be opened";
    } catch (const std::exception& error) {
        return error.what();
    }
    DecodedPicture picture;
    if (ReadBmp(bytes.data(), bytes.size(), picture) != BmpStatus::Ok || picture.Empty()) return "no bitmap";
    switch (CheckScreenPicture(picture.width, picture.height, picture.format)) {
    case ScreenCheck::Fits:
        return {};
    case ScreenCheck::WrongSize:
        return "size " + std::to_string(picture.width) + " x " + std::to_string(picture.height) + ", not 320 x 400";
    case ScreenCheck::WrongDepth:
        return PixelFormatName(picture.format) + " bits per pixel, not 8";
    }
    return "no screen";
}

void ChooseScreen(SystemScreen screen, const ListLines& list, RoundState& state, PickRandom& random,
                  const RandomizerOptions& options, const RandomizerPlaces& places, std::vector<std::string>& log) {
    const std::string name = kListNames[int(screen)];
    if (list.lines.empty()) {
        log.push_back(name + ": the list is empty; the screen stays as it is");
        return;
    }
    const std::string target = SystemScreenPath(places.windowsDir, screen);
    for (std::size_t position : TryOrder(list.keys, state, random)) {
        const std::string path =
            FullPath(EntryOfLine(std::string(list.lines[position]), ListSection(screen), places.programDir));
        std::string refusal = ScreenRefusal(path);
        if (refusal.empty() && !options.dryRun) {
            if (std::optional<FileFailure> failure = InstallScreenFile(path, target))
                refusal = "cannot copy it to " + failure->path + ": " + SystemErrorText(failure->error);
        }
        if (!refusal.empty()) {
            log.push_back(name + ": skipped " + path + ": " + refusal);
            continue;
        }
        log.push_back(name + ": " + path + (options.dryRun ? " would become " : " is now ") + target);
        RecordShown(state, list.keys, list.keys[position]);
        return;
    }
    log.push_back(name + ": no entry could be used; the screen stays as it is");
}

// The picture of a wallpaper entry, composed in its style for the primary screen and applied as
// the program applies it. Entries the picture library cannot read are skipped; a failure to write
// the bitmap or the desktop values would fail for every entry and ends the attempt.
void ChooseWallpaper(const ListLines& list, RoundState& state, PickRandom& random, const RandomizerOptions& options,
                     const RandomizerPlaces& places, std::vector<std::string>& log) {
    const std::string name = kListNames[kWallSection];
    if (list.lines.empty()) {
        log.push_back(name + ": the list is empty; the wallpaper stays as it is");
        return;
    }
    const PixelSize screen{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    TPictureLibrary library(places.programDir);
    for (std::size_t position : TryOrder(list.keys, state, random)) {
        const ListEntry entry = EntryOfLine(std::string(list.lines[position]), kWallSection, places.programDir);
        const std::string path = FullPath(entry);
        const WallpaperStyle style = WallpaperStyleNamed(entry.style).value_or(WallpaperStyle::Centred);
        UniqueBitmap bitmap(library.Load(path));
        Pixels32 picture = bitmap ? ReadPixels(bitmap.Get()) : Pixels32();
        bitmap.Reset();
        if (picture.data.empty()) {
            log.push_back(name + ": skipped " + path + ": the picture library cannot read it");
            continue;
        }
        const std::string what = path + " (" + entry.style + ")";
        if (options.dryRun) {
            log.push_back(name + ": " + what + " would become the wallpaper");
        } else {
            Pixels32 composed = ComposeWallpaper(picture.View(), style, screen);
            picture = Pixels32();
            WallpaperResult result = SetWallpaper(composed.View(), style, places.programDir);
            if (!result.Ok()) {
                log.push_back(name + ": " + what + ": " + WallpaperFailureText(result));
                return;
            }
            log.push_back(name + ": " + what + " is now the wallpaper, " + std::to_string(result.size.width) + " x " +
                          std::to_string(result.size.height) + " in " + result.path);
        }
        RecordShown(state, list.keys, list.keys[position]);
        return;
    }
    log.push_back(name + ": no entry could be used; the wallpaper stays as it is");
}

std::uint64_t FreshSeed() {
    LARGE_INTEGER counter = {};
    QueryPerformanceCounter(&counter);
    return (std::uint64_t(GetTickCount()) << 32) ^ std::uint64_t(counter.QuadPart) ^ GetCurrentProcessId();
}

} // namespace

std::vector<std::string> RunRandomizer(const RandomizerOptions& options, const RandomizerPlaces& places) {
    std::vector<std::string> log;
    for (const std::string& unknown : options.unknown)
        log.push_back("Parameter without a meaning: " + unknown);
    const std::string listPath = places.programDir + kListFileName;
    std::vector<std::uint8_t> bytes;
    try {
        if (!ReadWholeFile(listPath, bytes)) {
            log.push_back("No list file " + listPath + ": nothing changes");
            return log;
        }
    } catch (const std::exception& error) {
        log.push_back(std::string(error.what()) + ": nothing changes");
        return log;
    }
    const std::string file(bytes.begin(), bytes.end());
    ListLines lists[kSectionCount];
    ForEachEntryLine(file, [&](ListSection section, std::string_view line) {
        lists[section].lines.push_back(line);
        lists[section].keys.push_back(EntryKeyOfLine(line, section, places.programDir));
    });

    const std::string roundsPath = places.programDir + kRoundsFileName;
    RoundState states[kRoundLists];
    std::vector<std::uint8_t> roundBytes;
    try {
        if (ReadWholeFile(roundsPath, roundBytes))
            ReadRoundStates(std::string(roundBytes.begin(), roundBytes.end()), states);
    } catch (const std::exception&) {
        // An unreadable state begins new rounds.
    }

    PickRandom random(options.hasSeed ? options.seed : FreshSeed());
    for (SystemScreen screen : kSystemScreens) {
        try {
            ChooseScreen(screen, lists[int(screen)], states[int(screen)], random, options, places, log);
        } catch (const std::exception& error) {
            log.push_back(std::string(kListNames[int(screen)]) + ": " + error.what());
        }
    }

    try {
        ChooseWallpaper(lists[kWallSection], states[kWallSection], random, options, places, log);
    } catch (const std::exception& error) {
        log.push_back(std::string(kListNames[kWallSection]) + ": " + error.what());
    }

    if (!options.dryRun) {
        ReplaceResult saved = ReplaceFileContents(roundsPath, WriteRoundStates(states), false);
        if (!saved.Ok()) log.push_back("Cannot write " + roundsPath + ": " + SystemErrorText(saved.error));
    }
    return log;
}
