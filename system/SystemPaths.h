#pragma once
// Where the system screens and their backups lie, the questions before a screen is installed, and
// the randomizer's autostart command. No Windows calls: the paths come in as arguments.
#include "system/Category.h"

#include <string>

// "logo.sys" at the root of the Windows directory's drive, "logow.sys" and "logos.sys" in the
// Windows directory itself; a backslash is added to the directory when it has none. Empty for the
// wallpaper, which has no screen file.
std::string SystemScreenPath(const std::string& windowsDir, Category screen);

// The backup's name in the program folder: "logo.bck", "logow.bck", "logos.bck" for attempt 0,
// then "logo1.bck", "logo2.bck", ... (short names that every system takes) for attempts 1 to
// kMaxBackupAttempt.
inline constexpr int kMaxBackupAttempt = 99;
std::string BackupPath(const std::string& programDir, Category screen, int attempt);

// The value names of the section "Original Info" for each screen.
const char* OriginalInfoName(Category screen);
inline constexpr const char* kNoOriginal = "(none)";

// The two questions before a screen of the wrong size or depth is installed.
std::string InvalidSizeQuestion(int width, int height);
std::string ColorDepthQuestion(const std::string& pixelFormatName);

// The autostart command for the randomizer in this program folder. A path with a blank is
// quoted: Windows would otherwise try "C:\Program.exe" first.
std::string AutostartCommand(const std::string& programDir);
// Whether an autostart command starts the randomizer: its file name (after the last backslash
// or colon, surrounding quotes removed), in upper case, is "QZRANDOM.EXE".
bool NamesRandomizer(const std::string& command);

inline constexpr const char* kRandomizerName = "QZRandom.exe";
