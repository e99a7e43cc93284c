// The real message box under Wine, answered from a timer the way a user would answer it.
#include "platform/MessageDlg.h"
#include "tests/support/WineFixture.h"

#include <vector>

namespace {
struct SeenBox {
    std::string title;
    std::vector<std::string> texts;   // static texts
    std::vector<std::string> buttons; // button captions, left to right
    int defaultId = 0;
    RECT rect{};
    UINT key = 0; // the key to press
};
SeenBox seen;

BOOL CALLBACK ReadChild(HWND child, LPARAM) {
    char name[32] = {}, text[512] = {};
    GetClassNameA(child, name, sizeof(name));
    GetWindowTextA(child, text, sizeof(text));
    if (lstrcmpiA(name, "Button") == 0) seen.buttons.push_back(text);
    if (lstrcmpiA(name, "Static") == 0 && *text) seen.texts.push_back(text);
    return TRUE;
}

void CALLBACK AnswerBox(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND box = GetActiveWindow();
    char name[32] = {};
    GetClassNameA(box, name, sizeof(name));
    if (std::string(name) != "#32770") return;
    KillTimer(nullptr, timer);
    char title[64] = {};
    GetWindowTextA(box, title, sizeof(title));
    seen.title = title;
    EnumChildWindows(box, ReadChild, 0);
    seen.defaultId = LOWORD(SendMessageA(box, DM_GETDEFID, 0, 0));
    GetWindowRect(box, &seen.rect);
    PostMessageA(GetFocus(), WM_KEYDOWN, seen.key, 1);
}

TModalResult ShowAndPress(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons, UINT key) {
    seen = SeenBox{};
    seen.key = key;
    SetTimer(nullptr, 0, 20, AnswerBox);
    return MessageDlg(text, type, buttons);
}

class MessageBoxes : public WineFixture {
protected:
    void SetUp() override {
        WineFixture::SetUp();
        SetMessageResponder(nullptr); // the real box
    }
};
} // namespace

TEST_F(MessageBoxes, YesIsTheDefaultAndEscapeAnswersNo) {
    EXPECT_EQ(ShowAndPress("Question?", TMsgDlgType::Warning, mbYesNo, VK_ESCAPE), mrNo);
    EXPECT_EQ(seen.title, "Warning");
    EXPECT_EQ(seen.buttons, (std::vector<std::string>{"&Yes", "&No"}));
    EXPECT_EQ(seen.defaultId, IDYES);
    EXPECT_EQ(ShowAndPress("Question?", TMsgDlgType::Warning, mbYesNo, VK_RETURN), mrYes);
}

TEST_F(MessageBoxes, ConfirmationWithCancelShowsTheTextWithItsLineBreak) {
    EXPECT_EQ(
        ShowAndPress("Changes not saved!\n\rSave before exit?", TMsgDlgType::Confirmation, mbYesNoCancel, VK_ESCAPE),
        mrCancel);
    EXPECT_EQ(seen.title, "Confirm");
    EXPECT_EQ(seen.buttons, (std::vector<std::string>{"&Yes", "&No", "Cancel"}));
    ASSERT_EQ(seen.texts.size(), 1u);
    EXPECT_EQ(seen.texts[0], "Changes not saved!\r\nSave before exit?");
}

TEST_F(MessageBoxes, KindsGiveTheirTitlesAndTheBoxIsCentred) {
    const std::pair<TMsgDlgType, const char*> kinds[] = {{TMsgDlgType::Error, "Error"},
                                                         {TMsgDlgType::Information, "Information"}};
    for (auto [type, title] : kinds) {
        SCOPED_TRACE(title);
        EXPECT_EQ(ShowAndPress("Done.", type, mbOK, VK_RETURN), mrOk);
        EXPECT_EQ(seen.title, title);
        EXPECT_EQ(seen.buttons, std::vector<std::string>{"OK"});
        int centreX = (seen.rect.left + seen.rect.right) / 2, centreY = (seen.rect.top + seen.rect.bottom) / 2;
        EXPECT_NEAR(centreX, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
        EXPECT_NEAR(centreY, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
    }
}
