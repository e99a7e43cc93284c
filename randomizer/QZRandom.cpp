// QZRandom.exe: started by Windows at every log-on, makes one entry of each of the selector's
// lists the current screen or wallpaper. It shows nothing; what it did goes to QZRandom.log.
#include "platform/Files.h"
#include "platform/Handles.h"
#include "randomizer/RandomizerRun.h"
#include "platform/CommandLine.h"
#include "platform/ProgramDir.h"

#include <windows.h>

#include <cstdio>

namespace {

constexpr DWORD kWaitForOtherRunMs = 5000;

std::string TimeStamp() {
    SYSTEMTIME now = {};
    GetLocalTime(&now);
    char text[32];
    std::snprintf(text, sizeof(text), "%04u-%02u-%02u %02u:%02u:%02u", now.wYear, now.wMonth, now.wDay, now.wHour,
                  now.wMinute, now.wSecond);
    return text;
}

// The log is a convenience: a folder that cannot be written to is no failure.
void WriteLog(const std::string& path, std::vector<std::string> lines) {
    const std::string stamp = TimeStamp();
    for (std::string& line : lines)
        line = stamp + " " + line;
    std::vector<std::uint8_t> bytes;
    try {
        ReadWholeFile(path, bytes);
    } catch (const std::exception&) {
        bytes.clear();
    }
    ReplaceFileContents(path, AppendToLog(std::string(bytes.begin(), bytes.end()), lines, kLogLines), false);
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // An entry on a drive without its disk must not make the system ask at log-on.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    char exe[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    RandomizerPlaces places{ProgramDirFromExePath(exe), windows, {}};
    std::string folderNote;
    places.stateDir = StateFolder(places.programDir, folderNote);
    const std::string logPath = places.stateDir + kLogFileName;

    // Two runs at once would write the same files: a second one waits briefly, then leaves.
    UniqueKernelHandle running(CreateMutexA(nullptr, FALSE, "Orvandel.Vistrel.QZRandom"));
    if (running && WaitForSingleObject(running.Get(), kWaitForOtherRunMs) == WAIT_TIMEOUT) {
        WriteLog(logPath, {"Another run was still busy after " + std::to_string(kWaitForOtherRunMs / 1000) +
                           " seconds: this run changed nothing"});
        return 2;
    }

    const RandomizerOptions options = ParseRandomizerOptions(SplitCommandLine(GetCommandLineA()));
    std::vector<std::string> lines;
    lines.push_back(std::string("Run") + (options.dryRun ? " (dry run: nothing changes)" : "") +
                    (options.hasSeed ? ", seed " + std::to_string(options.seed) : ""));
    if (!folderNote.empty()) lines.push_back(folderNote);
    try {
        std::vector<std::string> done = RunRandomizer(options, places);
        lines.insert(lines.end(), done.begin(), done.end());
    } catch (const std::exception& error) {
        lines.push_back(error.what());
    } catch (...) {
        lines.push_back("Stopped by an unexpected failure");
    }
    WriteLog(logPath, lines);
    if (running) ReleaseMutex(running.Get());
    return 0;
}
