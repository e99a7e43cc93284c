#pragma once
// The texts of the install, backup, restore and uninstall messages.
#include <string>
#include <vector>

inline constexpr const char* kUninstallQuestion =
    "This will uninstall TANU.\n\r\n\rIt will place your original screens back\n\r"
    "and remove all registry entries of TANU.\n\r\n\rAre you sure you want to continue?";
inline constexpr const char* kUninstalledText = "TANU was uninstalled succesfully.\n\r\n\rYou can now safely remove "
                                                "the remaning \n\rTANU files and direcotries.";
inline constexpr const char* kUninstallFailed = "Vistrel is NOT succesfully cleared from the registry";

// One line per file: "path: reason".
struct FailureLine {
    std::string path;
    std::string reason;
};
std::string JoinFailureLines(const std::vector<FailureLine>& lines);
// The path a line names for a screen: the backup, when the failing side was the copy in the program
// folder; the screen with the backup that still holds its original, when that could not be put back.
std::string BackupSideName(const std::string& backup, const std::string& screen);
std::string KeptOriginalName(const std::string& screen, const std::string& backup);

// The preview name shows a file whose picture could not be read: the picture on view is another's.
std::string UnreadableScreenText(const std::string& file);
// A file that holds no bitmap (a JPEG, a PNG) cannot be a screen; the command that makes one of it.
std::string NotBitmapScreenText(const std::string& file);
std::string InstallFailedText(const std::string& source, const std::string& target, const std::string& reason);
std::string BackupFailedText(const std::string& lines);
std::string RestoreFailedText(const std::string& lines);
// The uninstall stopped before removing anything because screens could not be put back.
std::string UninstallRestoreFailedText(const std::string& lines);
// A command that changes the screens or the wallpaper, after the uninstall in this run.
inline constexpr const char* kUninstalledRefusal =
    "TANU was uninstalled.\n\rStart the program again to change the screens or the wallpaper.";
