// The program's drop-down list and file list beside the system's own, as Wine's control tests set
// them: the same input through the system's queue, then the same notices, selection and texts as
// another process reads them.
#include "shell/BrowserControls.h"
#include "platform/Form.h"
#include "tests/support/OtherProcessReader.h"
#include "tests/support/TestFiles.h"

#include <algorithm>

namespace {
const char* const kNames[] = {"alpha.bmp", "apple.bmp", "bravo.bmp", "charlie.bmp", "cobalt.bmp", "delta.bmp"};

class SideBySideForm : public TForm {
public:
    explicit SideBySideForm(std::string folder) : folder_(std::move(folder)) {
        ClientWidth = 400;
        ClientHeight = 200;
        VisibleAtCreation = true;
    }
    TComboBox Box;
    TFileListBox Files;
    HWND SystemBox = nullptr, SystemFiles = nullptr;
    std::map<HWND, std::vector<WORD>> notices; // what each list told the form, in order

protected:
    void BuildControls() override {
        Box.Create(*this, {10, 10, 120, 21});
        Box.SetItems({"Centred", "Stretched", "Tiled", "Fit 2 Screen", "Mirror"});
        Files.Create(*this, {10, 60, 120, 120});
        Files.SetDirectory(folder_);
        SystemBox = System("COMBOBOX", WS_VSCROLL | CBS_DROPDOWNLIST, 200, 10, 120, 221);
        SystemFiles =
            System("LISTBOX", WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_EXTENDEDSEL | LBS_HASSTRINGS, 200,
                   60, 120, 120);
        for (const char* item : {"Centred", "Stretched", "Tiled", "Fit 2 Screen", "Mirror"})
            SendMessageA(SystemBox, CB_ADDSTRING, 0, LPARAM(item));
        for (const char* name : kNames)
            SendMessageA(SystemFiles, LB_ADDSTRING, 0, LPARAM(name));
    }
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_COMMAND && lParam) notices[HWND(lParam)].push_back(HIWORD(wParam));
        return TForm::WndProc(msg, wParam, lParam);
    }

private:
    HWND System(const char* className, DWORD style, int left, int top, int width, int height) {
        HWND window = CreateWindowExA(WS_EX_CLIENTEDGE, className, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, left,
                                      top, width, height, Handle(), nullptr, Application().Instance(), nullptr);
        SendMessageA(window, WM_SETFONT, WPARAM(FontHandle(TFontSpec{})), FALSE);
        return window;
    }
    std::string folder_;
};

class SideBySide : public WineFixture {
protected:
    void SetUp() override {
        WineFixture::SetUp();
        folder = MakeTestFolder("sidebyside");
        for (const char* name : kNames)
            WriteFileBytes(folder + "\\" + name, "x");
        form = &Application().CreateForm<SideBySideForm>(folder);
        BringToFront(*form);
    }
    void TearDown() override {
        WineFixture::TearDown();
        RemoveTestFolder(folder);
    }

    // The same steps on a list: keys, a character, the wheel over it, a click at a point of it.
    struct Step {
        std::initializer_list<WORD> keys;
        int wheel = 0;
        POINT click{-1, -1};
    };
    void Drive(HWND list, const std::vector<Step>& steps) {
        SetFocus(list);
        for (const Step& step : steps) {
            RECT rc;
            GetWindowRect(list, &rc);
            if (step.click.x >= 0)
                MouseDrag({rc.left + step.click.x, rc.top + step.click.y},
                          {rc.left + step.click.x, rc.top + step.click.y});
            if (step.wheel) MouseWheel({rc.left + 5, rc.top + 5}, step.wheel);
            if (step.keys.size()) TypeKeys(step.keys);
            HandleQueuedInput();
        }
    }

    // Both lists driven alike agree in what they told the form and in what another process reads.
    void ExpectAlike(HWND ours, HWND system, const std::vector<Step>& steps) {
        Drive(ours, steps);
        const std::vector<WORD> told = form->notices[ours];
        Drive(system, steps);
        EXPECT_EQ(told, form->notices[system]);
        std::vector<WindowReading> read = ReadFromOtherProcess({ours, system});
        ASSERT_EQ(read.size(), 2u);
        for (const char* field : {"class", "text", "rows", "selected", "focus", "comboinfo"})
            EXPECT_EQ(read[0][field], read[1][field]) << field;
    }

    std::string folder;
    SideBySideForm* form = nullptr;
};
} // namespace

TEST_F(SideBySide, DropDownListAnswersKeysTheWheelAndItsListAsTheSystemsDoes) {
    int changes = 0;
    form->Box.OnChange = [&] { ++changes; };
    ExpectAlike(form->Box.Handle(), form->SystemBox,
                {{{VK_DOWN}}, {{VK_END}}, {{}, 1}, {{'S'}}, {{VK_MENU, VK_DOWN}}, {{VK_DOWN}}, {{VK_TAB}}});
    EXPECT_EQ(form->Box.Text(), "Tiled") << "the row moved to in the open list is taken when the focus leaves";
    EXPECT_EQ(changes, int(std::count(form->notices[form->Box.Handle()].begin(),
                                      form->notices[form->Box.Handle()].end(), WORD(CBN_SELCHANGE))));
    std::vector<WindowReading> read = ReadFromOtherProcess({form->Box.Handle()});
    EXPECT_EQ(read[0]["rows"], "Centred|Stretched|Tiled|Fit 2 Screen|Mirror");
}

TEST_F(SideBySide, FileListTypesAheadAndSelectsAsTheSystemsListDoes) {
    ExpectAlike(form->Files.Handle(), form->SystemFiles,
                {{{}, 0, {20, 5}}, {{'C'}}, {{'C'}}, {{VK_DOWN}}, {{VK_SHIFT, VK_UP}}, {{'X'}}, {{}, -1}});
    std::vector<WindowReading> read = ReadFromOtherProcess({form->Files.Handle()});
    EXPECT_EQ(read[0]["rows"], "alpha.bmp|apple.bmp|bravo.bmp|charlie.bmp|cobalt.bmp|delta.bmp");
    EXPECT_EQ(read[0]["focus"], "4") << "C: charlie, C again: cobalt, then Down and Shift+Up";
}
