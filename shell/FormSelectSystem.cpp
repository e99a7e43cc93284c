// "Set as current" for wallpapers and screens, the original screens, the randomizer's autostart and
// the uninstall: the main window asks and tells; the operations do the work.
#include "pictures/PictureFile.h"
#include "pictures/PictureText.h"
#include "pictures/ScreenRule.h"
#include "pictures/MonitorWallpapers.h"
#include "platform/Files.h"
#include "platform/MessageDlg.h"
#include "platform/Monitors.h"
#include "platform/WaitCursor.h"
#include "shell/USelect5.h"
#include "system/SystemMessages.h"
#include "system/SystemOperations.h"

#include <new>
#include <stdexcept>

namespace {
// A backup's failure names the side that failed; a restore's names the backup that still holds
// the original.
std::string BackupFailureLines(const std::vector<ScreenFailure>& failures) {
    std::vector<FailureLine> lines;
    for (const ScreenFailure& failure : failures)
        lines.push_back({failure.backupSide ? BackupSideName(failure.backup, failure.screen) : failure.screen,
                         SystemErrorText(failure.error)});
    return JoinFailureLines(lines);
}

std::string RestoreFailureLines(const std::vector<ScreenFailure>& failures) {
    std::vector<FailureLine> lines;
    for (const ScreenFailure& failure : failures)
        lines.push_back({failure.backup.empty() ? failure.screen : KeptOriginalName(failure.screen, failure.backup),
                         SystemErrorText(failure.error)});
    return JoinFailureLines(lines);
}
} // namespace

bool TFormSelect::RefusedAfterUninstall() {
    if (!Uninstalled) return false;
    MessageDlg(kUninstalledRefusal, TMsgDlgType::Information, mbOK);
    return true;
}

// F4: the previewed picture becomes the wallpaper, or the screen of the active category.
void TFormSelect::SetasCurrentClick() {
    SetAsCurrentOn(MonitorOfWindow(Handle()));
}

void TFormSelect::SetAsCurrentOn(const MonitorRect& monitor) {
    if (!Model.preview.Named()) return;
    if (Model.activeCategory == Category::Wall)
        ApplyWallpaper(monitor);
    else
        InstallScreen();
}

void TFormSelect::ApplyWallpaper(const MonitorRect& monitor) {
    if (RefusedAfterUninstall()) return;
    const PreviewedFile& shown = Model.preview;
    const std::string& name = shown.path;
    // After a failed load the preview name shows a file whose picture is not the one on view.
    if (!shown.fromFile) throw std::runtime_error(UnreadablePictureText(name));
    if (!Model.style) throw std::runtime_error(NoStyleText(""));
    if (shown.width <= 0 || shown.height <= 0) throw std::runtime_error(NoPictureText(name));
    FileWallpaperResult made;
    try {
        TWaitCursor waiting;
        // The file, not the picture on view, read as the randomizer reads it: the same wallpaper.
        made = Model.options.wallpaperPerMonitor
                   ? ApplyWallpaperToMonitor(name, *Model.style, monitor, ProgramDir, Library())
                   : ApplyWallpaperFile(name, *Model.style, ProgramDir, Library());
    } catch (const std::bad_alloc&) {
        made.picture = WallpaperPicture::Outcome::NoMemory;
    }
    if (made.picture == WallpaperPicture::Outcome::Unreadable || made.picture == WallpaperPicture::Outcome::NoLibrary)
        throw std::runtime_error(UnreadablePictureText(name, made.reason));
    if (made.picture == WallpaperPicture::Outcome::NoMemory ||
        made.applied.outcome == WallpaperResult::Outcome::NoMemory)
        throw std::runtime_error(NoMemoryText(name));
    if (!made.applied.Ok()) throw std::runtime_error(WallpaperFailureText(made.applied));
}

void TFormSelect::InstallScreen() {
    if (!IsScreen(Model.activeCategory) || RefusedAfterUninstall()) return;
    const std::string target = SystemScreenPath(GetWindowsDir(), Model.activeCategory);
    const PreviewedFile& shown = Model.preview;
    const std::string source = shown.path;
    // After a failed load the picture on view is the one before: it must not go out under this name.
    if (shown.Named() && !shown.fromFile) {
        MessageDlg(UnreadableScreenText(source), TMsgDlgType::Error, mbOK);
        return;
    }
    // A picture read as a wallpaper stays on view in a screen category: its bytes cannot be a screen.
    if (HoldsNoBitmap(source)) {
        MessageDlg(NotBitmapScreenText(source), TMsgDlgType::Information, mbOK);
        return;
    }
    if (!HasScreenSize(shown.width, shown.height)) {
        if (MessageDlg(InvalidSizeQuestion(shown.width, shown.height), TMsgDlgType::Warning, mbYesNo) != mrNo) return;
    }
    if (!HasScreenDepth(shown.format)) {
        if (MessageDlg(ColorDepthQuestion(PixelFormatName(shown.format)), TMsgDlgType::Warning, mbYesNo) != mrNo)
            return;
    }
    if (source.empty()) return;
    std::optional<FileFailure> failure;
    {
        TWaitCursor waiting;
        failure = InstallScreenFile(source, target);
    }
    if (failure)
        MessageDlg(InstallFailedText(source, failure->path, SystemErrorText(failure->error)), TMsgDlgType::Error, mbOK);
}

void TFormSelect::MakeFirstRunBackup() {
    BackupResult backup = MakeOriginalsBackup(ProgramDir, GetWindowsDir());
    if (!backup.failures.empty())
        MessageDlg(BackupFailedText(BackupFailureLines(backup.failures)), TMsgDlgType::Warning, mbOK);
}

void TFormSelect::OriginalScreens1Click() {
    if (RefusedAfterUninstall()) return;
    RestoreResult restore = RestoreOriginals(GetWindowsDir());
    if (!restore.Complete())
        MessageDlg(RestoreFailedText(RestoreFailureLines(restore.failures)), TMsgDlgType::Error, mbOK);
}

// A value that does not name the randomizer shows the option off, and that counts as the user's
// turning it off: the value is emptied.
void TFormSelect::ReadAutostartState() {
    Model.options.autostart = AutostartIsOn();
    if (!Model.options.autostart) WriteAutostart(ProgramDir, false);
}

// The check box and the menu item, whichever the user chose, both show the new state.
void TFormSelect::Runrandomizeratstartup1Click() {
    if (Uninstalled) {
        // The uninstall removed the value, and only a new start writes it again.
        UpdateCommands();
        RefusedAfterUninstall();
        return;
    }
    Model.options.autostart = !Model.options.autostart;
    UpdateCommands();
    WriteAutostart(ProgramDir, Model.options.autostart);
}

void TFormSelect::Uninstall2Click() {
    if (MessageDlg(kUninstallQuestion, TMsgDlgType::Warning, mbYesNo) == mrYes) {
        Uninstalled = UninstallNow();
        if (Uninstalled) {
            Model.options.autostart = false;
            UpdateCommands();
        }
    }
    // Started only to uninstall: the program ends here, whatever the answer.
    if (UninstallStart) Close();
}

bool TFormSelect::UninstallNow() {
    // Nothing changes unless every screen can be put back: the records and the backups are all that
    // still hold the originals.
    RestoreResult restore = RestoreOriginals(GetWindowsDir(), RestoreMode::AllOrNothing);
    if (!restore.Complete()) {
        MessageDlg(UninstallRestoreFailedText(RestoreFailureLines(restore.failures)), TMsgDlgType::Error, mbOK);
        return false;
    }
    try {
        if (!RemoveRegistryEntries()) throw std::runtime_error(kUninstallFailed);
    } catch (const std::exception&) {
        MessageDlg(kUninstallFailed, TMsgDlgType::Error, mbOK);
        return false;
    }
    MessageDlg(kUninstalledText, TMsgDlgType::Information, mbOK);
    return true;
}
