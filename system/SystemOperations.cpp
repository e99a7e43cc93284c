#include "system/SystemOperations.h"

#include "platform/DesktopWallpaper.h"
#include "platform/Files.h"
#include "platform/Handles.h"
#include "platform/Registry.h"
#include "system/DesktopPosition.h"
#include "system/RegistryNames.h"

#include <windows.h>

#include <optional>

namespace {

constexpr const char* kFilesBackedUp = "FilesBackedUp";

bool IsMissing(DWORD error) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

bool Exists(const std::string& path, DWORD& error) {
    if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
    error = GetLastError();
    return false;
}

// Read-only, hidden and system off, so the file can be replaced or deleted.
void ClearProtection(const std::string& path) {
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_ARCHIVE);
}

// The original's attributes as the restore puts them back.
constexpr DWORD kKeptAttributes =
    FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;

std::string AttributesName(Category screen) {
    return std::string(OriginalInfoName(screen)) + "Attributes";
}

// Which side of a failed copy failed: the system screen when it cannot be read, else the backup.
ScreenFailure FailedBackup(const std::string& system, const std::string& backup, DWORD copyError) {
    UniqueFile original(CreateFileA(system.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!original) return {system, backup, false, GetLastError()};
    return {system, backup, true, copyError};
}

// Copies a system screen into the program folder under the first free backup name, as a plain
// file that the restore can delete. Records the path that was meant when the copy fails for
// another reason than a taken name.
std::string BackUpScreen(const std::string& system, const std::string& programDir, Category screen,
                         std::vector<ScreenFailure>& failures) {
    DWORD error = NO_ERROR;
    if (!Exists(system, error) && IsMissing(error)) return kNoOriginal;
    for (int attempt = 0;; ++attempt) {
        const std::string backup = BackupPath(programDir, screen, attempt);
        if (CopyFileA(system.c_str(), backup.c_str(), TRUE)) {
            ClearProtection(backup);
            return backup;
        }
        error = GetLastError();
        const bool taken = error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS;
        if (!taken || attempt == kMaxBackupAttempt) {
            failures.push_back(FailedBackup(system, backup, error));
            return backup;
        }
    }
}

// Whether a screen can be replaced or removed now: opened with no sharing, as the copy over it needs
// (ReplaceCheckAccess).
void CheckReplaceable(const std::string& system, const std::string& backup, std::vector<ScreenFailure>& failures) {
    const DWORD attributes = GetFileAttributesA(system.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return; // nothing there to replace or remove
    const bool kept = backup != kNoOriginal;
    if (kept && GetFileAttributesA(backup.c_str()) == INVALID_FILE_ATTRIBUTES) return; // the restore leaves it
    UniqueFile file(CreateFileA(system.c_str(), ReplaceCheckAccess(attributes), 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) failures.push_back({system, kept ? backup : "", false, GetLastError()});
}

// Puts one screen back from its backup, or removes it when there was none at the backup. The backup
// stays: whatever is installed later, the next restore gives the original back again.
void RestoreScreen(const std::string& system, const std::string& backup, std::optional<DWORD> attributes,
                   std::vector<ScreenFailure>& failures) {
    DWORD error = NO_ERROR;
    if (backup == kNoOriginal) {
        // There was no screen before the program's first start.
        ClearProtection(system);
        if (!DeleteFileA(system.c_str()) && !IsMissing(error = GetLastError()))
            failures.push_back({system, "", false, error});
    } else if (Exists(backup, error)) {
        if (std::optional<FileFailure> failure = InstallScreenFile(backup, system)) {
            failures.push_back({system, backup, false, failure->error});
            return;
        }
        if (attributes) SetFileAttributesA(system.c_str(), *attributes ? *attributes : FILE_ATTRIBUTE_NORMAL);
    } else if (!IsMissing(error)) {
        failures.push_back({system, backup, true, error});
    }
}

// The shell shows the pictures the program gave each monitor until it is told otherwise: the original
// goes to every monitor, placed as the recorded values say.
void RestoreMonitorWallpapers(const std::string& wallPaper, const std::string& tileWallpaper,
                              const std::string& wallpaperStyle) {
    if (std::unique_ptr<TDesktopWallpaper> shell = TDesktopWallpaper::Open()) {
        shell->SetPosition(DesktopPositionOf(tileWallpaper, wallpaperStyle));
        shell->SetWallpaper(nullptr, wallPaper);
    }
}

} // namespace

unsigned long ReplaceCheckAccess(unsigned long attributes) {
    return GENERIC_READ | (attributes & FILE_ATTRIBUTE_READONLY ? 0 : GENERIC_WRITE);
}

std::optional<FileFailure> InstallScreenFile(const std::string& source, const std::string& target) {
    ClearProtection(target);
    if (unsigned long error = CopyFileWhole(source, target)) return FileFailure{target, error};
    return std::nullopt;
}

BackupResult MakeOriginalsBackup(const std::string& programDir, const std::string& windowsDir) {
    TRegistryKey desktop = TRegistryKey::Create(HKEY_CURRENT_USER, kDesktopKey);
    const std::string wallPaper = desktop.ReadString("WallPaper").value_or("");
    const std::string tileWallpaper = desktop.ReadString("TileWallpaper").value_or("");
    const std::string wallpaperStyle = desktop.ReadString("WallpaperStyle").value_or(kNoOriginal);

    WriteAutostart(programDir, true);

    BackupResult result;
    DWORD attributes[3] = {};
    for (Category screen : kScreenCategories) {
        const std::string system = SystemScreenPath(windowsDir, screen);
        attributes[int(screen)] = GetFileAttributesA(system.c_str());
        result.recorded[int(screen)] = BackUpScreen(system, programDir, screen, result.failures);
    }

    TIniSections settings(HKEY_CURRENT_USER, kSettingsKey);
    settings.WriteBool(kOriginalInfo, kFilesBackedUp, true);
    for (Category screen : kScreenCategories) {
        settings.WriteString(kOriginalInfo, OriginalInfoName(screen), result.recorded[int(screen)]);
        if (attributes[int(screen)] != INVALID_FILE_ATTRIBUTES)
            settings.WriteInteger(kOriginalInfo, AttributesName(screen),
                                  int(attributes[int(screen)] & kKeptAttributes));
    }
    settings.WriteString(kOriginalInfo, "WallPaper", wallPaper);
    settings.WriteString(kOriginalInfo, "TileWallpaper", tileWallpaper);
    settings.WriteString(kOriginalInfo, "WallpaperStyle", wallpaperStyle);
    settings.WriteBool(kMainSection, "PlusStretch", false);
    return result;
}

RestoreResult RestoreOriginals(const std::string& windowsDir, RestoreMode mode) {
    RestoreResult result;
    TIniSections settings(HKEY_CURRENT_USER, kSettingsKey);
    if (!settings.ReadBool(kOriginalInfo, kFilesBackedUp, false)) return result;
    result.backedUp = true;

    std::string recorded[3];
    std::optional<DWORD> attributes[3];
    for (Category screen : kScreenCategories) {
        recorded[int(screen)] = settings.ReadString(kOriginalInfo, OriginalInfoName(screen), kNoOriginal);
        const int kept = settings.ReadInteger(kOriginalInfo, AttributesName(screen), -1);
        if (kept >= 0) attributes[int(screen)] = DWORD(kept) & kKeptAttributes;
    }
    const std::string wallPaper = settings.ReadString(kOriginalInfo, "WallPaper", "");
    const std::string tileWallpaper = settings.ReadString(kOriginalInfo, "TileWallpaper", "");
    const std::string wallpaperStyle = settings.ReadString(kOriginalInfo, "WallpaperStyle", "");

    if (mode == RestoreMode::AllOrNothing) {
        for (Category screen : kScreenCategories)
            CheckReplaceable(SystemScreenPath(windowsDir, screen), recorded[int(screen)], result.failures);
        if (!result.Complete()) return result;
    }
    if (std::optional<TRegistryKey> desktop = TRegistryKey::Open(HKEY_CURRENT_USER, kDesktopKey)) {
        desktop->WriteString("WallPaper", wallPaper);
        desktop->WriteString("TileWallpaper", tileWallpaper);
        if (wallpaperStyle != kNoOriginal) desktop->WriteString("WallpaperStyle", wallpaperStyle);
    }
    if (settings.ReadBool(kOriginalInfo, kMonitorWallpapers, false))
        RestoreMonitorWallpapers(wallPaper, tileWallpaper, wallpaperStyle);

    for (Category screen : kScreenCategories)
        RestoreScreen(SystemScreenPath(windowsDir, screen), recorded[int(screen)], attributes[int(screen)],
                      result.failures);
    return result;
}

void WriteAutostart(const std::string& programDir, bool on) {
    TRegistryKey run = TRegistryKey::Create(HKEY_CURRENT_USER, kRunKey);
    run.WriteString(kRunValue, on ? AutostartCommand(programDir) : std::string());
}

bool AutostartIsOn() {
    std::optional<TRegistryKey> run = TRegistryKey::Open(HKEY_CURRENT_USER, kRunKey);
    return run && NamesRandomizer(run->ReadString(kRunValue).value_or(""));
}

bool RemoveRegistryEntries() {
    bool removed = true;
    if (std::optional<TRegistryKey> company = TRegistryKey::Open(HKEY_CURRENT_USER, kCompanyKey)) {
        removed = company->DeleteKeyTree(kSettingsSubkey);
        // The maker's key goes too when nothing else of the maker's is in it.
        if (removed && company->IsEmpty()) {
            company.reset();
            if (std::optional<TRegistryKey> software = TRegistryKey::Open(HKEY_CURRENT_USER, kSoftwareKey))
                software->DeleteKeyTree(kCompanySubkey);
        }
    }
    if (std::optional<TRegistryKey> run = TRegistryKey::Open(HKEY_CURRENT_USER, kRunKey))
        removed = run->DeleteValue(kRunValue) && removed;
    return removed;
}
