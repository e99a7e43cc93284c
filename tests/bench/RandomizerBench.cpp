// RandomizerBench: one log-on run of QZRandom.exe with 4 x 25,000 entries, against starting and
// ending empty GUI programs (one without and one with the window system set up), alternating. The entries are kept from
// needing 100,000 files: the round state marks every entry shown but the last of each list, which is a real file, so a
// run reads and keys every entry and the whole state, yet tries one file per list.
//   RandomizerBench <program folder> <runs> <wallpaper picture or -> <empty program> <empty user32 program>
// Without a wallpaper picture the wallpaper is a 64 x 64 bitmap (the decode left out).
#include "platform/DirectoryPath.h"
#include "lists/ListFileFormat.h"
#include "platform/Handles.h"
#include "randomizer/RandomizerRun.h"
#include "randomizer/Rounds.h"
#include "system/RegistryNames.h"
#include "tests/bench/BenchClock.h"
#include "tests/support/RegistrySnapshot.h"
#include "tests/support/TestPictures.h"

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <vector>

namespace {
constexpr int kEntries = 25000;

void Write(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

struct RunResult {
    double ms = 0;
    SIZE_T peak = 0;
    DWORD exitCode = 1;
};

RunResult Start(const std::string& exe) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    std::string line = "\"" + exe + "\"";
    RunResult result;
    const double start = NowMs();
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, "C:\\", &startup, &process))
        return result;
    UniqueKernelHandle processHandle(process.hProcess), thread(process.hThread);
    WaitForSingleObject(process.hProcess, INFINITE);
    result.ms = NowMs() - start;
    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof(memory);
    if (GetProcessMemoryInfo(process.hProcess, &memory, sizeof(memory))) result.peak = memory.PeakWorkingSetSize;
    GetExitCodeProcess(process.hProcess, &result.exitCode);
    return result;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}
} // namespace

int main(int argc, char** argv) {
    if (argc < 6) {
        std::fprintf(stderr,
                     "usage: RandomizerBench <program folder> <runs> <wallpaper or -> <empty> <empty user32>\n");
        return 2;
    }
    std::string folder = argv[1];
    if (folder.back() != '\\') folder += '\\';
    const int runs = std::max(1, std::atoi(argv[2]));
    std::string wallpaper = argv[3], style = "Centred";
    const std::string empty = argv[4], emptyUser32 = argv[5];
    if (wallpaper == "-") {
        wallpaper = folder + "wall.bmp";
        Write(wallpaper, BitmapFile(64, 64, 24));
    }

    // Four lists of 25,000 entries; the last of each is a real file.
    const std::string screens[3] = {folder + "start.bmp", folder + "wait.bmp", folder + "shut.bmp"};
    for (const std::string& screen : screens)
        Write(screen, BitmapFile(320, 400, 8));
    ListSet lists;
    RoundState states[kRoundLists];
    for (Category category : kCategories) {
        const int list = int(category);
        const std::string missing = "C:\\bench-pictures\\" + std::to_string(list);
        for (int i = 0; i < kEntries - 1; ++i) {
            char name[32];
            std::snprintf(name, sizeof(name), "p%05d.bmp", i);
            lists[category].push_back({name, missing, category == Category::Wall ? style : ""});
            states[list].shown.push_back(EntryKey(JoinPath(missing, name)));
        }
        std::sort(states[list].shown.begin(), states[list].shown.end());
        const std::string real = category == Category::Wall ? wallpaper : screens[list];
        const std::size_t cut = real.find_last_of('\\');
        lists[category].push_back({real.substr(cut + 1), real.substr(0, cut), category == Category::Wall ? style : ""});
    }
    Write(folder + kListFileName, WriteListFile(lists));
    const std::string state = WriteRoundStates(states);

    RegistrySnapshot desktopKept(HKEY_CURRENT_USER, kDesktopKey);
    std::vector<double> program, floor, floorUser32, ratios, ratiosUser32;
    SIZE_T peak = 0;
    for (int run = 0; run < runs; ++run) {
        Write(folder + kRoundsFileName, state); // every run starts from the same round
        RunResult a = Start(folder + "QZRandom.exe");
        RunResult b = Start(empty);
        RunResult c = Start(emptyUser32);
        if (a.exitCode != 0 || b.exitCode != 0 || c.exitCode != 0) {
            std::fprintf(stderr, "a run failed: exit codes %lu, %lu, %lu\n", a.exitCode, b.exitCode, c.exitCode);
            return 1;
        }
        program.push_back(a.ms);
        floor.push_back(b.ms);
        floorUser32.push_back(c.ms);
        ratios.push_back(a.ms / b.ms);
        ratiosUser32.push_back(a.ms / c.ms);
        peak = std::max(peak, a.peak);
    }
    const std::string log = Read(folder + kLogFileName);
    const bool allChanged = log.find("START: " + screens[0] + " is now") != std::string::npos &&
                            log.find("WALLPAPER: " + wallpaper) != std::string::npos;
    std::printf("randomizer_ms=%.1f\nempty_ms=%.1f\nempty_user32_ms=%.1f\nratio=%.2f\nratio_user32=%.2f\n"
                "peak_working_set_kb=%lu\nall_lists_used=%s\n",
                Median(program), Median(floor), Median(floorUser32), Median(ratios), Median(ratiosUser32),
                static_cast<unsigned long>(peak / 1024), allChanged ? "yes" : "no");
    return allChanged ? 0 : 1;
}
