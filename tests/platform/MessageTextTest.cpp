#include "platform/MessageText.h"

#include <gtest/gtest.h>

TEST(MessageText, TitlesFollowTheKind) {
    EXPECT_STREQ(DialogTitle(TMsgDlgType::Warning), "Warning");
    EXPECT_STREQ(DialogTitle(TMsgDlgType::Error), "Error");
    EXPECT_STREQ(DialogTitle(TMsgDlgType::Information), "Information");
    EXPECT_STREQ(DialogTitle(TMsgDlgType::Confirmation), "Confirm");
}

TEST(MessageText, ButtonsOrderDefaultAndEscape) {
    auto buttons = DialogButtons(mbCancel | mbNo | mbYes);
    ASSERT_EQ(buttons.size(), 3u);
    EXPECT_EQ(buttons[0].result, mrYes); // first is the default
    EXPECT_EQ(buttons[1].result, mrNo);
    EXPECT_EQ(buttons[2].result, mrCancel);
    EXPECT_EQ(EscapeResult(mbYesNoCancel), mrCancel);
    EXPECT_EQ(EscapeResult(mbYesNo), mrNo);
    EXPECT_EQ(EscapeResult(mbOK), mrOk);
    EXPECT_EQ(DialogButtons(0).size(), 1u);
}

TEST(MessageText, LineFeedCarriageReturnIsOneBreak) {
    EXPECT_EQ(DisplayText("Changes not saved!\n\rSave before exit?"), "Changes not saved!\r\nSave before exit?");
    EXPECT_EQ(DisplayText("a\n\r\n\rb"), "a\r\n\r\nb"); // a blank line stays a blank line
    EXPECT_EQ(DisplayText("a\nb\rc\r\nd"), "a\r\nb\r\nc\r\nd");
}
