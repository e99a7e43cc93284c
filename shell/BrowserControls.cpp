#include "shell/BrowserControls.h"

#include "lists/DirectoryPath.h"
#include "lists/FileMask.h"
#include "lists/SortKeys.h"
#include "platform/WaitCursor.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <cwchar>
#include <stdexcept>

namespace {
constexpr std::size_t kNameRoom = MAX_PATH * 2;

// A name in the system code page, written to `out` (kNameRoom characters), and its length; false
// in `exact` when the code page cannot spell it (a default character or a look-alike letter took
// the place of one it lacks). Every ANSI code page spells the ASCII characters as themselves, so
// most names need no conversion.
std::size_t Narrow(const wchar_t* text, char* out, bool& exact) {
    std::size_t length = 0;
    while (text[length] && text[length] < 0x80 && length + 1 < kNameRoom) {
        out[length] = char(text[length]);
        ++length;
    }
    if (!text[length]) {
        out[length] = '\0';
        exact = true;
        return length;
    }
    BOOL usedDefault = FALSE;
    int converted = WideCharToMultiByte(CP_ACP, 0, text, -1, out, int(kNameRoom), nullptr, &usedDefault);
    if (converted <= 0) out[0] = '\0';
    wchar_t back[kNameRoom] = {};
    exact = converted > 0 && !usedDefault && MultiByteToWideChar(CP_ACP, 0, out, -1, back, int(kNameRoom)) > 0 &&
            std::wcscmp(back, text) == 0;
    return std::strlen(out);
}

bool IsDotEntry(std::string_view name) {
    return name == "." || name == "..";
}

// Folders and files of a folder, as FindFirstFile reports them. A name the system code page cannot
// spell is given by its short name, as 8-bit Windows programs see it; without a short name it keeps
// the misspelled name, which opens no file.
template <typename Visit> void ForEachEntry(const std::string& folder, Visit visit) {
    const std::string pattern = JoinPath(folder, "*.*");
    wchar_t widePattern[kNameRoom] = {};
    WIN32_FIND_DATAW wide;
    HANDLE find = MultiByteToWideChar(CP_ACP, 0, pattern.c_str(), -1, widePattern, int(kNameRoom)) > 0
                      ? FindFirstFileW(widePattern, &wide)
                      : INVALID_HANDLE_VALUE;
    if (find != INVALID_HANDLE_VALUE) {
        char name[kNameRoom], shortName[kNameRoom];
        do {
            bool exact = false, shortExact = false;
            std::string_view listed(name, Narrow(wide.cFileName, name, exact));
            if (!exact && wide.cAlternateFileName[0]) {
                std::size_t shortLength = Narrow(wide.cAlternateFileName, shortName, shortExact);
                if (shortExact) listed = std::string_view(shortName, shortLength);
            }
            if (!IsDotEntry(listed)) visit(listed, wide.dwFileAttributes);
        } while (FindNextFileW(find, &wide));
        FindClose(find);
        return;
    }
    if (GetLastError() != ERROR_CALL_NOT_IMPLEMENTED) return;
    // Windows 9x has no wide listing: there an unspellable name comes with "?" in it.
    WIN32_FIND_DATAA data;
    find = FindFirstFileA(pattern.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        const char* name = data.cFileName;
        if (std::strchr(name, '?') && data.cAlternateFileName[0]) name = data.cAlternateFileName;
        if (!IsDotEntry(name)) visit(std::string_view(name), data.dwFileAttributes);
    } while (FindNextFileA(find, &data));
    FindClose(find);
}

constexpr DWORD kNotListed = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

// Names in the order lstrcmpiA gives them.
void SortNames(std::vector<std::string>& names) {
    std::vector<std::string_view> texts(names.begin(), names.end());
    std::vector<std::string> sorted;
    sorted.reserve(names.size());
    for (std::size_t i : SortedOrder(texts, true))
        sorted.push_back(std::move(names[i]));
    names = std::move(sorted);
}

// Holds all drawing of a visible window for the length of a change of its contents, then asks for
// one repaint, frame and all. A list box redraws its scroll bar at once at every change of its
// count, even with its own redraw off (about 4 ms each time under Wine); a window that the system
// takes for hidden draws nothing, and the default WM_SETREDRAW is what makes it so.
class DrawingHeld {
public:
    explicit DrawingHeld(HWND window)
        : window_(window), visible_(window && (GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE)) {
        if (!window_) return;
        if (visible_) DefWindowProcA(window_, WM_SETREDRAW, FALSE, 0);
        SendMessageA(window_, WM_SETREDRAW, FALSE, 0);
    }
    DrawingHeld(const DrawingHeld&) = delete;
    DrawingHeld& operator=(const DrawingHeld&) = delete;
    ~DrawingHeld() {
        if (!window_) return;
        SendMessageA(window_, WM_SETREDRAW, TRUE, 0);
        if (!visible_) return;
        DefWindowProcA(window_, WM_SETREDRAW, TRUE, 0);
        RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
    }

private:
    HWND window_;
    bool visible_;
};

std::string FullPath(const std::string& path) {
    char buffer[MAX_PATH] = {};
    DWORD length = GetFullPathNameA(path.c_str(), MAX_PATH, buffer, nullptr);
    return length > 0 && length < MAX_PATH ? std::string(buffer, length) : path;
}
} // namespace

// Drives ---------------------------------------------------------------------------------------

void TDriveComboBox::Create(TControl& parent, const TBounds& bounds) {
    TComboBox::Create(parent, bounds);
    char drives[128] = {};
    GetLogicalDriveStringsA(sizeof(drives) - 1, drives);
    std::vector<std::string> texts;
    for (const char* drive = drives; *drive; drive += std::strlen(drive) + 1) {
        char letter = char(std::tolower(static_cast<unsigned char>(drive[0])));
        std::string text = std::string(1, letter) + ":";
        letters_.push_back(letter);
        texts.push_back(text);
    }
    SetItems(texts);
}

void TDriveComboBox::SetDrive(char letter) {
    letter = char(std::tolower(static_cast<unsigned char>(letter)));
    auto it = std::find(letters_.begin(), letters_.end(), letter);
    SetItemIndex(it == letters_.end() ? -1 : int(it - letters_.begin()));
}

char TDriveComboBox::Drive() const {
    int index = ItemIndex();
    return index >= 0 && index < int(letters_.size()) ? letters_[std::size_t(index)] : '\0';
}

void TDriveComboBox::Changed() {
    if (DirList && Drive()) {
        try {
            DirList->Open(FullPath(std::string(1, Drive()) + ":"));
        } catch (...) {
            SetDrive(DirList->Directory().empty() ? '\0' : DirList->Directory()[0]);
            throw;
        }
    }
    TComboBox::Changed();
}

// Filters --------------------------------------------------------------------------------------

bool TFilterComboBox::SetFilter(const std::string& filter) {
    if (!filter_.empty() && SameFilter(filter_, filter)) return false;
    filter_ = filter;
    rows_ = ParseFilter(filter);
    std::vector<std::string> descriptions;
    for (const FilterRow& row : rows_)
        descriptions.push_back(row.description);
    SetItems(descriptions);
    SetItemIndex(rows_.empty() ? -1 : 0);
    if (FileList) FileList->SetMask(Mask());
    return true;
}

std::string TFilterComboBox::Mask() const {
    int index = ItemIndex();
    return index >= 0 && index < int(rows_.size()) ? rows_[index].mask : std::string("*.*");
}

void TFilterComboBox::Changed() {
    if (FileList) FileList->SetMask(Mask());
    TComboBox::Changed();
}

// Folders --------------------------------------------------------------------------------------

void TDirectoryListBox::Create(TControl& parent, const TBounds& bounds) {
    CreateHandle(&parent, "LISTBOX",
                 WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS,
                 WS_EX_CLIENTEDGE, bounds);
    SendMessageA(Handle(), LB_SETITEMHEIGHT, 0, Scaled(16));
}

void TDirectoryListBox::SetDirectory(const std::string& path) {
    std::string full = BrowserPath(FullPath(path));
    DWORD attributes = GetFileAttributesA(full.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        throw std::runtime_error("Cannot open folder " + path);
    directory_ = full;
    Update();
}

void TDirectoryListBox::Open(const std::string& path) {
    SetDirectory(path);
    if (OnChange) OnChange();
}

void TDirectoryListBox::Update() {
    TWaitCursor waiting; // a folder of thousands of files, or one on a slow drive
    // A folder deleted meanwhile gives way to the nearest folder above it that still exists.
    std::vector<std::string> levels = PathLevels(directory_);
    while (levels.size() > 1) {
        DWORD attributes = GetFileAttributesA(PathOfLevels(levels, levels.size()).c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) break;
        levels.pop_back();
    }
    if (!levels.empty()) directory_ = PathOfLevels(levels, levels.size());
    const FolderNames others = Fill(FileList != nullptr);
    if (DriveCombo && !directory_.empty()) DriveCombo->SetDrive(directory_[0]);
    if (FileList) FileList->SetDirectory(directory_, others);
}

FolderNames TDirectoryListBox::Fill(bool keepOthers) {
    rows_.clear();
    std::vector<std::string> levels = PathLevels(directory_);
    for (std::size_t i = 0; i < levels.size(); ++i) {
        std::string text = levels[i];
        if (i == 0)
            std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
        rows_.push_back({text, PathOfLevels(levels, i + 1), int(i), true});
    }
    std::vector<std::string> folders;
    FolderNames others;
    ForEachEntry(directory_, [&](std::string_view name, DWORD attributes) {
        if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            if (keepOthers) others.Add(name, attributes);
        } else if (!(attributes & kNotListed)) {
            folders.emplace_back(name);
        }
    });
    SortNames(folders);
    for (const std::string& folder : folders)
        rows_.push_back({folder, JoinPath(directory_, folder), int(levels.size()), false});

    if (!Handle()) return others;
    DrawingHeld held(Handle());
    SendMessageA(Handle(), LB_RESETCONTENT, 0, 0);
    for (const Row& row : rows_)
        SendMessageA(Handle(), LB_ADDSTRING, 0, LPARAM(row.text.c_str()));
    SendMessageA(Handle(), LB_SETCURSEL, WPARAM(levels.empty() ? -1 : int(levels.size()) - 1), 0);
    return others;
}

void TDirectoryListBox::OpenRow(int index) {
    if (index >= 0 && index < Count()) Open(rows_[std::size_t(index)].path);
}

void TDirectoryListBox::CommandNotify(WORD code) {
    if (code == LBN_DBLCLK) OpenRow(int(SendMessageA(Handle(), LB_GETCURSEL, 0, 0)));
}

bool TDirectoryListBox::DialogKey(UINT key) {
    if (key != VK_RETURN) return false;
    OpenRow(int(SendMessageA(Handle(), LB_GETCURSEL, 0, 0)));
    return true;
}

// A folder glyph, open for the levels of the path, then the name, indented by level. The glyph's
// lengths are given at 96 pixels per inch, as the forms give theirs.
bool TDirectoryListBox::DrawItem(const DRAWITEMSTRUCT& item) {
    if (item.itemID == UINT(-1) || item.itemID >= rows_.size()) return true;
    const Row& row = rows_[item.itemID];
    HDC dc = item.hDC;
    RECT rc = item.rcItem;
    bool selected = (item.itemState & ODS_SELECTED) != 0;
    FillRect(dc, &rc, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    int x = rc.left + Scaled(2 + row.level * 7);
    int y = rc.top + (rc.bottom - rc.top - Scaled(11)) / 2;
    auto at = [x, y](int left, int top, int right, int bottom) {
        return RECT{x + Scaled(left), y + Scaled(top), x + Scaled(right), y + Scaled(bottom)};
    };
    UniqueBrush yellow(CreateSolidBrush(RGB(255, 223, 96)));
    UniqueBrush outline(CreateSolidBrush(RGB(128, 96, 0)));
    RECT tab = at(0, 0, 6, 2), body = at(0, 2, 14, 11);
    FillRect(dc, &tab, outline.Get());
    FillRect(dc, &body, outline.Get());
    InflateRect(&body, -Scaled(1), -Scaled(1));
    FillRect(dc, &body, yellow.Get());
    if (row.open) {
        RECT front = at(2, 5, 14, 10);
        FrameRect(dc, &front, outline.Get());
    }
    SelectObjectScope font(dc, FontHandle(Font()));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    RECT text = rc;
    text.left = x + Scaled(18);
    DrawTextA(dc, row.text.c_str(), int(row.text.size()), &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &rc);
    return true;
}

// Files ----------------------------------------------------------------------------------------

// The system's list of strings: screen readers and automation read the names from it (also from
// another process), and a typed letter moves to the next name that starts with it. The names are
// kept beside it too, for the program's own reading.
void TFileListBox::Create(TControl& parent, const TBounds& bounds) {
    CreateHandle(&parent, "LISTBOX",
                 WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_EXTENDEDSEL | LBS_HASSTRINGS,
                 WS_EX_CLIENTEDGE, bounds);
    Update();
}

void TFileListBox::SetMask(const std::string& mask) {
    if (mask_ == mask) return;
    mask_ = mask;
    Update();
}

void TFileListBox::SetDirectory(const std::string& path) {
    directory_ = BrowserPath(path);
    Update();
}

void TFileListBox::SetDirectory(const std::string& path, const FolderNames& entries) {
    directory_ = BrowserPath(path);
    Show(entries);
}

void TFileListBox::Update() {
    TWaitCursor waiting;
    FolderNames entries;
    if (!directory_.empty())
        ForEachEntry(directory_, [&](std::string_view name, DWORD attributes) { entries.Add(name, attributes); });
    Show(entries);
}

void TFileListBox::Show(const FolderNames& entries) {
    const FileMask mask(mask_);
    std::vector<std::string_view> listed;
    listed.reserve(entries.Size());
    std::size_t characters = 0;
    for (std::size_t i = 0; i < entries.Size(); ++i) {
        const std::string_view name = entries.Name(i);
        if (!(entries.Attributes(i) & (FILE_ATTRIBUTE_DIRECTORY | kNotListed)) &&
            mask.Matches(name.data(), name.size())) {
            listed.push_back(name);
            characters += name.size();
        }
    }
    names_.Clear();
    names_.Reserve(listed.size(), characters);
    for (std::size_t i : SortedOrder(listed, true))
        names_.Add(listed[i]);
    if (!Handle()) return;
    DrawingHeld held(Handle());
    SendMessageA(Handle(), LB_RESETCONTENT, 0, 0);
    // Room for all names at once, instead of growing at every name.
    SendMessageA(Handle(), LB_INITSTORAGE, names_.Size(), characters + names_.Size());
    for (std::size_t i = 0; i < names_.Size(); ++i)
        SendMessageA(Handle(), LB_ADDSTRING, 0, LPARAM(names_.CName(i)));
}

int TFileListBox::ItemIndex() const {
    if (!Handle() || names_.Size() == 0) return -1;
    return int(SendMessageA(Handle(), LB_GETCARETINDEX, 0, 0));
}

void TFileListBox::SetItemIndex(int index) {
    if (Handle()) SendMessageA(Handle(), LB_SETCARETINDEX, WPARAM(index), FALSE);
}

bool TFileListBox::Selected(int index) const {
    return Handle() && SendMessageA(Handle(), LB_GETSEL, WPARAM(index), 0) > 0;
}

void TFileListBox::SetSelected(int index, bool selected) {
    if (Handle()) SendMessageA(Handle(), LB_SETSEL, selected, LPARAM(index));
}

int TFileListBox::SelCount() const {
    return Handle() ? int(SendMessageA(Handle(), LB_GETSELCOUNT, 0, 0)) : 0;
}

void TFileListBox::CommandNotify(WORD code) {
    if (code == LBN_SELCHANGE && OnChange) OnChange();
    if (code == LBN_DBLCLK && OnDblClick) OnDblClick();
}
