// The preview pane under Wine: real bitmap files in a fresh folder, chosen in the real browser.
#include "pictures/PictureText.h"
#include "tests/support/BrowserInput.h"
#include "tests/support/EncodedPictures.h"
#include "tests/support/TestPictures.h"
#include "tests/support/MainWindowFixture.h"
#include "tests/support/TestFiles.h"

#include <commctrl.h>

#include <cstring>
#include <fstream>

namespace {
class Preview : public MainWindowFixture {
protected:
    void SetUp() override {
        WineFixture::SetUp();
        root = MakeTestFolder("vsp");
        Write("screen.bmp", BitmapFile(320, 400, 8));
        Write("deep.bmp", BitmapFile(320, 400, 24));
        Write("high.bmp", BitmapFile(64, 40, 16));
        Write("wide.bmp", BitmapFile(640, 480, 8));
        Write("text.bmp", "This is no picture.");
        Write("empty.bmp", "");
        Start();
        form->ApplyBrowserPath(root);
    }

    void TearDown() override {
        ResetApplication();
        for (const char* name :
             {"screen.bmp", "deep.bmp", "high.bmp", "wide.bmp", "text.bmp", "empty.bmp", "photo.jpg", "turned.jpg"})
            DeleteFileA((root + "\\" + name).c_str());
        RemoveDirectoryA(root.c_str());
        WineFixture::TearDown();
    }

    void Write(const std::string& name, const std::string& bytes) {
        std::ofstream(root + "\\" + name, std::ios::binary) << bytes;
    }

    // Clicks a file of the browser: it alone is selected and has the focus.
    void Choose(const std::string& name) { ChooseInBrowser(*form, name); }

    std::string Name() const { return form->PnlPreviewName.Caption(); }
    bool Red() const { return form->PnlPreviewName.Color() == clRed; }
    const TPicture& Picture() const { return form->ImgPreview.Picture(); }

    std::string root;
};
} // namespace

TEST_F(Preview, LoadPictureResultCodes) {
    TPicture& picture = form->ImgPreview.Picture();
    EXPECT_EQ(picture.Width(), 160) << "the picture stored with the form";
    EXPECT_EQ(picture.Height(), 100);
    EXPECT_EQ(PixelFormatName(picture.Format()), "8");

    EXPECT_EQ(form->LoadPicture(root + "\\screen.bmp", picture), 0);
    EXPECT_EQ(picture.Width(), 320);
    EXPECT_EQ(picture.Height(), 400);
    EXPECT_EQ(PixelFormatName(picture.Format()), "8");

    EXPECT_EQ(form->LoadPicture(root + "\\missing.bmp", picture), 10);
    EXPECT_EQ(form->LoadPicture(root + "\\text.bmp", picture), 100);
    EXPECT_EQ(picture.Width(), 320) << "a failed load leaves the picture as it was";

    EXPECT_EQ(form->LoadPicture(root + "\\deep.bmp", picture), 0);
    EXPECT_EQ(PixelFormatName(picture.Format()), "24");
    EXPECT_EQ(form->LoadPicture(root + "\\empty.bmp", picture), 0);
    EXPECT_EQ(picture.Width(), 0) << "a zero-byte file is an empty picture";
    EXPECT_EQ(picture.Height(), 0);
}

TEST_F(Preview, ChosenFileIsShownWithItsNameRedWhenTheSizeIsWrong) {
    Choose("screen.bmp");
    EXPECT_EQ(Name(), root + "\\screen.bmp");
    EXPECT_TRUE(Shown(form->ImgPreview));
    EXPECT_FALSE(Red());
    EXPECT_EQ(form->ImgPreview.Hint(), "Size : 320 X 400");
    EXPECT_EQ(form->PnlPreviewName.Hint(), Name());
    EXPECT_TRUE(Enabled(form->BtnAdd));

    Choose("wide.bmp");
    EXPECT_TRUE(Red());
    EXPECT_EQ(Text(form->ImgPreview), "Preview: wide.bmp") << "the picture's name, for screen readers";
    EXPECT_EQ(form->ImgPreview.Hint(), "Size : 640 X 480");
    Choose("deep.bmp");
    EXPECT_FALSE(Red()) << "the depth plays no part in the colour";
    Choose("text.bmp");
    EXPECT_EQ(Name(), root + "\\text.bmp") << "a failed load still names the file";
    EXPECT_EQ(Text(form->ImgPreview), "Preview: text.bmp");
    EXPECT_EQ(form->ImgPreview.Hint(), "Size : 320 X 400") << "and shows the picture held before";
}

TEST_F(Preview, AFileAlreadyPreviewedIsNotReadAgain) {
    Choose("screen.bmp");
    Write("screen.bmp", BitmapFile(640, 480, 8));
    Choose("screen.bmp");
    EXPECT_EQ(Picture().Width(), 320) << "the same path costs no reading";
    Choose("deep.bmp");
    Choose("screen.bmp");
    EXPECT_EQ(Picture().Width(), 640);
    EXPECT_TRUE(Red());
}

TEST_F(Preview, ModesDecideWhatThePaneFollows) {
    form->ChangePreviewOn(PreviewMode::SelectedOnly);
    EXPECT_EQ(int(form->Model.options.previewMode), 20);
    EXPECT_TRUE(form->PreviewSelectedOnly1.Checked());
    EXPECT_FALSE(form->PreviewBoth1.Checked());
    Choose("screen.bmp");
    EXPECT_EQ(Name(), "No File Selected") << "the browser is not followed";
    EXPECT_TRUE(Enabled(form->BtnAdd)) << "but the add button still follows the choice";

    form->ChangePreviewOn(PreviewMode::ChooseOnly);
    Choose("screen.bmp");
    EXPECT_EQ(Name(), root + "\\screen.bmp");
    form->ChangePreviewOn(PreviewMode::None);
    EXPECT_EQ(int(form->Model.options.previewMode), 0);
    EXPECT_EQ(Name(), root + "\\screen.bmp") << "switching the mode leaves the picture on view";

    form->ChangePreviewOn(PreviewMode::Both);
    SendMessageA(form->FileListBox1.Handle(), LB_SETSEL, FALSE, -1);
    SendMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(0, LBN_SELCHANGE), LPARAM(form->FileListBox1.Handle()));
    EXPECT_EQ(Name(), "No File Selected") << "nothing chosen empties the pane";
    EXPECT_FALSE(Shown(form->ImgPreview));
    EXPECT_EQ(form->ImgPreview.Hint(), "");
    EXPECT_FALSE(Enabled(form->BtnAdd));
}

TEST_F(Preview, SelectedListEntryIsPreviewedNeverRed) {
    form->AddEntry(Category::Start, {"wide.bmp", root});
    form->AddEntry(Category::Start, {"screen.bmp", root + "\\"});
    form->ListStart.SetSelected(0, true);
    form->ViewSelected();
    EXPECT_EQ(Name(), root + "\\screen.bmp") << "one backslash between path and name";
    form->ListStart.SetSelected(1, true);
    LVITEMA focus = {};
    focus.stateMask = LVIS_FOCUSED;
    focus.state = LVIS_FOCUSED;
    SendMessageA(form->ListStart.Handle(), LVM_SETITEMSTATE, 1, LPARAM(&focus));
    form->ListStart.SetSelected(1, false);
    form->ViewSelected();
    EXPECT_EQ(Name(), root + "\\wide.bmp") << "the focused entry, even unselected";
    EXPECT_FALSE(Red());
}

TEST_F(Preview, WallpaperEntryShowsItsStyleInEveryMode) {
    ClickAt(form->sbtnWall, 5, 5);
    form->ChangePreviewOn(PreviewMode::None);
    form->AddEntry(Category::Wall, {"wide.bmp", root, "Tiled"});
    form->ListWall.SetSelected(0, true);
    form->ViewSelected();
    EXPECT_EQ(form->CBStyle.Text(), "Tiled");
    EXPECT_TRUE(form->SelectionTracking);
    EXPECT_EQ(Name(), "No File Selected");
}

TEST_F(Preview, DoubleClicksAndFileInformation) {
    answers = {mrOk};
    form->ImgPreviewDblClick();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "No Preview Available.\x0A\x0DSelect a file first.");
    EXPECT_EQ(boxes[0].type, TMsgDlgType::Information);
    EXPECT_FALSE(form->FormPreview->Showing());

    Choose("screen.bmp");
    answers = {mrOk};
    form->SizeClick();
    EXPECT_EQ(boxes.back().text, "Size : 320 X 400\x0A\x0D"
                                 "Bits per pixel : 8\x0A\x0D"
                                 "No animation\x0A\x0D");
    for (int i = 0; i < 2; ++i) {
        form->PopMFileInfoPopup();
        EXPECT_EQ(form->Size.Caption(), "Size : 320 X 400");
    }
    ClickAt(form->ImgPreview, 10, 10, true);
    EXPECT_TRUE(form->FormPreview->Showing()) << "a double click on the picture opens the full-screen window";
    ClickAt(form->FormPreview->ImgPreview, 10, 10);
    EXPECT_FALSE(form->FormPreview->Showing()) << "a click on its picture returns to the main window";
    EXPECT_TRUE(form->Showing());
}

TEST_F(Preview, WallpapersAreReadThroughThePictureLibrary) {
    ClickAt(form->sbtnWall, 5, 5);
    TPicture& picture = form->ImgPreview.Picture();
    EXPECT_EQ(form->LoadPicture(root + "\\deep.bmp", picture), 0);
    EXPECT_EQ(picture.Width(), 320);
    EXPECT_EQ(picture.Height(), 400);
    EXPECT_EQ(form->LoadPicture(root + "\\text.bmp", picture), 0) << "the library made no picture: still success";
    EXPECT_EQ(picture.Width(), 0);
    EXPECT_EQ(picture.Height(), 0);
    Choose("wide.bmp");
    EXPECT_FALSE(Red()) << "a wallpaper is never shown in red";
}

// The pane holds a camera photo no larger than it shows it, upright as its EXIF orientation turns
// it; all the user is told comes from the file.
TEST_F(Preview, ALargeJpegIsHeldReducedAndDescribedByItsFile) {
    const struct {
        const char* file;
        int orientation, width, height;
    } cases[] = {{"photo.jpg", 1, 4000, 3000}, {"turned.jpg", 6, 3000, 4000}};
    for (const auto& c : cases)
        Write(c.file, EncodeJpeg(Pixels32(4000, 3000), {90, false, c.orientation}));
    ClickAt(form->sbtnWall, 5, 5);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        Choose(c.file);
        ASSERT_EQ(Name(), root + "\\" + c.file);
        const TImage& pane = form->ImgPreview;
        EXPECT_GE(Picture().Width(), pane.Width()) << "it covers the pane";
        EXPECT_GE(Picture().Height(), pane.Height());
        EXPECT_TRUE(Picture().Width() == pane.Width() || Picture().Height() == pane.Height()) << "and no more";
        EXPECT_EQ(Picture().Width() < Picture().Height(), c.width < c.height) << "upright";
        EXPECT_EQ(pane.Hint(), SizeText(c.width, c.height)) << "the tool-tip";
        form->PopMFileInfoPopup();
        EXPECT_EQ(form->Size.Caption(), SizeText(c.width, c.height)) << "the menu";
        answers = {mrOk};
        form->SizeClick();
        ASSERT_FALSE(boxes.empty());
        EXPECT_EQ(boxes.back().text, FileInfoText(c.width, c.height, PixelFormat::Bits32)) << "Info about file";
    }
}

TEST_F(Preview, SixteenBitBitmapWithoutMasksIsFifteenInEveryCategory) {
    for (TSpeedButton* category : {&form->sbtnStart, &form->sbtnWait, &form->sbtnShut, &form->sbtnWall}) {
        ClickAt(*category, 5, 5);
        SCOPED_TRACE(int(form->Model.activeCategory));
        TPicture& picture = form->ImgPreview.Picture();
        ASSERT_EQ(form->LoadPicture(root + "\\high.bmp", picture), 0);
        EXPECT_EQ(picture.Width(), 64);
        EXPECT_EQ(PixelFormatName(picture.Format()), "15");
    }
}

TEST_F(Preview, MissingPictureLibraryIsAFailedLoad) {
    ClickAt(form->sbtnWall, 5, 5);
    TPicture& picture = form->ImgPreview.Picture();
    form->LoadPicture(root + "\\screen.bmp", picture); // whatever the library does, the picture is known
    int width = picture.Width();
    form->PictureLibrary.reset();
    form->ProgramDir = root + "\\"; // a folder without the library
    EXPECT_EQ(form->LoadPicture(root + "\\deep.bmp", picture), 100);
    EXPECT_EQ(picture.Width(), width) << "the picture stays as it was";
}
