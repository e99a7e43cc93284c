// "Set as current" for wallpapers and screens, the original screens, the randomizer's autostart and
// the uninstall: the main window asks and tells; the operations do the work.
#include "pictures/PictureText.h"
#include "pictures/ScreenRule.h"
#include "pictures/Wallpaper.h"
#include "platform/Files.h"
#include "platform/MessageDlg.h"
#include "platform/WaitCursor.h"
#include "shell/USelect5.h"
#include "system/SystemMessages.h"
#include "system/SystemOperations.h"

#include <new>
#include <stdexcept>

namespace {
std::string FailureLines(const std::vector<FileFailure>& failures) {
    std::vector<FailureLine> lines;
    for (const FileFailure& failure : failures)
        lines.push_back({failure.path, SystemErrorText(failure.error)});
    return JoinFailureLines(lines);
}
} // namespace

// F4: the previewed picture becomes the wallpaper, or the screen of the active category.
void TFormSelect::SetasCurrentClick() {
    if (PnlPreviewName.Caption() == kNoFileSelected) return;
    if (ActiveCategory == Category::Wall)
        ApplyWallpaper();
    else
        InstallScreen();
}

void TFormSelect::ApplyWallpaper() {
    const std::string name = PnlPreviewName.Caption();
    // After a failed load the preview name shows a file whose picture is not the one on view.
    if (!PreviewFromNamedFile) throw std::runtime_error(UnreadablePictureText(name));
    const std::string styleText = CBStyle.Text();
    const std::optional<WallpaperStyle> style = WallpaperStyleNamed(styleText);
    if (!style) throw std::runtime_error(NoStyleText(styleText));
    const TPicture& picture = ImgPreview.Picture();
    if (picture.Width() <= 0 || picture.Height() <= 0) throw std::runtime_error(NoPictureText(name));
    WallpaperResult result;
    try {
        TWaitCursor waiting;
        const BitmapPixels pixels = PixelsOfBitmap(picture.Handle());
        result = ApplyWallpaperPicture(pixels.view, *style, PrimaryScreenSize(), ProgramDir);
    } catch (const std::bad_alloc&) {
        result.outcome = WallpaperResult::Outcome::NoMemory;
    }
    if (result.outcome == WallpaperResult::Outcome::NoMemory) throw std::runtime_error(NoMemoryText(name));
    if (!result.Ok()) throw std::runtime_error(WallpaperFailureText(result));
}

void TFormSelect::InstallScreen() {
    if (!IsScreen(ActiveCategory)) return;
    const std::string target = SystemScreenPath(GetWindowsDir(), ActiveCategory);
    const std::string source = PnlPreviewName.Caption();
    // After a failed load the picture on view is the one before: it must not go out under this name.
    if (source != kNoFileSelected && !PreviewFromNamedFile) {
        MessageDlg(UnreadableScreenText(source), TMsgDlgType::Error, mbOK);
        return;
    }
    const TPicture& picture = ImgPreview.Picture();
    if (!HasScreenSize(picture.Width(), picture.Height())) {
        if (MessageDlg(InvalidSizeQuestion(picture.Width(), picture.Height()), TMsgDlgType::Warning, mbYesNo) != mrNo)
            return;
    }
    if (!HasScreenDepth(picture.Format())) {
        if (MessageDlg(ColorDepthQuestion(PixelFormatName(picture.Format())), TMsgDlgType::Warning, mbYesNo) != mrNo)
            return;
    }
    if (source == kNoFileSelected) return;
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
        MessageDlg(BackupFailedText(FailureLines(backup.failures)), TMsgDlgType::Warning, mbOK);
}

void TFormSelect::OriginalScreens1Click() {
    RestoreResult restore = RestoreOriginals(GetWindowsDir());
    if (!restore.failures.empty())
        MessageDlg(RestoreFailedText(FailureLines(restore.failures)), TMsgDlgType::Error, mbOK);
}

void TFormSelect::ReadAutostartState() {
    // The box starts checked: clearing it here runs its click, which turns the option off.
    chkbStartUpRun.SetChecked(AutostartIsOn());
    Runrandomizeratstartup1.SetChecked(chkbStartUpRun.Checked());
}

void TFormSelect::Runrandomizeratstartup1Click() {
    const bool on = !Runrandomizeratstartup1.Checked();
    // A change of the box runs this handler once more, from the box's click, which does the rest.
    chkbStartUpRun.SetChecked(on);
    if (Runrandomizeratstartup1.Checked() == on) return;
    Runrandomizeratstartup1.SetChecked(on);
    WriteAutostart(ProgramDir, on);
}

void TFormSelect::Uninstall2Click() {
    if (MessageDlg(kUninstallQuestion, TMsgDlgType::Warning, mbYesNo) == mrYes) {
        OriginalScreens1Click();
        try {
            if (!RemoveRegistryEntries()) throw std::runtime_error(kUninstallFailed);
            MessageDlg(kUninstalledText, TMsgDlgType::Information, mbOK);
            Uninstalled = true;
        } catch (const std::exception&) {
            MessageDlg(kUninstallFailed, TMsgDlgType::Error, mbOK);
            Uninstalled = false;
        }
    }
    // Started only to uninstall: the program ends here, whatever the answer.
    if (UninstallStart) Close();
}
