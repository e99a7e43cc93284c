#include "randomizer/RandomizerRun.h"

#include "lists/ListFileFormat.h"
#include "pictures/PictureFile.h"
#include "pictures/MonitorWallpapers.h"
#include "lists/DirectoryPath.h"
#include "platform/Files.h"
#include "platform/Registry.h"
#include "platform/SettingsText.h"
#include "randomizer/Rounds.h"
#include "system/SystemOperations.h"

#include <windows.h>

#include <exception>
#include <new>
#include <stdexcept>

namespace {

std::string FullPath(const ListEntry& entry) {
    return JoinPath(entry.path, entry.fileName);
}

std::string ListName(Category category) {
    return InfoOf(category).section;
}

// One list as the file holds it: its lines, and the key of each line's entry. Only the entries
// that are tried are made whole.
struct ListLines {
    std::vector<std::string_view> lines;
    std::vector<std::uint64_t> keys;
};

// Empty when the file is a picture that may be a screen; otherwise why not.
std::string ScreenRefusal(const PictureFile& file) {
    if (file.outcome == PictureFile::Outcome::NotOpened) return "the file cannot be opened";
    if (file.outcome != PictureFile::Outcome::Loaded) return file.reason.empty() ? "no bitmap" : file.reason;
    if (file.width == 0 || file.height == 0) return "no bitmap";
    switch (file.check) {
    case ScreenCheck::Fits:
        return {};
    case ScreenCheck::WrongSize:
        return "size " + std::to_string(file.width) + " x " + std::to_string(file.height) + ", not 320 x 400";
    case ScreenCheck::WrongDepth:
        return PixelFormatName(file.format) + " bits per pixel, not 8";
    }
    return "no screen";
}

// What one run works with: its options, its places and the picture library.
struct RunContext {
    const RandomizerOptions& options;
    const RandomizerPlaces& places;
    TPictureLibrary& library;
    PickRandom& random;
    std::vector<std::string>& log;
    bool perMonitor; // each monitor a wallpaper entry of its own
};

void ChooseScreen(Category screen, const ListLines& list, RoundState& state, RunContext& run) {
    const std::string name = ListName(screen);
    if (list.lines.empty()) {
        run.log.push_back(name + ": the list is empty; the screen stays as it is");
        return;
    }
    const std::string target = SystemScreenPath(run.places.windowsDir, screen);
    for (std::size_t position : TryOrder(list.keys, state, run.random)) {
        const std::string path =
            FullPath(EntryOfLine(std::string(list.lines[position]), screen, run.places.programDir));
        std::string refusal = ScreenRefusal(ReadPictureFile(path, screen, run.library, PictureNeed::Check));
        if (refusal.empty() && !run.options.dryRun) {
            if (std::optional<FileFailure> failure = InstallScreenFile(path, target))
                refusal = "cannot copy it to " + failure->path + ": " + SystemErrorText(failure->error);
        }
        if (!refusal.empty()) {
            run.log.push_back(name + ": skipped " + path + ": " + refusal);
            continue;
        }
        run.log.push_back(name + ": " + path + (run.options.dryRun ? " would become " : " is now ") + target);
        RecordShown(state, list.keys, list.keys[position]);
        return;
    }
    run.log.push_back(name + ": no entry could be used; the screen stays as it is");
}

// The selector's switch that gives each monitor an entry of its own; read, never created.
bool WallpaperPerMonitor() {
    try {
        const std::optional<TRegistryKey> section =
            TRegistryKey::Open(HKEY_CURRENT_USER, std::string(kSettingsKey) + "\\" + kMainSection);
        const std::optional<std::string> value = section ? section->ReadString(kWallpaperPerMonitor) : std::nullopt;
        return value && ParseWholeNumber(*value).value_or(0) != 0;
    } catch (const std::exception&) {
        return false;
    }
}

std::string MonitorName(std::size_t index, const MonitorRect& monitor) {
    return "monitor " + std::to_string(index + 1) + " (" + std::to_string(monitor.width) + " x " +
           std::to_string(monitor.height) + " at " + std::to_string(monitor.left) + ", " + std::to_string(monitor.top) +
           ")";
}

// Each monitor, in the desk's order, takes the next entry of the round that is on no other monitor
// yet, composed in its own style for that monitor. Entries the picture library cannot read are
// skipped; a monitor no entry can be made for keeps what it shows, the others still change. The
// round moves on only when the pictures reach the system.
void ChooseWallpaperPerMonitor(const ListLines& list, RoundState& state, RunContext& run, TMonitorDesk& desk) {
    const std::string name = ListName(Category::Wall);
    const bool dry = run.options.dryRun;
    RoundState round = state;
    std::vector<std::uint64_t> onMonitors;
    std::vector<char> unreadable(list.lines.size(), 0);
    std::vector<std::string> picks;
    for (std::size_t m = 0; m < desk.Monitors().size(); ++m) {
        const std::string monitor = name + ": " + MonitorName(m, desk.Monitors()[m]) + ": ";
        std::string failure = "no entry could be used";
        for (std::size_t position : MonitorTryOrder(list.keys, round, run.random, onMonitors)) {
            if (unreadable[position]) continue;
            const ListEntry entry =
                EntryOfLine(std::string(list.lines[position]), Category::Wall, run.places.programDir);
            const std::string path = FullPath(entry);
            const WallpaperStyle style = WallpaperStyleNamed(entry.style).value_or(WallpaperStyle::Centred);
            const MonitorWallpaper made = ComposeMonitorWallpaper(path, style, desk.Monitors()[m].Size(), run.library);
            const WallpaperPicture::Outcome outcome = made.composed.outcome;
            if (outcome == WallpaperPicture::Outcome::NoLibrary) throw std::runtime_error(made.composed.reason);
            if (outcome == WallpaperPicture::Outcome::Unreadable) {
                unreadable[position] = 1;
                run.log.push_back(name + ": skipped " + path + ": the picture library cannot read it");
                continue;
            }
            if (outcome == WallpaperPicture::Outcome::NoMemory) {
                failure = path + ": there is not enough memory to make its picture";
                break;
            }
            if (!dry && !desk.Put(m, made.shown)) {
                // A file the folder does not take: no monitor changes.
                run.log.push_back(name + ": " + WallpaperFailureText(desk.Finish()));
                return;
            }
            picks.push_back(monitor + path + " (" + entry.style + ")" +
                            (dry ? " would become its wallpaper" : " is now its wallpaper"));
            RecordShown(round, list.keys, list.keys[position]);
            onMonitors.push_back(list.keys[position]);
            failure.clear();
            break;
        }
        if (!failure.empty())
            picks.push_back(monitor + failure +
                            (desk.KeepsTheOthers() ? "; it keeps its picture" : "; it shows the desktop colour"));
    }
    if (onMonitors.empty()) {
        run.log.push_back(name + ": no entry could be used; the wallpaper stays as it is");
        return;
    }
    if (!dry) {
        const WallpaperResult result = desk.Finish();
        if (!result.Ok()) {
            run.log.push_back(name + ": " + WallpaperFailureText(result));
            return;
        }
        picks.push_back(name + (desk.ThroughShell()
                                    ? ": a file a monitor, the first " + result.path
                                    : ": tiled in " + result.path + ", " + std::to_string(result.size.width) + " x " +
                                          std::to_string(result.size.height)));
    }
    run.log.insert(run.log.end(), picks.begin(), picks.end());
    state = round;
}

// The picture of a wallpaper entry, composed in its style for the monitors and applied as the
// program applies it. Entries the picture library cannot read are skipped; a failure to write
// the bitmap or the desktop values would fail for every entry and ends the attempt.
void ChooseWallpaper(const ListLines& list, RoundState& state, RunContext& run) {
    const std::string name = ListName(Category::Wall);
    if (list.lines.empty()) {
        run.log.push_back(name + ": the list is empty; the wallpaper stays as it is");
        return;
    }
    if (run.perMonitor)
        if (std::unique_ptr<TMonitorDesk> desk = TMonitorDesk::Open(run.places.stateDir, true)) {
            try {
                ChooseWallpaperPerMonitor(list, state, run, *desk);
            } catch (const std::bad_alloc&) {
                WallpaperResult none;
                none.outcome = WallpaperResult::Outcome::NoMemory;
                run.log.push_back(name + ": " + WallpaperFailureText(none));
            }
            return;
        }
    for (std::size_t position : TryOrder(list.keys, state, run.random)) {
        const ListEntry entry = EntryOfLine(std::string(list.lines[position]), Category::Wall, run.places.programDir);
        const std::string path = FullPath(entry);
        const WallpaperStyle style = WallpaperStyleNamed(entry.style).value_or(WallpaperStyle::Centred);
        // Only what the screens show is read of the picture: a photo costs no more than the screens.
        FileWallpaperResult made;
        if (run.options.dryRun) {
            const WallpaperPicture picture = ComposeWallpaperFile(path, style, PrimaryScreenSize(), run.library);
            made.picture = picture.outcome;
            made.reason = picture.reason;
        } else {
            made = ApplyWallpaperFile(path, style, run.places.stateDir, run.library);
        }
        if (made.picture == WallpaperPicture::Outcome::NoLibrary) throw std::runtime_error(made.reason);
        if (made.picture == WallpaperPicture::Outcome::Unreadable) {
            run.log.push_back(name + ": skipped " + path + ": the picture library cannot read it");
            continue;
        }
        const std::string what = path + " (" + entry.style + ")";
        if (run.options.dryRun) {
            run.log.push_back(name + ": " + what + " would become the wallpaper");
        } else {
            WallpaperResult& result = made.applied;
            if (made.picture == WallpaperPicture::Outcome::NoMemory)
                result.outcome = WallpaperResult::Outcome::NoMemory;
            if (!result.Ok()) {
                run.log.push_back(name + ": " + what + ": " + WallpaperFailureText(result));
                return;
            }
            run.log.push_back(name + ": " + what + " is now the wallpaper, " + std::to_string(result.size.width) +
                              " x " + std::to_string(result.size.height) + " in " + result.path +
                              (made.monitors > 1 ? " (" + std::to_string(made.monitors) + " monitors)" : ""));
        }
        RecordShown(state, list.keys, list.keys[position]);
        return;
    }
    run.log.push_back(name + ": no entry could be used; the wallpaper stays as it is");
}

} // namespace

std::string StateFolder(const std::string& programDir, std::string& note) {
    const unsigned long error = FolderWriteError(programDir);
    if (error == 0) return programDir;
    char temp[MAX_PATH] = {};
    const DWORD length = GetTempPathA(MAX_PATH, temp);
    std::string folder = length > 0 && length < MAX_PATH ? std::string(temp, length) : std::string("C:\\");
    if (folder.back() != '\\') folder += '\\';
    folder += kStateFolderName;
    CreateDirectoryA(folder.c_str(), nullptr);
    folder += '\\';
    note = "The program folder " + programDir + " cannot be written (" + SystemErrorText(error) +
           "): the rounds, this log and the wallpaper are kept in " + folder;
    return folder;
}

namespace {

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
        unsigned long openError = 0;
        if (!ReadWholeFile(listPath, bytes, &openError)) {
            if (openError == ERROR_FILE_NOT_FOUND || openError == ERROR_PATH_NOT_FOUND)
                log.push_back("No list file " + listPath + ": nothing changes");
            else
                log.push_back("Cannot read the list file " + listPath + ": " + SystemErrorText(openError) +
                              " Nothing changes.");
            return log;
        }
    } catch (const std::exception& error) {
        log.push_back(std::string(error.what()) + ": nothing changes");
        return log;
    }
    const std::string file(bytes.begin(), bytes.end());
    ListLines lists[kCategoryCount];
    ForEachEntryLine(file, [&](Category category, std::string_view line) {
        lists[int(category)].lines.push_back(line);
        lists[int(category)].keys.push_back(EntryKeyOfLine(line, category, places.programDir));
    });

    const std::string roundsPath = places.stateDir + kRoundsFileName;
    RoundState states[kRoundLists];
    std::vector<std::uint8_t> roundBytes;
    try {
        if (ReadWholeFile(roundsPath, roundBytes))
            ReadRoundStates(std::string(roundBytes.begin(), roundBytes.end()), states);
    } catch (const std::exception&) {
        // An unreadable state begins new rounds.
    }

    PickRandom random(options.hasSeed ? options.seed : FreshSeed());
    TPictureLibrary library(places.programDir);
    RunContext run{options, places, library, random, log, WallpaperPerMonitor()};
    for (Category category : kCategories) {
        const int index = int(category);
        try {
            if (IsScreen(category))
                ChooseScreen(category, lists[index], states[index], run);
            else
                ChooseWallpaper(lists[index], states[index], run);
        } catch (const std::exception& error) {
            log.push_back(ListName(category) + ": " + error.what());
        }
    }

    if (!options.dryRun) {
        ReplaceResult saved = ReplaceFileContents(roundsPath, WriteRoundStates(states), false);
        if (!saved.Ok()) log.push_back("Cannot write " + roundsPath + ": " + SystemErrorText(saved.error));
    }
    return log;
}
