#pragma once
// The full-screen preview window: created hidden at start-up, shown from the preview pane. It shows
// the main window's preview picture as the system would show it: a screen stretched over the
// screen (or, "As Windows Shows It", in the 4:3 frame the system gives it, the start-up screen's
// bar moving), a wallpaper laid out in the style chosen in the main window, read from its file as
// far as the screen shows it. It shows what the main window's model holds; applying it is the main
// window's business.
#include "pictures/ShownScreen.h"
#include "pictures/WallpaperStyles.h"
#include "platform/Controls.h"
#include "platform/Menus.h"

#include <array>
#include <cstdint>

class TFormSelect;

class TFormPreview : public TForm {
public:
    explicit TFormPreview(TFormSelect& main);

    TImage ImgPreview;

    TPopupMenu PopMPreview;
    TMenuItem Returntomain1, Fileinfo1, N1, Centred1, Stretched1, Tiled1, Fit2Screen1, Mirror1, Fill1,
        AsWindowsShowsIt1, N2, SetascurrentScreen1, SetascurrentWallpaper1, Returntomainwithoutchange1;

    // Maximizes the window and lays the picture out anew; runs at every activation.
    void FormActivate() override;
    // Lays the image out for the category and style.
    void LayoutPicture();
    void CheckStyleItems();
    void StyleClick(TMenuItem* sender);
    // Back to the main window; in the wallpaper category the chosen style goes to the selected
    // wallpaper entries first.
    void Returntomain1Click();
    void Returntomainwithoutchange1Click();
    void SetasCurrentClick();
    void Fileinfo1Click();
    // Switches between a screen stretched over the window and the screen as the system shows it.
    void AsWindowsShowsIt1Click();
    // One step of the shown start-up screen's palette rotation, painted at once: the timer's work.
    void AnimationStep();
    // The first palette entry that turns in the screen shown; 0 while it stays still.
    int RotationStart() const { return rotationStart_; }

    // The layout LayoutPicture made last.
    const ImageLayout& Layout() const { return layout_; }
    // The item of the style at the index of the style table.
    TMenuItem* StyleItem(int index);

protected:
    void BuildControls() override;
    void FormResize() override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    bool ReadWallpaper(UniqueBitmap& read);
    UniqueBitmap ShownBitmap(HBITMAP picture) const;
    // Turns the palette of the shown screen when it is the start-up screen with a rotation; the
    // timer runs only while the window shows such a screen.
    void StartAnimation();
    void StopAnimation();

    TFormSelect& main_;
    ImageLayout layout_;
    int rotationStart_ = 0;
    RowSpan turningRows_;                      // the rows of the picture that hold turning entries, top row first
    std::array<std::uint32_t, 256> colours_{}; // the shown screen's colour table, as far as it has turned
};
