// Installing screens, the original screens, the randomizer's autostart and the uninstall.
#include "pictures/PictureText.h"
#include "pictures/UPreview.h"
#include "platform/MessageDlg.h"
#include "shell/USelect5.h"

namespace {
constexpr const char* kUninstallQuestion =
    "This will uninstall TANU.\n\r\n\rIt will place your original screens back\n\r"
    "and remove all registry entries of TANU.\n\r\n\rAre you sure you want to "
    "continue?";
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

// Copying the previewed file over the system screen comes with the system integration.
void TFormSelect::InstallScreen() {}
void TFormSelect::OriginalScreens1Click() {}
void TFormSelect::Runrandomizeratstartup1Click() {}

// The backup of the original screens and wallpaper, and the randomizer's autostart entry, come
// with the system integration; until then the start-up reading leaves both as they are.
void TFormSelect::MakeFirstRunBackup() {}
void TFormSelect::ReadAutostartState() {}

void TFormSelect::Uninstall2Click() {
    if (MessageDlg(kUninstallQuestion, TMsgDlgType::Warning, mbYesNo) == mrYes) {
        // Restoring the screens and removing the registry entries come with the system integration.
    }
    // Started only to uninstall: the program ends here, whatever the answer.
    if (UninstallStart) Close();
}
