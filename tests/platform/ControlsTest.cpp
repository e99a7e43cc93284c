// Controls under Wine: speed buttons, labels, hints.
#include "platform/Controls.h"
#include "platform/Form.h"
#include "platform/ListControls.h"
#include "platform/WaitCursor.h"
#include "tests/support/WineFixture.h"

#include <commctrl.h>

#include <stdexcept>

namespace {
constexpr const char* kWideCaption = "Run Randomizer at Start-Up";

class ControlForm : public TForm {
public:
    ControlForm() {
        ClientWidth = 300;
        ClientHeight = 200;
        VisibleAtCreation = true;
        ShowHint = true;
    }
    TSpeedButton One, Two;
    TLabel Left, Right;
    TButton Button;
    TCheckBox Wide;
    std::vector<std::string> clicks;

protected:
    void BuildControls() override {
        int left = 0;
        for (TSpeedButton* b : {&One, &Two}) {
            b->Create(*this, {left += 50, 10, 40, 20}, "");
            b->OnClick = [this, b] { clicks.push_back(b == &One ? "One" : "Two"); };
        }
        One.SetDown(true);
        Left.SetHint("a label's hint");
        Left.Create(*this, {10, 50, 0, 0}, "Drive:");
        Right.Alignment = TAlignment::Right;
        Right.Create(*this, {100, 80, 100, 13}, "");
        Right.SetCaption("12 / 345");
        Button.SetHint("a button's hint");
        Button.Create(*this, {200, 120, 80, 25}, "");
        Wide.Create(*this, {260, 160, 40, 17}, kWideCaption);
    }
};

class Controls : public WineFixture {
protected:
    void SetUp() override {
        WineFixture::SetUp();
        form = &Application().CreateForm<ControlForm>();
    }
    ControlForm* form = nullptr;
};
} // namespace

TEST_F(Controls, SpeedButtonsShowTheDownOneAsPushedAndLeaveTheFocusWhereItWas) {
    HWND one = form->One.Handle(), two = form->Two.Handle();
    auto pushed = [](HWND button) { return (SendMessageA(button, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0; };
    auto tabStop = [](HWND button) { return (GetWindowLongA(button, GWL_STYLE) & WS_TABSTOP) != 0; };
    form->Button.SetFocus();
    ClickAt(form->Two, 5, 5);
    EXPECT_TRUE(pushed(two));
    EXPECT_FALSE(pushed(one)) << "one button of a group is down";
    EXPECT_TRUE(tabStop(two) && !tabStop(one)) << "the down button holds the group's tab stop";
    EXPECT_TRUE(form->Button.Focused()) << "a click leaves the focus where it was";
    ClickAt(form->Two, 5, 5);
    EXPECT_TRUE(pushed(two)) << "pressing the down button leaves it down";
    EXPECT_EQ(form->clicks, (std::vector<std::string>{"Two", "Two"}));

    // Pressed, then released away from the button: no click, and the down button stays down.
    SendMessageA(one, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_TRUE(pushed(one)) << "pushed while pressed";
    SendMessageA(one, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(250, 150));
    SendMessageA(one, WM_LBUTTONUP, 0, MAKELPARAM(250, 150));
    EXPECT_EQ(form->clicks.size(), 2u);
    EXPECT_FALSE(pushed(one));
    EXPECT_TRUE(pushed(two));
    EXPECT_NE(GetCapture(), one);
}

TEST_F(Controls, LabelsTakeTheSizeOfTheirText) {
    EXPECT_GT(form->Left.Width(), 10);
    EXPECT_EQ(form->Left.Bounds().left, 10);
    int right = 100 + 100;
    EXPECT_EQ(form->Right.Bounds().left + form->Right.Width(), right) << "a right-aligned label keeps its right edge";
    form->Right.SetCaption("1 / 2");
    EXPECT_EQ(form->Right.Bounds().left + form->Right.Width(), right);
}

// In a wider font (the host's, where "MS Shell Dlg" falls back to a wider face) a caption may not
// fit beside its control: the form grows to hold it, at the screen's scale. The labels that fit
// moved nothing.
TEST_F(Controls, ACaptionBeyondTheFormsEdgeWidensTheForm) {
    const int needed = Scaled(260) + TCheckBox::CaptionLeft() + TextExtent(TFontSpec{}, kWideCaption).cx;
    const int client = form->ClientRect().right;
    EXPECT_EQ(client, std::max(Scaled(300), needed));
    EXPECT_EQ(form->Wide.Bounds().left + form->Wide.Width(), client);
    EXPECT_EQ(form->Left.Bounds().left, 10);
}

TEST_F(Controls, LabelsGetTheTextColourWithTheBackground) {
    // As in a high-contrast scheme, where the default black text would not show on the background.
    UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    SetTextColor(dc.Get(), RGB(1, 2, 3));
    SendMessageA(form->Handle(), WM_CTLCOLORSTATIC, WPARAM(dc.Get()), LPARAM(form->Left.Handle()));
    EXPECT_EQ(GetTextColor(dc.Get()), GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(GetBkColor(dc.Get()), GetSysColor(COLOR_BTNFACE));
}

TEST_F(Controls, HintsAreRegisteredWhenTheMouseFirstComes) {
    EXPECT_EQ(form->HintWindow(), nullptr);
    SendMessageA(form->Handle(), WM_SETCURSOR, WPARAM(form->Handle()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    ASSERT_NE(form->HintWindow(), nullptr);
    EXPECT_EQ(SendMessageA(form->HintWindow(), TTM_GETTOOLCOUNT, 0, 0), 2) << "the label and the button";
    form->Left.SetVisible(false);
    EXPECT_EQ(SendMessageA(form->HintWindow(), TTM_GETTOOLCOUNT, 0, 0), 1) << "a hidden control shows no hint";
    form->Button.SetHint("");
    EXPECT_EQ(SendMessageA(form->HintWindow(), TTM_GETTOOLCOUNT, 0, 0), 0);
}

namespace {
class ActivatedForm : public TForm {
public:
    ActivatedForm() { VisibleAtCreation = true; }
    int activations = 0;

protected:
    void FormActivate() override { ++activations; }
};
} // namespace

TEST_F(Controls, ActivationRunsTheFormsHandler) {
    auto& other = Application().CreateForm<ActivatedForm>();
    int before = other.activations;
    SetActiveWindow(form->Handle());
    SetActiveWindow(other.Handle());
    EXPECT_EQ(other.activations, before + 1);
}

TEST_F(Controls, AnActivatedFormWithoutFocusableControlsHasTheKeyboardFocus) {
    auto& other = Application().CreateForm<ActivatedForm>();
    BringToFront(*form);
    // Activated by a click on its title bar, as the user switches to it.
    RECT frame;
    GetWindowRect(other.Handle(), &frame);
    POINT title{frame.left + 40, frame.top + GetSystemMetrics(SM_CYCAPTION) / 2 + 3};
    MouseDrag(title, title);
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == other.Handle(); }));
    EXPECT_TRUE(WaitUntil([&] { return GetFocus() == other.Handle(); })) << "focus on " << GetFocus();
}

// The wait cursor's guard: shown while any guard is held, put back by the outermost, on every way
// out; the program's windows, and the controls in them, answer WM_SETCURSOR with it meanwhile.
TEST_F(Controls, WaitCursorIsShownUntilTheOutermostGuardEnds) {
    const HCURSOR wait = LoadCursor(nullptr, IDC_WAIT), arrow = LoadCursor(nullptr, IDC_ARROW);
    SetCursor(arrow);
    const int before = TWaitCursor::TimesShown();
    {
        TWaitCursor outer;
        EXPECT_EQ(GetCursor(), wait);
        for (HWND window : {form->Handle(), form->Button.Handle()}) {
            SetCursor(arrow);
            SendMessageA(window, WM_SETCURSOR, WPARAM(window), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
            EXPECT_EQ(GetCursor(), wait) << "the window keeps the wait cursor up";
        }
        try {
            TWaitCursor inner;
            throw std::runtime_error("failed");
        } catch (const std::runtime_error&) {
        }
        EXPECT_TRUE(TWaitCursor::Held()) << "an inner guard's end leaves it";
    }
    EXPECT_EQ(TWaitCursor::TimesShown(), before + 1) << "nested guards show it once";
    EXPECT_FALSE(TWaitCursor::Held());
    EXPECT_EQ(GetCursor(), arrow) << "the outermost puts back what it found";
    SendMessageA(form->Handle(), WM_SETCURSOR, WPARAM(form->Handle()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_NE(GetCursor(), wait);
}
