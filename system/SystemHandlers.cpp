// Installing screens, the original screens, the randomizer's autostart and the uninstall.
#include "platform/MessageDlg.h"
#include "shell/USelect5.h"

namespace {
constexpr const char* kUninstallQuestion =
    "This will uninstall TANU.\n\r\n\rIt will place your original screens back\n\r"
    "and remove all registry entries of TANU.\n\r\n\rAre you sure you want to "
    "continue?";
} // namespace

void TFormSelect::SetasCurrentClick() {}
void TFormSelect::OriginalScreens1Click() {}
void TFormSelect::Runrandomizeratstartup1Click() {}

void TFormSelect::Uninstall2Click() {
    if (MessageDlg(kUninstallQuestion, TMsgDlgType::Warning, mbYesNo) == mrYes) {
        // Restoring the screens and removing the registry entries come with the system integration.
    }
    // Started only to uninstall: the program ends here, whatever the answer.
    if (UninstallStart) Close();
}
