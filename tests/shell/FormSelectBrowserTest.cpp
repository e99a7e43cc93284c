// The file browser under Wine: real folders and files in a fresh temporary folder.
#include "tests/support/MainWindowFixture.h"

#include <algorithm>
#include <fstream>

namespace {
class Browser : public MainWindowFixture {
protected:
    void SetUp() override {
        WineFixture::SetUp();
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        char folder[MAX_PATH] = {};
        GetTempFileNameA(temp, "vsb", 0, folder);
        DeleteFileA(folder);
        CreateDirectoryA(folder, nullptr);
        root = folder;
        for (const char* name : {"b.bmp", "A.BMP", "c.sys", "photo.jif", "readme.txt", "logo.sys", "s.bmp"})
            Touch(name);
        SetFileAttributesA((root + "\\logo.sys").c_str(), FILE_ATTRIBUTE_HIDDEN);
        SetFileAttributesA((root + "\\s.bmp").c_str(), FILE_ATTRIBUTE_SYSTEM);
        CreateDirectoryA((root + "\\Sub").c_str(), nullptr);
        CreateDirectoryA((root + "\\Hidden").c_str(), nullptr);
        SetFileAttributesA((root + "\\Hidden").c_str(), FILE_ATTRIBUTE_HIDDEN);
        Start();
    }

    void TearDown() override {
        ResetApplication();
        for (const char* name :
             {"b.bmp", "A.BMP", "c.sys", "photo.jif", "readme.txt", "logo.sys", "s.bmp", "new.bmp", "gone.bmp"}) {
            SetFileAttributesA((root + "\\" + name).c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA((root + "\\" + name).c_str());
        }
        RemoveDirectoryA((root + "\\Sub").c_str());
        SetFileAttributesA((root + "\\Hidden").c_str(), FILE_ATTRIBUTE_NORMAL);
        RemoveDirectoryA((root + "\\Hidden").c_str());
        RemoveDirectoryA(root.c_str());
        WineFixture::TearDown();
    }

    void Touch(const std::string& name) { std::ofstream(root + "\\" + name) << "x"; }

    std::vector<std::string> Files() const {
        std::vector<std::string> names;
        EXPECT_EQ(SendMessageA(form->FileListBox1.Handle(), LB_GETCOUNT, 0, 0), form->FileListBox1.Count());
        for (int i = 0; i < form->FileListBox1.Count(); ++i)
            names.push_back(form->FileListBox1.Item(i));
        return names;
    }

    // Chooses a filter row as the user does.
    void ChooseFilter(int row) {
        SendMessageA(form->FilterComboBox1.Handle(), CB_SETCURSEL, WPARAM(row), 0);
        SendMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE), LPARAM(form->FilterComboBox1.Handle()));
    }

    // A row of the directory list, as the list box holds it.
    std::string FolderRow(int index) const {
        char text[MAX_PATH] = {};
        SendMessageA(form->DirectoryListBox1.Handle(), LB_GETTEXT, WPARAM(index), LPARAM(text));
        return text;
    }

    // A double click on a row of the directory list.
    void OpenFolderRow(const std::string& text) {
        for (int i = 0; i < form->DirectoryListBox1.Count(); ++i)
            if (FolderRow(i) == text) {
                SendMessageA(form->DirectoryListBox1.Handle(), LB_SETCURSEL, WPARAM(i), 0);
                SendMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(0, LBN_DBLCLK),
                             LPARAM(form->DirectoryListBox1.Handle()));
                return;
            }
        ADD_FAILURE() << "no folder row " << text;
    }

    std::string root;
};
} // namespace

TEST_F(Browser, ListsOrdinaryMatchingFilesSortedByName) {
    form->ApplyBrowserPath(root + "\\");
    EXPECT_EQ(form->DirectoryListBox1.Directory(), root) << "no trailing backslash below the root";
    EXPECT_EQ(form->FileListBox1.Directory(), root);
    EXPECT_EQ(Files(), (std::vector<std::string>{"A.BMP", "b.bmp", "c.sys"}))
        << "hidden logo.sys and system s.bmp are never listed";

    ChooseFilter(3);
    EXPECT_EQ(form->FilterComboBox1.Hint(), "All files (*.*)");
    EXPECT_EQ(Files(), (std::vector<std::string>{"A.BMP", "b.bmp", "c.sys", "photo.jif", "readme.txt"}));
    ChooseFilter(0);
    EXPECT_EQ(Files(), (std::vector<std::string>{"A.BMP", "b.bmp", "c.sys"})) << "photo.jif is no screen file";

    ClickAt(form->sbtnWall, 5, 5);
    EXPECT_EQ(Files(), (std::vector<std::string>{"A.BMP", "b.bmp", "c.sys", "photo.jif"}));
}

TEST_F(Browser, DirectoryListShowsThePathAndVisibleSubfolders) {
    form->ApplyBrowserPath(root);
    int n = form->DirectoryListBox1.Count();
    ASSERT_GE(n, 2);
    EXPECT_EQ(FolderRow(0).substr(1), ":\\") << "the drive's root comes first";
    EXPECT_EQ(FolderRow(n - 1), "Sub") << "the hidden folder is not listed";
    OpenFolderRow("Sub");
    EXPECT_EQ(form->DirectoryListBox1.Directory(), root + "\\Sub");
    EXPECT_TRUE(Files().empty());
    // Enter opens the chosen row too.
    form->DirectoryListBox1.SetFocus();
    SendMessageA(form->DirectoryListBox1.Handle(), LB_SETCURSEL, 0, 0);
    PressKey(VK_RETURN);
    EXPECT_EQ(form->DirectoryListBox1.Directory().substr(1), ":\\");
    EXPECT_EQ(form->StartDir.substr(1), ":\\") << "a root is recorded with its backslash";
}

TEST_F(Browser, EachCategoryRemembersItsFolderAndStartDirTheLastOfAll) {
    const std::string shut = form->ShutDir, wall = form->WallDir;
    form->ApplyBrowserPath(root);
    EXPECT_EQ(form->StartDir, root);
    ClickAt(form->sbtnWait, 5, 5);
    OpenFolderRow("Sub");
    EXPECT_EQ(form->WaitDir, root + "\\Sub");
    EXPECT_EQ(form->StartDir, root + "\\Sub") << "the start-up slot always holds the last folder";
    EXPECT_EQ(form->ShutDir, shut) << "the other categories keep theirs";
    EXPECT_EQ(form->WallDir, wall);
}

TEST_F(Browser, RefreshFindsNewFilesWithCtrlRAndF5) {
    form->ApplyBrowserPath(root);
    Touch("new.bmp");
    EXPECT_EQ(Files().size(), 3u);
    form->DirectoryListBox1.SetFocus();
    PressKey('R', true);
    EXPECT_EQ(Files(), (std::vector<std::string>{"A.BMP", "b.bmp", "c.sys", "new.bmp"}));
    DeleteFileA((root + "\\new.bmp").c_str());
    form->FileListBox1.SetFocus();
    PressKey(VK_F5);
    EXPECT_EQ(Files().size(), 3u);
    EXPECT_EQ(form->StartDir, root) << "the refresh records the folder again";
}

TEST_F(Browser, MissingFolderFailsAndEmptyPathChangesNothing) {
    form->ApplyBrowserPath(root);
    EXPECT_THROW(form->ApplyBrowserPath(root + "\\gone"), std::runtime_error);
    form->ApplyBrowserPath("");
    EXPECT_EQ(form->DirectoryListBox1.Directory(), root);
}

TEST_F(Browser, FileListAnswersTextQueriesOfScreenReaders) {
    form->ApplyBrowserPath(root);
    HWND list = form->FileListBox1.Handle();
    std::vector<std::string> read;
    LRESULT pastEnd = 0;
    // From another thread, as a screen reader or automation tool asks.
    OtherThread reader([&] {
        LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            LRESULT length = SendMessageA(list, LB_GETTEXTLEN, WPARAM(i), 0);
            std::string text(std::size_t(length > 0 ? length : 0) + 1, '\x7F');
            LRESULT copied = SendMessageA(list, LB_GETTEXT, WPARAM(i), LPARAM(&text[0]));
            read.push_back(copied == length && text.back() == '\0' ? text.substr(0, std::size_t(length)) : "?");
        }
        pastEnd = SendMessageA(list, LB_GETTEXTLEN, WPARAM(count), 0);
    });
    ASSERT_TRUE(reader.Join());
    EXPECT_EQ(read, (std::vector<std::string>{"A.BMP", "b.bmp", "c.sys"}));
    EXPECT_EQ(pastEnd, LB_ERR);
}

TEST_F(Browser, RefreshOfADeletedFolderMovesToTheNearestFolderAbove) {
    const std::string deep = root + "\\Sub\\Deep\\Deeper";
    CreateDirectoryA((root + "\\Sub\\Deep").c_str(), nullptr);
    CreateDirectoryA(deep.c_str(), nullptr);
    form->ApplyBrowserPath(deep);
    RemoveDirectoryA(deep.c_str());
    RemoveDirectoryA((root + "\\Sub\\Deep").c_str());
    BringToFront(*form);
    TypeKeys({VK_CONTROL, 'R'});
    ASSERT_TRUE(WaitUntil([&] { return form->DirectoryListBox1.Directory() != deep; }));
    EXPECT_EQ(form->DirectoryListBox1.Directory(), root + "\\Sub");
    EXPECT_EQ(form->FileListBox1.Directory(), root + "\\Sub");
    EXPECT_EQ(form->StartDir, root + "\\Sub") << "the folder that is gone is not stored";

    // F5 in the file list does the same.
    RemoveDirectoryA((root + "\\Sub").c_str());
    MouseClick(form->FileListBox1, 20, 100);
    ASSERT_TRUE(WaitUntil([&] { return form->FileListBox1.Focused(); }));
    TypeKeys({VK_F5});
    ASSERT_TRUE(WaitUntil([&] { return form->DirectoryListBox1.Directory() == root; }));
    EXPECT_EQ(form->StartDir, root);
    EXPECT_EQ(Files(), (std::vector<std::string>{"A.BMP", "b.bmp", "c.sys"}));
    CreateDirectoryA((root + "\\Sub").c_str(), nullptr);
}

namespace {
// A file whose name no system code page can spell whole (Hungarian, Japanese and Russian letters),
// made through the wide API as another program or the system's shell makes it.
std::wstring MakeUnspellableFile(const std::string& folder, const std::wstring& name) {
    wchar_t wideFolder[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, folder.c_str(), -1, wideFolder, MAX_PATH);
    std::wstring path = std::wstring(wideFolder) + L"\\" + name;
    UniqueFile file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    EXPECT_TRUE(file);
    DWORD written = 0;
    WriteFile(file.Get(), "x", 1, &written, nullptr);
    return path;
}

std::string ShortNameOf(const std::wstring& path) {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW(path.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return "";
    FindClose(find);
    char name[MAX_PATH] = {};
    WideCharToMultiByte(CP_ACP, 0, data.cAlternateFileName, -1, name, MAX_PATH, nullptr, nullptr);
    return name;
}
} // namespace

TEST_F(Browser, UnspellableNamesAreListedAndAddedByTheirShortNames) {
    const std::wstring unspellable = MakeUnspellableFile(root, L"K\u0151szeg \u65e5\u672c \u0416 panorama.bmp");
    const std::string shortName = ShortNameOf(unspellable);
    ASSERT_FALSE(shortName.empty()) << "the system made no short name";
    Touch("gone.bmp");

    BringToFront(*form);
    MouseClick(form->sbtnWall, 20, 10);
    ASSERT_TRUE(WaitUntil([&] { return form->Model.activeCategory == Category::Wall; }));
    form->ApplyBrowserPath(root);
    std::vector<std::string> files = Files();
    auto row = std::find(files.begin(), files.end(), shortName);
    ASSERT_NE(row, files.end()) << "the short name is listed";
    EXPECT_TRUE(std::none_of(files.begin(), files.end(), [](const std::string& f) { return f.find('?') != f.npos; }))
        << "no name shows a letter the code page lacks";

    // The user clicks the file and presses Add.
    auto addRow = [&](int index) {
        MouseClick(form->FileListBox1, 20, index * 13 + 6);
        ASSERT_TRUE(
            WaitUntil([&] { return form->FileListBox1.SelCount() == 1 && form->FileListBox1.Selected(index); }));
        MouseClick(form->BtnAdd, 20, 10);
    };
    addRow(int(row - files.begin()));
    ASSERT_TRUE(WaitUntil([&] { return form->ListWall.Count() == 1; }));
    EXPECT_EQ(form->Entries(Category::Wall).Cell(0, 0), shortName);
    EXPECT_NE(GetFileAttributesA((root + "\\" + shortName).c_str()), INVALID_FILE_ATTRIBUTES)
        << "the added name opens the file";
    DeleteFileW(unspellable.c_str());

    // A listed name that opens no file (as one without a short name) is refused with the read-error message.
    DeleteFileA((root + "\\gone.bmp").c_str());
    answers = {mrOk};
    addRow(int(std::find(files.begin(), files.end(), "gone.bmp") - files.begin()));
    ASSERT_TRUE(WaitUntil([&] { return boxes.size() == 1; }));
    EXPECT_EQ(boxes[0].text.rfind("Read Error " + root + "\\gone.bmp,", 0), 0u) << boxes[0].text;
    EXPECT_EQ(form->ListWall.Count(), 1);
}

namespace {
bool HasVisibleStyle(const TControl& control) {
    return (GetWindowLongA(control.Handle(), GWL_STYLE) & WS_VISIBLE) != 0;
}

// A folder of more files than the file list shows at once, removed again at the end of the test.
struct ManyFiles {
    explicit ManyFiles(const std::string& parent) : folder(parent + "\\Many") {
        CreateDirectoryA(folder.c_str(), nullptr);
        for (int i = 0; i < kCount; ++i)
            std::ofstream(Path(i)) << "x";
    }
    ~ManyFiles() {
        for (int i = 0; i < kCount; ++i)
            DeleteFileA(Path(i).c_str());
        RemoveDirectoryA(folder.c_str());
    }
    std::string Path(int i) const { return folder + "\\p" + std::to_string(100 + i) + ".bmp"; }
    static constexpr int kCount = 80;
    std::string folder;
};
} // namespace

// The lists hold their drawing while they change and then repaint once: the file list still ends
// with its scroll bar, selection and top row those of the new folder, a shown list stays shown and
// waits for its repaint, and a hidden one stays hidden.
TEST_F(Browser, AChangeOfFolderStartsTheFileListAfresh) {
    ManyFiles many(root);
    TFileListBox& files = form->FileListBox1;
    form->ApplyBrowserPath(many.folder);
    ASSERT_EQ(files.Count(), ManyFiles::kCount);
    SCROLLINFO scroll{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE, 0, 0, 0, 0, 0};
    ASSERT_TRUE(GetScrollInfo(files.Handle(), SB_VERT, &scroll));
    EXPECT_EQ(scroll.nMax, ManyFiles::kCount - 1) << "the scroll bar spans the new count";
    EXPECT_GT(scroll.nPage, 0u);
    EXPECT_LT(scroll.nPage, UINT(ManyFiles::kCount));

    files.SetSelected(3, true);
    files.SetSelected(70, true);
    files.SetItemIndex(70);
    SendMessageA(files.Handle(), LB_SETTOPINDEX, 60, 0);
    ASSERT_EQ(files.SelCount(), 2);
    UpdateWindow(form->Handle());

    form->ApplyBrowserPath(root);
    EXPECT_EQ(Files(), (std::vector<std::string>{"A.BMP", "b.bmp", "c.sys"}));
    EXPECT_EQ(files.SelCount(), 0) << "no selection carries over to another folder";
    EXPECT_EQ(SendMessageA(files.Handle(), LB_GETTOPINDEX, 0, 0), 0);
    EXPECT_LT(files.ItemIndex(), files.Count());
    for (TControl* list : {static_cast<TControl*>(&files), static_cast<TControl*>(&form->DirectoryListBox1)}) {
        EXPECT_TRUE(HasVisibleStyle(*list));
        RECT update{};
        EXPECT_TRUE(GetUpdateRect(list->Handle(), &update, FALSE)) << "the list waits for its repaint";
    }

    ShowWindow(files.Handle(), SW_HIDE);
    form->ApplyBrowserPath(many.folder);
    EXPECT_FALSE(HasVisibleStyle(files)) << "a hidden list stays hidden";
    EXPECT_EQ(files.Count(), ManyFiles::kCount);
    ShowWindow(files.Handle(), SW_SHOW);
    EXPECT_TRUE(GetScrollInfo(files.Handle(), SB_VERT, &scroll));
    EXPECT_EQ(scroll.nMax, ManyFiles::kCount - 1);
    form->ApplyBrowserPath(root);
}
