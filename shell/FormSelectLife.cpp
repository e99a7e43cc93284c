// The main window's life: creation, first show, closing, destruction, help and the extend panel.
#include "platform/Application.h"
#include "platform/CommandLine.h"
#include "platform/MessageDlg.h"
#include "platform/ProgramDir.h"
#include "shell/UAbout.h"
#include "shell/USelect5.h"

namespace {
constexpr const char* kSaveQuestion = "Changes not saved!\n\rSave before exit?";

std::vector<std::string> CommandLineParameters() {
    return SplitCommandLine(GetCommandLineA());
}
} // namespace

void TFormSelect::FormCreate() {
    SelectionTracking = false;
    ListsChanged = false;
    Uninstalled = false;
    Model.activeCategory = Category::Start;
    ProgramDir = ProgramDirFromExePath(Application().ExeName());
    for (TListView* list : {&ListStart, &ListWait, &ListShut, &ListWall})
        list->SetAlign(TAlign::Client);
    Application().HelpFile = ProgramDir + Application().HelpFile;
}

void TFormSelect::FormShow() {
    UninstallStart = HasUninstallParameter(CommandLineParameters());
    if (UninstallStart) { // the program ends after the question: the browser is never seen
        Uninstall2Click();
        SetWindowState(TWindowState::Minimized);
        return;
    }
    ReadSettings();
    LoadListFile();
    TSpeedButton& button = ButtonOfCategory(Model.activeCategory);
    button.SetDown(true);
    Change_Screen_Button(&button);
    SelectionTracking = true;
}

// No change of a list previews while the question is open; after it, whatever the answer, they do.
void TFormSelect::FormCloseQuery(bool& canClose) {
    SelectionTracking = false;
    if (ListsChanged) {
        switch (MessageDlg(kSaveQuestion, TMsgDlgType::Confirmation, mbYesNoCancel)) {
        case mrYes:
            SaveToFile();
            // A failed save keeps the window open, so the unsaved lists are not lost.
            canClose = !ListsChanged;
            break;
        case mrNo:
            break;
        default:
            canClose = false;
            break;
        }
    }
    SelectionTracking = true;
}

void TFormSelect::Close1Click() {
    SelectionTracking = false;
    Close();
}

void TFormSelect::FormDestroy() {
    Application().HelpCommand(HELP_QUIT, 0);
}

void TFormSelect::Help2Click() {
    Application().HelpCommand(HELP_FINDER, 0);
}

void TFormSelect::About1Click() {
    if (AboutBox) AboutBox->ShowModal();
}

void TFormSelect::PnlExtendClick() {
    RECT rc;
    GetWindowRect(Handle(), &rc);
    SetWindowState(WindowState() == TWindowState::Maximized ? TWindowState::Normal : TWindowState::Maximized);
    SetLeft(rc.left);
}

// A maximized window keeps its normal width: only the list area grows, downwards.
void TFormSelect::FormResize() {
    RECT rc;
    GetWindowRect(Handle(), &rc);
    if (WindowState() == TWindowState::Maximized) {
        if (SavedWidth > 0 && rc.right - rc.left != SavedWidth)
            SetWindowPos(Handle(), nullptr, 0, 0, SavedWidth, rc.bottom - rc.top,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    } else if (WindowState() == TWindowState::Normal) {
        SavedWidth = rc.right - rc.left;
    }
}

void TFormSelect::ChangeErrorReport() {
    Model.options.reportAddErrors = !Model.options.reportAddErrors;
    UpdateCommands();
}
