#include "shell/UPreview.h"

#include "pictures/Transparency.h"
#include "pictures/Wallpaper.h"
#include "platform/Monitors.h"
#include "platform/WaitCursor.h"

#include <exception>
#include <new>

namespace {
constexpr UINT_PTR kAnimationTimer = 1;
}

TFormPreview::TFormPreview(SelectModel& model, PreviewActions& actions) : model_(model), actions_(actions) {
    Title = "Full screen Preview";
    ClientWidth = 320;
    ClientHeight = 200;
    BorderStyle = TBorderStyle::None;
    CreateWhenShown = true;
    // No tip covers the picture; its size is in the menu's "File info".
    SetColor(kSystemColor | COLOR_DESKTOP);
    PopupMenu = &PopMPreview;

    std::vector<TCommand> commands = {
        // Escape too, as every full-screen view leaves on it; the menu shows F3.
        {cmReturn, "Return to &main", ShortCut(vk::F3), [this] { Returntomain1Click(); }, ShortCut(vk::Escape)},
        {cmFileInfo, "File &info", CtrlKey('I'), [this] { Fileinfo1Click(); }},
        {cmAsWindowsShowsIt, "As &Windows Shows It", CtrlKey('W'), [this] { AsWindowsShowsIt1Click(); }},
        {cmSetAsCurrent, "Set as current &Screen", ShortCut(vk::F4), [this] { SetasCurrentClick(); }},
    };
    TMenuItem* menu = &PopMPreview.Items;
    std::vector<TMenuEntry> entries = {{menu, &Returntomain1, cmReturn}, {menu, &Fileinfo1, cmFileInfo}, {menu, &N1}};
    for (int i = 0; i < kWallpaperStyleCount; ++i) {
        const WallpaperStyleInfo& info = kWallpaperStyles[i];
        const WallpaperStyle style = info.style;
        commands.push_back(
            {StyleCommand(i), info.menuCaption, CtrlKey(info.shortCut), [this, style] { StyleClick(style); }});
        entries.push_back({menu, StyleItem(i), StyleCommand(i)});
    }
    entries.insert(entries.end(), {
                                      {menu, &AsWindowsShowsIt1, cmAsWindowsShowsIt},
                                      {menu, &N2},
                                      {menu, &SetascurrentScreen1, cmSetAsCurrent},
                                      {menu, &SetascurrentWallpaper1, cmSetAsCurrent, "Set as current &Wallpaper"},
                                  });
    MakeCommands(std::move(commands), entries);
    // With a picture smaller than the screen, or none, a click beside it returns as well.
    OnClick = [this] { Returntomain1Click(); };
}

void TFormPreview::BuildControls() {
    ImgPreview.SetAlign(TAlign::Client);
    ImgPreview.Create(*this, {0, 0, 320, 200});
    ImgPreview.PopupMenu = &PopMPreview;
    ImgPreview.OnClick = [this] { Returntomain1Click(); };
}

// The full-screen window is owned by the main window, and shows on its monitor.
MonitorRect TFormPreview::MainMonitor() const {
    HWND main = GetWindow(Handle(), GW_OWNER);
    return MonitorOfWindow(main ? main : Handle());
}

TMenuItem* TFormPreview::StyleItem(int index) {
    TMenuItem* byValue[kWallpaperStyleCount] = {&Centred1, &Stretched1, &Tiled1, &Fit2Screen1, &Mirror1, &Fill1};
    return index >= 0 && index < kWallpaperStyleCount ? byValue[int(kWallpaperStyles[index].style)] : nullptr;
}

void TFormPreview::FormActivate() {
    MaximizeOn(MainMonitor());
    LayoutPicture();
    UpdateCommands();
    // The window has no control to hold the focus; holding it itself, its short-cuts act.
    if (Showing() && GetForegroundWindow() == Handle()) ::SetFocus(Handle());
}

// Hidden entries keep their short-cuts: disabled, the style keys do nothing outside the wallpapers.
void TFormPreview::UpdateCommands() {
    const bool wallpaper = model_.activeCategory == Category::Wall;
    for (int i = 0; i < kWallpaperStyleCount; ++i) {
        SetCommandVisible(StyleCommand(i), wallpaper);
        SetCommandEnabled(StyleCommand(i), wallpaper);
        SetCommandChecked(StyleCommand(i), model_.style == kWallpaperStyles[i].style);
    }
    SetCommandVisible(cmAsWindowsShowsIt, !wallpaper);
    SetCommandEnabled(cmAsWindowsShowsIt, !wallpaper);
    SetCommandChecked(cmAsWindowsShowsIt, model_.options.asWindowsShowsIt);
    SetascurrentScreen1.SetVisible(!wallpaper);
    SetascurrentWallpaper1.SetVisible(wallpaper);
    N2.SetVisible(wallpaper);
}

void TFormPreview::LayoutPicture() {
    EnsureCreated();
    const PixelSize pictureSize{model_.preview.width, model_.preview.height};
    const bool wallpaper = model_.activeCategory == Category::Wall;
    const RECT client = ClientRect();
    StopAnimation();
    if (!wallpaper) {
        layout_ =
            model_.options.asWindowsShowsIt ? ShownScreenLayout({client.right, client.bottom}) : ScreenImageLayout();
    } else {
        layout_ = WallpaperImageLayout(model_.style, pictureSize, MainMonitor().Size(), {client.right, client.bottom});
    }
    SetColor(layout_.onBlack ? clBlack : kSystemColor | COLOR_DESKTOP);
    if (layout_.laidOut) {
        HBITMAP picture = model_.preview.picture ? model_.preview.picture->Handle() : nullptr;
        UniqueBitmap read;
        if (wallpaper && ReadWallpaper(read)) {
            picture = read.Get();
            // Of a picture larger than the screen, "Centred" has read only the part the screen shows.
            const BitmapFacts part = QueryBitmap(picture);
            if (picture && model_.style == WallpaperStyle::Centred)
                layout_.bounds = CentreIn({part.width, part.height}, {client.right, client.bottom});
        }
        if (layout_.fillsClient) {
            ImgPreview.SetAlign(TAlign::Client);
        } else {
            ImgPreview.SetAlign(TAlign::None);
            const LayoutRect& b = layout_.bounds;
            ImgPreview.SetPixelBounds({b.left, b.top, b.width, b.height});
        }
        if (layout_.stretch != ImageLayout::Stretch::AsBefore)
            ImgPreview.Stretch = layout_.stretch == ImageLayout::Stretch::On;
        ImgPreview.SetPicture(ShownBitmap(picture));
        if (layout_.content == ImageLayout::Content::OwnColours) StartAnimation();
    }
}

// A wallpaper is read from its file as the screen shows it in the style, no larger: the preview pane
// holds it reduced. False for a picture the library reads only whole, which the preview holds whole,
// and for a picture not read from the file named; a file that gives no wallpaper reads as none.
bool TFormPreview::ReadWallpaper(UniqueBitmap& read) {
    if (!model_.preview.fromFile || !model_.style) return false;
    try {
        TWaitCursor waiting;
        TPictureLibrary::LibraryWallpaper made = actions_.Library().MakeWallpaper(
            model_.preview.path, *model_.style, MainMonitor().Size(), DesktopBackground());
        read = std::move(made.bitmap);
        return made.outcome != kNViewLibReadWhole;
    } catch (const std::exception&) {
        return true; // the library is gone: the desktop colour alone
    }
}

// Tiles and "Fill" are shown as the wallpaper will hold them; any other layout shows the picture itself, a
// screen shown as the system shows it with its 8-bit pixels and a colour table of its own. A picture
// too large for the memory left shows as the desktop colour alone.
UniqueBitmap TFormPreview::ShownBitmap(HBITMAP picture) const {
    if (layout_.content == ImageLayout::Content::OwnColours)
        if (UniqueBitmap own = CopyIndexedBitmap(picture)) return own;
    if (layout_.content == ImageLayout::Content::Picture || layout_.content == ImageLayout::Content::OwnColours)
        return CopyPixelBitmap(picture);
    try {
        const bool filled = layout_.content == ImageLayout::Content::Filled;
        // Tiles below the first band repeat it: only the rows the band shows are read.
        const Pixels32 band = ReadPixels(picture, filled ? 0x7FFFFFFF : layout_.composedSize.height);
        WallpaperStyle style = filled ? WallpaperStyle::Fill : WallpaperStyle::Tiled;
        if (layout_.content == ImageLayout::Content::MirroredTiles) style = WallpaperStyle::Mirror;
        const Pixels32 tiles = ComposeWallpaper(band.View(), style, layout_.composedSize);
        PixelView view;
        UniqueBitmap shown = NewPixelBitmap({tiles.width, tiles.height}, view);
        if (shown) ScaleByArea(tiles.View(), view); // the same size: a copy
        return shown;
    } catch (const std::bad_alloc&) {
        return UniqueBitmap();
    }
}

// The main window's box shows the style at once; no list entry is restyled before the return.
void TFormPreview::StyleClick(WallpaperStyle style) {
    actions_.ChooseStyle(style);
    FormActivate();
}

void TFormPreview::Returntomain1Click() {
    actions_.ReturnWithStyle();
    Close();
}

void TFormPreview::SetasCurrentClick() {
    actions_.SetAsCurrent(MonitorOfWindow(Handle()));
}

void TFormPreview::Fileinfo1Click() {
    actions_.FileInfo();
}

void TFormPreview::AsWindowsShowsIt1Click() {
    model_.options.asWindowsShowsIt = !model_.options.asWindowsShowsIt;
    FormActivate();
}

// The colours are read from the shown copy, so the rotation starts from the file's own palette.
void TFormPreview::StartAnimation() {
    const TPicture& shown = ImgPreview.Picture();
    rotationStart_ = ShownRotationStart(model_.activeCategory, shown.Format(), model_.preview.rotationStart);
    DIBSECTION section = {};
    if (rotationStart_ && (ReadBitmapColours(shown.Handle(), colours_.data(), int(colours_.size())) != 256 ||
                           GetObjectA(shown.Handle(), sizeof(section), &section) != int(sizeof(section))))
        rotationStart_ = 0;
    if (!rotationStart_) return;
    // A bottom-up section stores its top row last.
    const bool bottomUp = section.dsBmih.biHeight > 0;
    const std::ptrdiff_t stride = section.dsBm.bmWidthBytes;
    const auto* top =
        static_cast<const std::uint8_t*>(section.dsBm.bmBits) + (bottomUp ? (shown.Height() - 1) * stride : 0);
    turningRows_ = RowsWithEntriesFrom(top, shown.Width(), shown.Height(), bottomUp ? -stride : stride, rotationStart_);
    if (turningRows_.Empty()) rotationStart_ = 0; // no pixel shows a turning entry
    if (rotationStart_ && Showing()) SetTimer(Handle(), kAnimationTimer, kRotationStepMs, nullptr);
}

void TFormPreview::StopAnimation() {
    if (Handle()) KillTimer(Handle(), kAnimationTimer);
    rotationStart_ = 0;
}

// Only the colour table changes: the same 8-bit pixels are drawn once more with it, where the rows
// with turning entries lie.
void TFormPreview::AnimationStep() {
    if (!rotationStart_) return;
    RotateColours(colours_.data(), rotationStart_);
    const RowSpan rows = ShownRows(turningRows_, ImgPreview.Picture().Height(), ImgPreview.Height());
    ImgPreview.ShowColours(colours_.data(), rotationStart_, {0, rows.begin, ImgPreview.Width(), rows.end});
}

void TFormPreview::FormResize() {
    if (layout_.content != ImageLayout::Content::OwnColours) return;
    const RECT client = ClientRect();
    layout_.bounds = ShownScreenLayout({client.right, client.bottom}).bounds;
    const LayoutRect& b = layout_.bounds;
    ImgPreview.SetPixelBounds({b.left, b.top, b.width, b.height});
}

LRESULT TFormPreview::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_TIMER && wParam == kAnimationTimer) {
        AnimationStep();
        return 0;
    }
    // Hidden, also with a minimized main window, the rotation rests; shown again, it goes on.
    if (msg == WM_SHOWWINDOW) {
        if (!wParam)
            KillTimer(Handle(), kAnimationTimer);
        else if (rotationStart_)
            SetTimer(Handle(), kAnimationTimer, kRotationStepMs, nullptr);
    }
    return TForm::WndProc(msg, wParam, lParam);
}
