// The list file that carries the four lists to the randomizer.
#include "lists/ListFileFormat.h"
#include "lists/ListMessages.h"
#include "platform/Files.h"
#include "platform/MessageDlg.h"
#include "shell/USelect5.h"

#include <commctrl.h>

namespace {
constexpr const char* kWriteError = "Error writing to file";
} // namespace

void TFormSelect::LoadListFile() {
    const std::string path = ProgramDir + kListFileName;
    std::vector<std::uint8_t> bytes;
    bool opened = false;
    std::string failure;
    try {
        unsigned long openError = 0;
        opened = ReadWholeFile(path, bytes, &openError);
        // A missing file is no error; one that exists but cannot be opened is.
        if (!opened && openError != ERROR_FILE_NOT_FOUND && openError != ERROR_PATH_NOT_FOUND)
            failure = SystemErrorText(openError);
    } catch (const std::exception& error) {
        failure = error.what();
    }
    if (!failure.empty()) {
        ListFileUnread = true;
        MessageDlg(ListFileReadErrorText(path, failure), TMsgDlgType::Error, mbOK);
    }
    if (opened) {
        ListSet lists;
        ReadListFile(std::string(bytes.begin(), bytes.end()), ProgramDir, lists);
        for (Category category : kCategories) {
            std::vector<ListEntry>& entries = lists[category];
            std::vector<std::vector<std::string>> rows;
            rows.reserve(entries.size());
            for (ListEntry& entry : entries) {
                if (category == Category::Wall)
                    rows.push_back({std::move(entry.fileName), std::move(entry.path), std::move(entry.style)});
                else
                    rows.push_back({std::move(entry.fileName), std::move(entry.path)});
            }
            SetEntries(category, std::move(rows));
        }
    }
    // The style column, the last one, reaches to the view's right edge.
    ListWall.FillLastColumn();
}

// The entry lines of one list, written straight from its entries.
void TFormSelect::WriteListSection(const ListRows& entries, bool withStyle, TextSink& file) const {
    for (std::size_t i = 0; i < entries.Size(); ++i)
        AppendEntry(file, entries.Cell(i, 0), entries.Cell(i, 1), entries.Cell(i, 2), withStyle);
}

void TFormSelect::ComposeListFile(TextSink& file) const {
    for (Category category : kCategories) {
        AppendSectionHeader(file, category);
        WriteListSection(Entries(category), category == Category::Wall, file);
    }
}

void TFormSelect::SaveToFile() {
    const std::string path = ProgramDir + kListFileName;
    if (ListFileUnread && !CopyFileA(path.c_str(), (ProgramDir + kUnreadListFileName).c_str(), FALSE)) {
        const unsigned long error = GetLastError();
        if (error != ERROR_FILE_NOT_FOUND) {
            MessageDlg("Error " + std::to_string(error) + " creating file", TMsgDlgType::Error, mbOK);
            return;
        }
    }
    // The old file stays whole until the new one is complete; the text goes to it as it is composed.
    ReplaceResult result = ReplaceFileContents(path, [this](TextSink& file) { ComposeListFile(file); });
    if (result.stage == ReplaceResult::Creating)
        MessageDlg("Error " + std::to_string(result.error) + " creating file", TMsgDlgType::Error, mbOK);
    else if (result.stage == ReplaceResult::Writing)
        MessageDlg(kWriteError, TMsgDlgType::Error, mbOK);
    else
        ListsChanged = ListFileUnread = false;
}
