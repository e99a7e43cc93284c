// RandomizerBench: one log-on run of QZRandom.exe with 4 x 25,000 entries. The entries are kept from needing 100,000
// files: the round state marks every entry shown but the last of each list, which is a real file, so a run reads and
// keys every entry and the whole state, yet tries one file per list.
//   RandomizerBench <program folder> <runs> <wallpaper picture or -> <empty program> <empty user32 program>
//     against starting and ending empty GUI programs (one without and one with the window system set up),
//     alternating. Without a wallpaper picture the wallpaper is a 64 x 64 bitmap (the decode left out).
//   RandomizerBench --pair <program folder> <runs> <style> <picture> <reference picture>
//     the run with a picture as the wallpaper against the same run with a reference picture, alternating.
//   RandomizerBench --screen
//     the size of the desktop the runs cover.
//   RandomizerBench --once|--peak <program folder> <style> <picture>
//     one run whose only list entry is the picture as the wallpaper: its time, or its peak working set
//     (a script alternates such runs between displays of one and of two monitors).
// The peak working set of each program is measured in a run of its own, held at its call of ExitProcess: once a
// process has ended, Wine no longer knows its figures.
#include "lists/ListFileFormat.h"
#include "lists/DirectoryPath.h"
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
    GetExitCodeProcess(process.hProcess, &result.exitCode);
    return result;
}

// The peak working set of one run in KB, read while a breakpoint on ExitProcess holds the program; 0 when the program
// never reached it. System libraries lie at the same address in every process, so the address is our own.
unsigned long PeakAtExitKb(const std::string& exe) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    std::string line = "\"" + exe + "\"";
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, DEBUG_ONLY_THIS_PROCESS, nullptr, "C:\\", &startup,
                        &process))
        return 0;
    UniqueKernelHandle processHandle(process.hProcess), thread(process.hThread);
    auto* exitAt = reinterpret_cast<BYTE*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "ExitProcess"));
    BYTE original = 0;
    bool armed = false;
    SIZE_T peak = 0;
    for (;;) {
        DEBUG_EVENT event = {};
        if (!WaitForDebugEvent(&event, 60000)) break;
        DWORD status = DBG_CONTINUE;
        if (event.dwDebugEventCode == CREATE_PROCESS_DEBUG_EVENT && event.u.CreateProcessInfo.hFile)
            CloseHandle(event.u.CreateProcessInfo.hFile);
        if (event.dwDebugEventCode == LOAD_DLL_DEBUG_EVENT && event.u.LoadDll.hFile) CloseHandle(event.u.LoadDll.hFile);
        if (!armed &&
            (event.dwDebugEventCode == LOAD_DLL_DEBUG_EVENT || event.dwDebugEventCode == CREATE_PROCESS_DEBUG_EVENT)) {
            const BYTE trap = 0xCC;
            SIZE_T done = 0;
            armed = ReadProcessMemory(process.hProcess, exitAt, &original, 1, &done) && done == 1 &&
                    WriteProcessMemory(process.hProcess, exitAt, &trap, 1, &done) && done == 1;
            FlushInstructionCache(process.hProcess, exitAt, 1);
        }
        if (event.dwDebugEventCode == EXCEPTION_DEBUG_EVENT) {
            const EXCEPTION_RECORD& record = event.u.Exception.ExceptionRecord;
            if (record.ExceptionCode == EXCEPTION_BREAKPOINT && record.ExceptionAddress == exitAt && armed) {
                PROCESS_MEMORY_COUNTERS memory = {};
                memory.cb = sizeof(memory);
                if (GetProcessMemoryInfo(process.hProcess, &memory, sizeof(memory))) peak = memory.PeakWorkingSetSize;
                SIZE_T done = 0;
                WriteProcessMemory(process.hProcess, exitAt, &original, 1, &done);
                FlushInstructionCache(process.hProcess, exitAt, 1);
                UniqueKernelHandle stopped(
                    OpenThread(THREAD_GET_CONTEXT | THREAD_SET_CONTEXT, FALSE, event.dwThreadId));
                CONTEXT context = {};
                context.ContextFlags = CONTEXT_CONTROL;
                if (stopped && GetThreadContext(stopped.Get(), &context)) {
                    context.Eip = DWORD(reinterpret_cast<ULONG_PTR>(exitAt));
                    SetThreadContext(stopped.Get(), &context);
                }
                armed = false;
            } else if (record.ExceptionCode != EXCEPTION_BREAKPOINT) {
                status = DBG_EXCEPTION_NOT_HANDLED; // the program's own exceptions are its own
            }
        }
        const bool ended = event.dwDebugEventCode == EXIT_PROCESS_DEBUG_EVENT;
        ContinueDebugEvent(event.dwProcessId, event.dwThreadId, status);
        if (ended) break;
    }
    return static_cast<unsigned long>(peak / 1024);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// A program folder holding the randomizer, its library and four lists of 25,000 entries whose last ones are real
// files; returns the round state every run starts from.
std::string MakeProgramFolder(const std::string& folder, const std::string& sources, const std::string& wallpaper,
                              const std::string& style) {
    CreateDirectoryA(folder.c_str(), nullptr);
    for (const char* file : {"QZRandom.exe", "NViewLib.dll"})
        CopyFileA((sources + file).c_str(), (folder + file).c_str(), FALSE);
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
    return WriteRoundStates(states);
}

// Whether the last run made every list's real file current.
bool AllListsUsed(const std::string& folder, const std::string& wallpaper) {
    const std::string log = Read(folder + kLogFileName);
    return log.find("START: " + folder + "start.bmp is now") != std::string::npos &&
           log.find("WALLPAPER: " + wallpaper) != std::string::npos &&
           log.find("is now the wallpaper") != std::string::npos;
}

int AgainstEmptyPrograms(int argc, char** argv) {
    if (argc < 6) return 2;
    std::string folder = argv[1];
    if (folder.back() != '\\') folder += '\\';
    const int runs = std::max(1, std::atoi(argv[2]));
    std::string wallpaper = argv[3];
    const std::string empty = argv[4], emptyUser32 = argv[5];
    if (wallpaper == "-") {
        wallpaper = folder + "wall.bmp";
        Write(wallpaper, BitmapFile(64, 64, 24));
    }
    const std::string state = MakeProgramFolder(folder, folder, wallpaper, "Centred");

    RegistrySnapshot desktopKept(HKEY_CURRENT_USER, kDesktopKey);
    std::vector<double> program, floor, floorUser32, ratios, ratiosUser32;
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
    }
    const bool allChanged = AllListsUsed(folder, wallpaper);
    Write(folder + kRoundsFileName, state);
    const unsigned long peak = PeakAtExitKb(folder + "QZRandom.exe");
    std::printf("randomizer_ms=%.1f\nempty_ms=%.1f\nempty_user32_ms=%.1f\nratio=%.2f\nratio_user32=%.2f\n"
                "peak_working_set_kb=%lu\nall_lists_used=%s\n",
                Median(program), Median(floor), Median(floorUser32), Median(ratios), Median(ratiosUser32), peak,
                allChanged ? "yes" : "no");
    return allChanged && peak > 0 ? 0 : 1;
}

int AgainstReferencePicture(int argc, char** argv) {
    if (argc < 7) return 2;
    std::string base = argv[2];
    if (base.back() != '\\') base += '\\';
    const int runs = std::max(1, std::atoi(argv[3]));
    const std::string style = argv[4], picture = argv[5], reference = argv[6];
    const std::string folders[2] = {base + "picture\\", base + "reference\\"};
    const std::string pictures[2] = {picture, reference};
    std::string states[2];
    for (int i = 0; i < 2; ++i)
        states[i] = MakeProgramFolder(folders[i], base, pictures[i], style);

    RegistrySnapshot desktopKept(HKEY_CURRENT_USER, kDesktopKey);
    std::vector<double> times[2], ratios;
    for (int run = 0; run < runs; ++run) {
        RunResult results[2];
        for (int i = 0; i < 2; ++i) {
            Write(folders[i] + kRoundsFileName, states[i]);
            results[i] = Start(folders[i] + "QZRandom.exe");
            if (results[i].exitCode != 0 || !AllListsUsed(folders[i], pictures[i])) {
                std::fprintf(stderr, "a run failed (exit code %lu):\n%s\n", results[i].exitCode,
                             Read(folders[i] + kLogFileName).c_str());
                return 1;
            }
            times[i].push_back(results[i].ms);
        }
        ratios.push_back(results[0].ms / results[1].ms);
    }
    unsigned long peaks[2];
    for (int i = 0; i < 2; ++i) {
        Write(folders[i] + kRoundsFileName, states[i]);
        peaks[i] = PeakAtExitKb(folders[i] + "QZRandom.exe");
    }
    std::printf("picture_ms=%.1f\nreference_ms=%.1f\nratio=%.2f\npicture_peak_kb=%lu\nreference_peak_kb=%lu\n",
                Median(times[0]), Median(times[1]), Median(ratios), peaks[0], peaks[1]);
    return peaks[0] > 0 && peaks[1] > 0 ? 0 : 1;
}
int OneWallpaperRun(int argc, char** argv) {
    if (argc < 5) return 2;
    std::string folder = argv[2];
    if (folder.back() != '\\') folder += '\\';
    const std::string style = argv[3], picture = argv[4];
    Write(folder + kListFileName,
          "[START]\r\n\r\n[WAIT]\r\n\r\n[SHUT]\r\n\r\n[WALLPAPER]\r\n" + picture + ", " + style + "\r\n");
    DeleteFileA((folder + kRoundsFileName).c_str());
    RegistrySnapshot desktopKept(HKEY_CURRENT_USER, kDesktopKey);
    if (std::string(argv[1]) == "--peak") {
        const unsigned long peak = PeakAtExitKb(folder + "QZRandom.exe");
        std::printf("peak_kb=%lu\n", peak);
        return peak > 0 ? 0 : 1;
    }
    const RunResult run = Start(folder + "QZRandom.exe");
    const std::string log = Read(folder + kLogFileName);
    const std::size_t made = log.find("is now the wallpaper, ");
    if (run.exitCode != 0 || made == std::string::npos) {
        std::fprintf(stderr, "the run failed (exit code %lu):\n%s\n", run.exitCode, log.c_str());
        return 1;
    }
    std::printf("ms=%.1f\nmade=%s\n", run.ms, log.substr(made + 22, log.find('\n', made) - made - 22).c_str());
    return 0;
}
} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]) == "--screen") {
        std::printf("%d x %d\n", GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
        return 0;
    }
    if (argc > 1 && (std::string(argv[1]) == "--once" || std::string(argv[1]) == "--peak")) {
        const int result = OneWallpaperRun(argc, argv);
        if (result == 2) std::fprintf(stderr, "usage: RandomizerBench --once|--peak <folder> <style> <picture>\n");
        return result;
    }
    const bool pair = argc > 1 && std::string(argv[1]) == "--pair";
    const int result = pair ? AgainstReferencePicture(argc, argv) : AgainstEmptyPrograms(argc, argv);
    if (result == 2)
        std::fprintf(stderr, "usage: RandomizerBench <program folder> <runs> <wallpaper or -> <empty> <empty user32>\n"
                             "       RandomizerBench --pair <folder> <runs> <style> <picture> <reference picture>\n");
    return result;
}
