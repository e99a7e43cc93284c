// Installing screens, the original screens, the randomizer's autostart and the uninstall: the
// main window asks and tells; the operations do the work.
#include "pictures/PictureText.h"
#include "pictures/UPreview.h"
#include "platform/Files.h"
#include "platform/MessageDlg.h"
#include "shell/USelect5.h"
#include "system/SystemMessages.h"
#include "system/SystemOperations.h"

#include <stdexcept>

namespace {
std::string FailureLines(const std::vector<FileFailure>& failures) {
    std::vector<FailureLine> lines;
    for (const FileFailure& failure : failures)
        lines.push_back({failure.path, SystemErrorText(failure.error)});
    return JoinFailureLines(lines);
}
} // namespace

// F4: a wallpaper is composed by the full-screen window, unseen, and applied; a screen is installed.
void TFormSelect::SetasCurrentClick() {
    if (PnlPreviewName.Caption() == kNoFileSelected) return;
    if (CategoryCode == kCategoryWall) {
        if (!FormPreview) return;
        FormPreview->LayoutPicture();
        FormPreview->ApplyWallpaper();
    } else {
        InstallScreen();
    }
}

void TFormSelect::InstallScreen() {
    SystemScreen screen{};
    if (!ScreenOfCategory(CategoryCode, screen)) return;
    const std::string target = SystemScreenPath(GetWindowsDir(), screen);
    const std::string source = PnlPreviewName.Caption();
    // After a failed load the picture on view is the one before: it must not go out under this name.
    if (source != kNoFileSelected && !PreviewFromNamedFile) {
        MessageDlg(UnreadableScreenText(source), TMsgDlgType::Error, mbOK);
        return;
    }
    const TPicture& picture = ImgPreview.Picture();
    if (picture.Width() != kScreenWidth || picture.Height() != kScreenHeight) {
        if (MessageDlg(InvalidSizeQuestion(picture.Width(), picture.Height()), TMsgDlgType::Warning, mbYesNo) != mrNo)
            return;
    }
    if (picture.Format() != PixelFormat::Bits8) {
        if (MessageDlg(ColorDepthQuestion(PixelFormatName(picture.Format())), TMsgDlgType::Warning, mbYesNo) != mrNo)
            return;
    }
    if (source == kNoFileSelected) return;
    if (std::optional<FileFailure> failure = InstallScreenFile(source, target))
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
