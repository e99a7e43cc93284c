// The start-up under Wine: splash screen, version and build, caption, the other windows, About box.
#include "platform/Guard.h"
#include "shell/StartUp.h"
#include "shell/UAbout.h"
#include "shell/UOpstartScherm.h"
#include "shell/UPreview.h"
#include "shell/USelect5.h"
#include "tests/support/WineFixture.h"

#include <fstream>

namespace {
BOOL CALLBACK CountForm(HWND hwnd, LPARAM counter) {
    char name[64] = {};
    GetClassNameA(hwnd, name, sizeof(name));
    if (std::string(name) == TForm::kFormClassName) ++*reinterpret_cast<int*>(counter);
    return TRUE;
}

// The forms of this thread that are still alive.
int CountForms() {
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountForm, LPARAM(&count));
    return count;
}

class StartUpTest : public WineFixture {};
} // namespace

TEST_F(StartUpTest, SplashReadsVersionAndBuildFromTheProgram) {
    TFormOpstartScherm splash(Application().ExeName());
    splash.Create();
    EXPECT_EQ(splash.VersionText, "2.92");
    EXPECT_EQ(splash.BuildText, "12");
    EXPECT_EQ(Text(splash.LVersion), "Version : 2.92");
    EXPECT_EQ(Text(splash.LStatus), "Loading...");

    RECT client;
    GetClientRect(splash.Handle(), &client);
    EXPECT_EQ(client.right, 221);
    EXPECT_EQ(client.bottom, 141);
    EXPECT_EQ(GetWindowLongA(splash.Handle(), GWL_STYLE) & WS_CAPTION, 0) << "no border and no title bar";
    GetClientRect(splash.Panel4.Handle(), &client);
    EXPECT_EQ(client.right, 209);
    EXPECT_EQ(client.bottom, 129);
    EXPECT_EQ(splash.LStatus.Bounds(), (TBounds{0, 106, 209, 23}));
    EXPECT_EQ(splash.LVersion.Bounds(), (TBounds{0, 93, 209, 13}));
    BITMAP logo = {};
    ASSERT_TRUE(splash.Image1.Picture().Handle());
    GetObjectA(splash.Image1.Picture().Handle(), sizeof(logo), &logo);
    EXPECT_EQ(logo.bmWidth, 195);
    EXPECT_EQ(logo.bmHeight, 75);
    EXPECT_EQ(logo.bmBitsPixel, 8);
    splash.Destroy();
}

TEST_F(StartUpTest, SplashFallsBackWithoutVersionResource) {
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    std::string file = std::string(folder) + "vistrel-no-version.exe";
    std::ofstream(file, std::ios::binary) << "MZ not a program";
    TFormOpstartScherm splash(file);
    splash.Create();
    EXPECT_EQ(splash.VersionText, "2.7");
    EXPECT_EQ(splash.BuildText, "");
    EXPECT_EQ(Text(splash.LVersion), "Version : 2.7");
    splash.Destroy();
    DeleteFileA(file.c_str());
}

TEST_F(StartUpTest, CaptionGetsTheVersionAndTheSplashIsGone) {
    TFormSelect& main = StartUp(Application());
    EXPECT_EQ(Text(main), "Vistrel Selector 2.92");
    EXPECT_EQ(main.VersionText, "2.92");
    EXPECT_EQ(main.BuildText, "12");
    EXPECT_EQ(TForm::Main(), &main);
    EXPECT_EQ(Application().Title, "Vistrel Selector");
    EXPECT_EQ(Application().HelpFile, main.ProgramDir + "tanu.hlp");
    ASSERT_NE(main.FormPreview, nullptr);
    ASSERT_NE(main.AboutBox, nullptr);
    EXPECT_FALSE(main.FormPreview->Showing());
    EXPECT_FALSE(main.AboutBox->Showing());
    EXPECT_TRUE(main.Showing());
    EXPECT_EQ(main.FormPreview->Handle(), nullptr) << "hidden windows are made when first needed";
    EXPECT_EQ(main.AboutBox->Handle(), nullptr);
    EXPECT_EQ(CountForms(), 1) << "the splash is destroyed; the full-screen preview and About box wait";
    main.FormPreview->EnsureCreated();
    EXPECT_EQ(Text(*main.FormPreview), "Full screen Preview");
    EXPECT_FALSE(main.FormPreview->Showing());
    EXPECT_EQ(CountForms(), 2);
}

TEST_F(StartUpTest, AboutBoxShowsVersionAndBuildAndClosesWithEnter) {
    TFormSelect& main = StartUp(Application());
    TAboutBox& about = *main.AboutBox;
    about.EnsureCreated(); // read before its first show
    EXPECT_EQ(Text(about), "About");
    EXPECT_EQ(Text(about.ProductName), "Vistrel Selector");
    EXPECT_EQ(Text(about.Version), "Version 2.92");
    EXPECT_EQ(Text(about.LBuild), "Build 12");
    EXPECT_EQ(Text(about.OKButton), "O&K");
    RECT client;
    GetClientRect(about.Handle(), &client);
    EXPECT_EQ(client.right, 298);
    EXPECT_EQ(client.bottom, 320);
    EXPECT_TRUE(about.ProgramIcon.Picture().Handle()) << "the program's icon";

    // Enter, waiting in the queue, is handled by the modal loop and closes the box.
    PostMessageA(about.OKButton.Handle(), WM_KEYDOWN, VK_RETURN, 1);
    main.About1Click();
    EXPECT_EQ(about.ModalResult, mrOk);
    EXPECT_FALSE(about.Showing());
    EXPECT_TRUE(IsWindowEnabled(main.Handle())) << "the main window works again";

    // The close box closes it too, and it can be shown again.
    PostMessageA(about.Handle(), WM_CLOSE, 0, 0);
    main.About1Click();
    EXPECT_EQ(about.ModalResult, mrCancel);
    EXPECT_FALSE(about.Showing());
}

TEST_F(StartUpTest, AnErrorInAHandlerIsShownAndTheProgramGoesOn) {
    answers = {mrOk};
    Guard([] { throw std::runtime_error("Cannot create file C:\\X.BMP"); });
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Cannot create file C:\\X.BMP");
    EXPECT_EQ(boxes[0].type, TMsgDlgType::Error);
    EXPECT_EQ(boxes[0].buttons, unsigned(mbOK));
}
