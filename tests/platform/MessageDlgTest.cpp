// The real message box under Wine, answered from a timer the way a user would answer it.
#include "platform/MessageDlg.h"
#include "tests/support/RealMessageBoxes.h"
#include "tests/support/WineFixture.h"

#include <vector>

namespace {
SeenBox seen;

TModalResult ShowAndPress(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons, UINT key) {
    RealMessageBoxes boxes({key == VK_ESCAPE ? BoxAnswer::Escape : BoxAnswer::Enter});
    const TModalResult result = MessageDlg(text, type, buttons);
    seen = boxes.seen.empty() ? SeenBox{} : boxes.seen[0];
    return result;
}

class MessageBoxes : public WineFixture {};
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
