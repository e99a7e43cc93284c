// Making a screen from the picture the preview names: the user chooses the file, the screen is
// made and written, then it joins the active list and is previewed.
#include "pictures/PictureText.h"
#include "pictures/ScreenFromPicture.h"
#include "lists/DirectoryPath.h"
#include "platform/MessageDlg.h"
#include "platform/SaveDialog.h"
#include "platform/WaitCursor.h"
#include "shell/USelect5.h"

void TFormSelect::AnimatedBarClick() {
    Model.options.animatedBar = !Model.options.animatedBar;
    UpdateCommands();
}

void TFormSelect::MakeScreenClick() {
    const std::string source = Model.preview.path;
    if (!IsScreen(Model.activeCategory) || source.empty()) return;
    std::string target;
    auto taken = [](const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; };
    if (!PromptSaveFile(Handle(), ProposedScreenPath(source, taken), kScreenSaveFilter, "bmp", target)) return;

    ScreenResult made;
    {
        TWaitCursor waiting;
        made = MakeScreenFromPicture(Library(), source, target,
                                     Model.activeCategory == Category::Start && Model.options.animatedBar);
    }
    if (!made.Ok()) {
        MessageDlg(ScreenFailureText(made), TMsgDlgType::Error, mbOK);
        return;
    }

    // The new screen joins the active list once, alone selected.
    const std::size_t cut = target.find_last_of('\\');
    const std::string name = target.substr(cut + 1), folder = BrowserPath(target.substr(0, cut + 1));
    TListView& list = ActiveList();
    const ListRows& entries = ActiveEntries();
    int row = -1;
    for (std::size_t i = 0; i < entries.Size() && row < 0; ++i)
        if (lstrcmpiA(entries.Cell(i, 0).c_str(), name.c_str()) == 0 &&
            lstrcmpiA(entries.Cell(i, 1).c_str(), folder.c_str()) == 0)
            row = int(i);
    if (row < 0) {
        row = AddEntry(Model.activeCategory, {name, folder});
        ListsChanged = true;
    }
    for (int selected : list.SelectedRows())
        list.SetSelected(selected, false);
    list.SetSelected(row, true);
    if (lstrcmpiA(BrowserPath(FileListBox1.Directory()).c_str(), folder.c_str()) == 0) FileListBox1.Update();

    // Read again even under the same name: the file is new.
    ShowPreview(target, false, true);
    UpdateCounter();
}
