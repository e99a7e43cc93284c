// The About box under Wine, closed the ways users and their tools close it: a button pressed by
// another thread, a close sent from outside, the access key, Enter and Escape.
#include "shell/UAbout.h"
#include "tests/support/MainWindowFixture.h"

namespace {
class AboutBox : public MainWindowFixture {
protected:
    void SetUp() override {
        WineFixture::SetUp();
        Start();
        about = &Application().CreateForm<TAboutBox>(form->VersionText, form->BuildText);
        about->EnsureCreated(); // the box's window is needed before its first show
        form->AboutBox = about;
    }

    // Shows the box modally while a second thread waits for it to be in front, acts, and gives the
    // modal loop a few seconds to end. A loop that did not end is closed from outside, and the
    // test fails through `late`.
    TModalResult ShowWhile(const std::function<void(HWND box)>& act) {
        HWND box = about->Handle();
        UniqueKernelHandle ended(CreateEventA(nullptr, TRUE, FALSE, nullptr));
        late = false;
        inFront = false;
        OtherThread user([&] {
            inFront = OtherThread::WaitFor([&] { return IsWindowVisible(box) && GetForegroundWindow() == box; });
            // Acts only once the program waits for input, so nothing else that arrives can end the loop.
            WaitForInputIdle(GetCurrentProcess(), 2000);
            act(box);
            if (WaitForSingleObject(ended.Get(), 3000) != WAIT_OBJECT_0) {
                late = true;
                PostMessageA(box, WM_CLOSE, 0, 0);
            }
        });
        form->About1Click();
        SetEvent(ended.Get());
        EXPECT_TRUE(user.Join());
        EXPECT_TRUE(inFront) << "the box never came to the front";
        EXPECT_FALSE(about->Showing());
        EXPECT_TRUE(IsWindowEnabled(form->Handle())) << "the main window works again";
        return about->ModalResult;
    }

    TAboutBox* about = nullptr;
    bool late = false;
    bool inFront = false;
};
} // namespace

TEST_F(AboutBox, ButtonPressedBySentBmClickClosesItAtOnce) {
    HWND ok = about->OKButton.Handle();
    EXPECT_EQ(ShowWhile([&](HWND) { SendMessageA(ok, BM_CLICK, 0, 0); }), mrOk);
    EXPECT_FALSE(late) << "the modal loop waited for other input after the button was pressed";
}

TEST_F(AboutBox, CloseSentFromAnotherThreadClosesItAtOnce) {
    EXPECT_EQ(ShowWhile([&](HWND box) { SendMessageA(box, WM_CLOSE, 0, 0); }), mrCancel);
    EXPECT_FALSE(late) << "the modal loop waited for other input after the close";
}

TEST_F(AboutBox, AccessKeyPressesOkWithAltAndAlone) {
    EXPECT_EQ(ShowWhile([&](HWND) { TypeKeys({VK_MENU, 'K'}); }), mrOk);
    EXPECT_FALSE(late) << "Alt+K did not press O&K";
    EXPECT_EQ(ShowWhile([&](HWND) { TypeKeys({'K'}); }), mrOk);
    EXPECT_FALSE(late) << "K alone did not press O&K, which has the focus and takes no characters";
}

TEST_F(AboutBox, EnterPressesOkAndEscapeClosesLikeTheCloseBox) {
    EXPECT_EQ(ShowWhile([&](HWND) { TypeKeys({VK_RETURN}); }), mrOk);
    EXPECT_FALSE(late);
    EXPECT_EQ(ShowWhile([&](HWND) { TypeKeys({VK_ESCAPE}); }), mrCancel);
    EXPECT_FALSE(late) << "Escape did not close the box";
    EXPECT_EQ(ShowWhile([&](HWND) { TypeKeys({'X'}); }), mrCancel);
    EXPECT_TRUE(late) << "a letter that is no access key must do nothing";
}
