#pragma once
// What changes the system: a screen installed, the first-run backup of the original screens and
// wallpaper values, their restore, the randomizer's autostart value and the removal of the
// program's registry entries. Plain functions without any window, for the program and the
// randomizer alike: they return what they did, and the caller decides what to show.
#include "system/SystemPaths.h"

#include <optional>
#include <string>
#include <vector>

// A file that could not be copied, replaced or deleted, and the system's error code.
struct FileFailure {
    std::string path;
    unsigned long error = 0;
};

// Copies a picture file over a system screen whole or not at all. The screen loses read-only,
// hidden and system first (the system's screens often carry them).
std::optional<FileFailure> InstallScreenFile(const std::string& source, const std::string& target);

// A screen the backup or the restore could not handle: the system screen, its backup file (empty
// when none is involved), whether the failing side was the backup in the program folder rather
// than the system screen, and the system's error code.
struct ScreenFailure {
    std::string screen;
    std::string backup;
    bool backupSide = false;
    unsigned long error = 0;
};

struct BackupResult {
    std::string recorded[3];             // per screen: the backup's path, or "(none)" when there was no screen
    std::vector<ScreenFailure> failures; // screens that exist but could not be copied
};
// The first-run backup: records the desktop's wallpaper values, turns the randomizer's autostart
// on, copies the three screens into the program folder as plain files (never over an existing
// file: a taken name gives the next free one) and writes what was recorded, with each screen's
// attributes, to "Original Info".
BackupResult MakeOriginalsBackup(const std::string& programDir, const std::string& windowsDir);

struct RestoreResult {
    bool backedUp = false;               // false: no backup was ever made, and nothing changed
    std::vector<ScreenFailure> failures; // screens that could not be put back or removed
    bool Complete() const { return failures.empty(); }
};
// Each screen that can be put back is (EachScreen), or nothing changes unless every screen can be
// replaced or removed (AllOrNothing: the failures then name the screens that cannot).
enum class RestoreMode { EachScreen, AllOrNothing };
// Puts the recorded wallpaper values and screens back, each screen with the attributes it had. The
// backups stay, so that any later restore gives the originals back again; a screen whose backup
// file is gone (the user deleted it) stays as it is.
RestoreResult RestoreOriginals(const std::string& windowsDir, RestoreMode mode = RestoreMode::EachScreen);

// The access that tells whether a screen with these attributes can be replaced now: reading and
// writing; only reading for a read-only screen, which the copy unprotects first (the system would
// refuse the write, and the uninstall for good once a restore made the screen read-only again).
unsigned long ReplaceCheckAccess(unsigned long attributes);

// The randomizer's autostart value: its command when on, the empty text when off.
void WriteAutostart(const std::string& programDir, bool on);
bool AutostartIsOn();

// Removes the settings key with everything below it, the company key when that leaves it empty,
// and the autostart value. Missing ones count as removed; false when the settings key or the value
// is still there afterwards.
bool RemoveRegistryEntries();
