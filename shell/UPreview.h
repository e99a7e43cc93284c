#pragma once
// The full-screen preview window: created hidden at start-up, shown from the preview pane. It shows
// the main window's preview picture as the system would show it: a screen stretched over the
// screen (or, "As Windows Shows It", in the 4:3 frame the system gives it, the start-up screen's
// bar moving), a wallpaper laid out in the style chosen in the main window, read from its file as
// far as the screen shows it. It shows what the main window's model holds and acts through the main
// window's actions.
#include "pictures/ShownScreen.h"
#include "pictures/WallpaperStyles.h"
#include "platform/Controls.h"
#include "platform/Form.h"
#include "platform/Menus.h"
#include "platform/MonitorRect.h"
#include "shell/PreviewActions.h"
#include "shell/SelectModel.h"

#include <array>
#include <cstdint>

class TFormPreview : public TForm {
public:
    TFormPreview(SelectModel& model, PreviewActions& actions);

    // The window's commands; a style's is the first style's and its index in the style table.
    enum Command { cmReturn = 1, cmFileInfo, cmAsWindowsShowsIt, cmSetAsCurrent, cmFirstStyle };
    static int StyleCommand(int index) { return cmFirstStyle + index; }

    TImage ImgPreview;

    TPopupMenu PopMPreview;
    TMenuItem Returntomain1, Fileinfo1, N1, Centred1, Stretched1, Tiled1, Fit2Screen1, Mirror1, Fill1,
        AsWindowsShowsIt1, N2, SetascurrentScreen1, SetascurrentWallpaper1;

    // Maximizes the window and lays the picture out anew; runs at every activation.
    void FormActivate() override;
    // Lays the image out for the category and style.
    void LayoutPicture();
    // The style items' check marks and what the menu offers, for the category and the style.
    void UpdateCommands() override;
    void StyleClick(WallpaperStyle style);
    // Back to the main window; in the wallpaper category the chosen style goes to the selected
    // wallpaper entries first.
    void Returntomain1Click();
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
    MonitorRect MainMonitor() const;
    bool ReadWallpaper(UniqueBitmap& read);
    UniqueBitmap ShownBitmap(HBITMAP picture) const;
    // Turns the palette of the shown screen when it is the start-up screen with a rotation; the
    // timer runs only while the window shows such a screen.
    void StartAnimation();
    void StopAnimation();

    SelectModel& model_;
    PreviewActions& actions_;
    ImageLayout layout_;
    int rotationStart_ = 0;
    RowSpan turningRows_;                      // the rows of the picture that hold turning entries, top row first
    std::array<std::uint32_t, 256> colours_{}; // the shown screen's colour table, as far as it has turned
};
