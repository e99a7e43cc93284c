// Start-up probe: measures the time from process start until a program's main window is shown and
// the program is idle, over several runs, and prints each run and the median.
//
//   StartupProbe.exe [--timeout=<seconds>] [--warmup=<n>] [--against=<exe path>|<window title>]...
//                    [--workdir=<folder>] [--terminate] <exe path> <window title> <runs> [args...]
//
// One run: take the time, start the program (working directory = its folder), poll the top-level
// windows until a visible one of that process has exactly the given title, wait until the program
// is idle (WaitForInputIdle, then a WM_NULL round trip through the window's thread, so the thread
// is known to be back in its message loop), take the time again. Then the window gets WM_CLOSE;
// a program that does not end within 10 s (e.g. it shows a message box) is terminated.
// With --against, each run starts the program and then the reference program (A B A B ...), and the
// probe also prints the reference's median and the median of the per-pair ratios, so a drift of
// the machine's speed during the runs touches both sides alike. With several references each run
// starts them all in turn (A B C A B C ...); the first reference's figures are printed as
// reference_median_ms and ratio_median, the k-th's (k >= 2) as referenceK_median_ms and ratioK_median.
// --workdir starts the program (not the reference) in that folder instead of its own. --terminate
// ends each program at once instead of closing its window, so nothing it does on closing (such as
// saving its settings) reaches the next run.
// Before the timed runs come untimed warm-up runs (default 1): the first start after a build is
// slower. Exit code: 0 when every run was measured, 1 when a run failed or timed out, 2 on usage errors.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

const DWORD kIdleTimeoutMs = 10000;
const DWORD kCloseTimeoutMs = 10000;

struct Program {
    std::string exePath; // full path
    std::string workDir;
    std::string title;
    std::string commandLine;
};

struct Options {
    Program program;
    std::vector<Program> against;
    int runs = 0;
    int warmups = 1;
    double timeoutSeconds = 30.0;
    bool terminate = false;
};

struct WindowSearch {
    DWORD processId;
    const char* title;
    HWND found;
};

BOOL CALLBACK FindWindowOfProcess(HWND hwnd, LPARAM lParam) {
    WindowSearch* search = reinterpret_cast<WindowSearch*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != search->processId || !IsWindowVisible(hwnd)) return TRUE;
    // For a window of another process this reads the stored caption; no message is sent.
    char text[512];
    int len = GetWindowTextA(hwnd, text, sizeof text);
    if (len < 0 || std::strcmp(text, search->title) != 0) return TRUE;
    search->found = hwnd;
    return FALSE;
}

// Quotes one argument so that the C runtime's command-line parser gives it back unchanged.
void AppendArgument(std::string& cmd, const std::string& arg) {
    cmd += ' ';
    if (!arg.empty() && arg.find_first_of(" \t\n\v\"") == std::string::npos) {
        cmd += arg;
        return;
    }
    cmd += '"';
    for (size_t i = 0;; ++i) {
        size_t backslashes = 0;
        while (i < arg.size() && arg[i] == '\\') {
            ++i;
            ++backslashes;
        }
        if (i == arg.size()) {
            cmd.append(backslashes * 2, '\\');
            break;
        }
        if (arg[i] == '"') {
            cmd.append(backslashes * 2 + 1, '\\');
        } else {
            cmd.append(backslashes, '\\');
        }
        cmd += arg[i];
    }
    cmd += '"';
}

double ElapsedMs(const LARGE_INTEGER& from, const LARGE_INTEGER& to, const LARGE_INTEGER& freq) {
    return static_cast<double>(to.QuadPart - from.QuadPart) * 1000.0 / static_cast<double>(freq.QuadPart);
}

// Closes the program started for one run; terminates it when it does not end by itself.
void CloseProgram(HANDLE process, HWND window, bool quiet) {
    if (window) PostMessageA(window, WM_CLOSE, 0, 0);
    if (window && WaitForSingleObject(process, kCloseTimeoutMs) == WAIT_OBJECT_0) return;
    if (!quiet && window) std::printf("  note: the program did not end within 10 s after WM_CLOSE; terminated\n");
    TerminateProcess(process, 1);
    WaitForSingleObject(process, kCloseTimeoutMs);
}

// One start of the program. Returns false with a reason when no figure could be taken.
bool MeasureOnce(const Program& opt, double timeoutSeconds, bool terminate, double* ms, std::string* error) {
    LARGE_INTEGER freq, start, now;
    QueryPerformanceFrequency(&freq);

    STARTUPINFOA si;
    std::memset(&si, 0, sizeof si);
    si.cb = sizeof si;
    PROCESS_INFORMATION pi;
    std::memset(&pi, 0, sizeof pi);
    std::vector<char> cmd(opt.commandLine.begin(), opt.commandLine.end());
    cmd.push_back('\0');

    QueryPerformanceCounter(&start);
    if (!CreateProcessA(opt.exePath.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, opt.workDir.c_str(), &si,
                        &pi)) {
        *error = "cannot start the program (error " + std::to_string(GetLastError()) + ")";
        return false;
    }
    CloseHandle(pi.hThread);

    const double timeoutMs = timeoutSeconds * 1000.0;
    for (;;) {
        WindowSearch search = {pi.dwProcessId, opt.title.c_str(), nullptr};
        EnumWindows(FindWindowOfProcess, reinterpret_cast<LPARAM>(&search));
        if (search.found) {
            if (WaitForInputIdle(pi.hProcess, kIdleTimeoutMs) == WAIT_TIMEOUT) {
                *error = "timeout: the window appeared but the program did not become idle within 10 s";
                break;
            }
            DWORD_PTR reply = 0;
            BOOL responded = SendMessageTimeoutA(search.found, WM_NULL, 0, 0, SMTO_NORMAL, kIdleTimeoutMs, &reply);
            QueryPerformanceCounter(&now);
            if (responded && IsWindowVisible(search.found)) {
                *ms = ElapsedMs(start, now, freq);
                CloseProgram(pi.hProcess, terminate ? nullptr : search.found, terminate);
                CloseHandle(pi.hProcess);
                return true;
            }
            if (IsWindow(search.found) && IsWindowVisible(search.found)) {
                *error = "timeout: the window appeared but did not answer a message within 10 s";
                break;
            }
            // The window was hidden or destroyed meanwhile (a transient window with that title): search again.
        }
        QueryPerformanceCounter(&now);
        if (ElapsedMs(start, now, freq) > timeoutMs) {
            char buf[128];
            std::snprintf(buf, sizeof buf, "timeout: no visible window with that title after %.1f s", timeoutSeconds);
            *error = buf;
            break;
        }
        // Waiting on the process doubles as the 1 ms poll interval and notices an early exit.
        if (WaitForSingleObject(pi.hProcess, 1) == WAIT_OBJECT_0) {
            DWORD code = 0;
            GetExitCodeProcess(pi.hProcess, &code);
            *error = "the program ended before its window appeared (exit code " + std::to_string(code) + ")";
            break;
        }
    }
    CloseProgram(pi.hProcess, nullptr, true);
    CloseHandle(pi.hProcess);
    return false;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

int Usage() {
    std::fprintf(stderr, "usage: StartupProbe.exe [--timeout=<seconds>] [--warmup=<n>] [--against=<exe path>|<title>] "
                         "[--workdir=<folder>] [--terminate] <exe path> <window title> <runs> [args...]\n");
    return 2;
}

bool ParseNumber(const char* text, double minimum, double* value) {
    char* end = nullptr;
    double v = std::strtod(text, &end);
    if (end == text || *end != '\0' || !(v >= minimum)) return false;
    *value = v;
    return true;
}

// Fills in a program to start from its path and the title of its main window; false with a message
// when there is no such program.
bool MakeProgram(const std::string& path, const std::string& title, Program* program) {
    char full[MAX_PATH];
    char* filePart = nullptr;
    DWORD len = GetFullPathNameA(path.c_str(), MAX_PATH, full, &filePart);
    if (len == 0 || len >= MAX_PATH || !filePart) {
        std::fprintf(stderr, "StartupProbe: bad program path: %s\n", path.c_str());
        return false;
    }
    DWORD attributes = GetFileAttributesA(full);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        std::fprintf(stderr, "StartupProbe: no such program: %s\n", full);
        return false;
    }
    program->exePath = full;
    program->workDir.assign(full, filePart);
    if (program->workDir.size() > 3 && program->workDir.back() == '\\') program->workDir.pop_back();
    program->commandLine = "\"" + program->exePath + "\"";
    program->title = title;
    return true;
}

} // namespace

int main(int argc, char** argv) {
    Options opt;
    std::vector<std::string> against;
    std::string workDir;
    int i = 1;
    for (; i < argc && std::strncmp(argv[i], "--", 2) == 0; ++i) {
        double v = 0;
        if (std::strncmp(argv[i], "--timeout=", 10) == 0 && ParseNumber(argv[i] + 10, 0.001, &v)) {
            opt.timeoutSeconds = v;
        } else if (std::strncmp(argv[i], "--warmup=", 9) == 0 && ParseNumber(argv[i] + 9, 0, &v) && v < 100) {
            opt.warmups = static_cast<int>(v);
        } else if (std::strncmp(argv[i], "--against=", 10) == 0) {
            against.push_back(argv[i] + 10);
        } else if (std::strncmp(argv[i], "--workdir=", 10) == 0) {
            workDir = argv[i] + 10;
        } else if (std::strcmp(argv[i], "--terminate") == 0) {
            opt.terminate = true;
        } else {
            return Usage();
        }
    }
    if (argc - i < 3) return Usage();
    double runs = 0;
    if (!ParseNumber(argv[i + 2], 1, &runs) || runs > 1000 || runs != static_cast<int>(runs)) return Usage();
    opt.runs = static_cast<int>(runs);
    const std::string title = argv[i + 1];

    if (!MakeProgram(argv[i], title, &opt.program)) return 2;
    if (!workDir.empty()) opt.program.workDir = workDir;
    for (int a = i + 3; a < argc; ++a)
        AppendArgument(opt.program.commandLine, argv[a]);
    for (const std::string& reference : against) {
        const std::size_t bar = reference.find('|');
        if (bar == std::string::npos) return Usage();
        opt.against.emplace_back();
        if (!MakeProgram(reference.substr(0, bar), reference.substr(bar + 1), &opt.against.back())) return 2;
    }

    std::setvbuf(stdout, nullptr, _IONBF, 0);
    std::printf("StartupProbe: %s, window \"%s\", %d runs (+%d warm-up), timeout %.1f s\n", opt.program.exePath.c_str(),
                opt.program.title.c_str(), opt.runs, opt.warmups, opt.timeoutSeconds);
    const std::size_t references = opt.against.size();
    for (const Program& reference : opt.against)
        std::printf("  alternating with %s, window \"%s\"\n", reference.exePath.c_str(), reference.title.c_str());

    std::vector<double> times;
    std::vector<std::vector<double>> againstTimes(references), ratios(references);
    for (int run = -opt.warmups; run < opt.runs; ++run) {
        char label[32];
        if (run < 0) {
            std::snprintf(label, sizeof label, "warm-up");
        } else {
            std::snprintf(label, sizeof label, "run %d", run + 1);
        }
        double ms = 0;
        std::vector<double> againstMs(references);
        std::string error;
        bool measured = MeasureOnce(opt.program, opt.timeoutSeconds, opt.terminate, &ms, &error);
        for (std::size_t k = 0; measured && k < references; ++k)
            measured = MeasureOnce(opt.against[k], opt.timeoutSeconds, opt.terminate, &againstMs[k], &error);
        if (!measured) {
            std::printf("%s: FAILED: %s\n", label, error.c_str());
            return 1;
        }
        std::printf("%s: %.1f ms", label, ms);
        for (std::size_t k = 0; k < references; ++k)
            std::printf(", reference%s %.1f ms, ratio %.2f", k ? std::to_string(k + 1).c_str() : "", againstMs[k],
                        ms / againstMs[k]);
        std::printf("%s\n", run < 0 ? " (not counted)" : "");
        if (run < 0) continue;
        times.push_back(ms);
        for (std::size_t k = 0; k < references; ++k) {
            againstTimes[k].push_back(againstMs[k]);
            ratios[k].push_back(ms / againstMs[k]);
        }
    }

    std::printf("median_ms=%.1f\n", Median(times));
    std::printf("min_ms=%.1f\n", *std::min_element(times.begin(), times.end()));
    std::printf("max_ms=%.1f\n", *std::max_element(times.begin(), times.end()));
    for (std::size_t k = 0; k < references; ++k) {
        const std::string n = k ? std::to_string(k + 1) : "";
        std::printf("reference%s_median_ms=%.1f\n", n.c_str(), Median(againstTimes[k]));
        std::printf("ratio%s_median=%.2f\n", n.c_str(), Median(ratios[k]));
    }
    return 0;
}
