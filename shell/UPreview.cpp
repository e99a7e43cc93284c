#include "shell/UPreview.h"

#include "pictures/Transparency.h"
#include "pictures/Wallpaper.h"
#include "platform/Monitors.h"
#include "platform/WaitCursor.h"
#include "shell/USelect5.h"

#include <exception>
#include <new>

namespace {
constexpr UINT_PTR kAnimationTimer = 1;
}

TFormPreview::TFormPreview(TFormSelect& main) : main_(main) {
    Title = "Full screen Preview";
    ClientWidth = 320;
    ClientHeight = 200;
    BorderStyle = TBorderStyle::None;
    CreateWhenShown = true;
    // No tip covers the picture; its size is in the menu's "File info".
    SetColor(kSystemColor | COLOR_DESKTOP);
    PopupMenu = &PopMPreview;

    TMenuItem* menu = &PopMPreview.Items;
    auto setAsCurrent = [this] { SetasCurrentClick(); };
    std::vector<MenuCommand> commands = {
        {menu, &Returntomain1, "Return to &main", ShortCut(vk::F3), [this] { Returntomain1Click(); }},
        {menu, &Fileinfo1, "File &info", CtrlKey('I'), [this] { Fileinfo1Click(); }},
        {menu, &N1},
    };
    for (int i = 0; i < kWallpaperStyleCount; ++i) {
        TMenuItem* item = StyleItem(i);
        const WallpaperStyleInfo& style = kWallpaperStyles[i];
        commands.push_back(
            {menu, item, style.menuCaption, CtrlKey(style.shortCut), [this, item] { StyleClick(item); }});
    }
    commands.insert(
        commands.end(),
        {
            {menu, &AsWindowsShowsIt1, "As &Windows Shows It", CtrlKey('W'), [this] { AsWindowsShowsIt1Click(); }},
            {menu, &N2},
            {menu, &SetascurrentScreen1, "Set as current &Screen", ShortCut(vk::F4), setAsCurrent},
            {menu, &SetascurrentWallpaper1, "Set as current &Wallpaper", ShortCut(vk::F4), setAsCurrent},
            {menu, &Returntomainwithoutchange1, "Return &unchanged", scNone,
             [this] { Returntomainwithoutchange1Click(); }},
        });
    MakeCommands(commands);
    Returntomainwithoutchange1.SetVisible(false);
    // With a picture smaller than the screen, or none, a click beside it returns as well.
    OnClick = [this] { Returntomain1Click(); };
}

void TFormPreview::BuildControls() {
    ImgPreview.SetAlign(TAlign::Client);
    ImgPreview.Create(*this, {0, 0, 320, 200});
    ImgPreview.PopupMenu = &PopMPreview;
    ImgPreview.OnClick = [this] { Returntomain1Click(); };
}

TMenuItem* TFormPreview::StyleItem(int index) {
    TMenuItem* byValue[kWallpaperStyleCount] = {&Centred1, &Stretched1, &Tiled1, &Fit2Screen1, &Mirror1, &Fill1};
    return index >= 0 && index < kWallpaperStyleCount ? byValue[int(kWallpaperStyles[index].style)] : nullptr;
}

void TFormPreview::FormActivate() {
    MaximizeOn(MonitorOfWindow(main_.Handle()));
    const bool wallpaper = main_.Model.activeCategory == Category::Wall;
    // Hidden items keep their short-cuts: disabled, the style keys do nothing outside the wallpapers.
    for (int i = 0; i < kWallpaperStyleCount; ++i) {
        StyleItem(i)->SetVisible(wallpaper);
        StyleItem(i)->SetEnabled(wallpaper);
    }
    AsWindowsShowsIt1.SetVisible(!wallpaper);
    AsWindowsShowsIt1.SetEnabled(!wallpaper);
    AsWindowsShowsIt1.SetChecked(main_.AsWindowsShowsIt);
    SetascurrentScreen1.SetVisible(!wallpaper);
    LayoutPicture();
    CheckStyleItems();
    // The window has no control to hold the focus; holding it itself, its short-cuts act.
    if (Showing() && GetForegroundWindow() == Handle()) ::SetFocus(Handle());
}

void TFormPreview::LayoutPicture() {
    EnsureCreated();
    const SelectModel& model = main_.Model;
    const PixelSize pictureSize{model.preview.width, model.preview.height};
    const bool wallpaper = model.activeCategory == Category::Wall;
    const RECT client = ClientRect();
    StopAnimation();
    if (!wallpaper) {
        SetascurrentWallpaper1.SetVisible(false);
        N2.SetVisible(false);
        layout_ = main_.AsWindowsShowsIt ? ShownScreenLayout({client.right, client.bottom}) : ScreenImageLayout();
    } else {
        layout_ = WallpaperImageLayout(model.style, pictureSize, MonitorOfWindow(main_.Handle()).Size(),
                                       {client.right, client.bottom});
    }
    SetColor(layout_.onBlack ? clBlack : kSystemColor | COLOR_DESKTOP);
    if (layout_.laidOut) {
        HBITMAP picture = model.preview.picture ? model.preview.picture->Handle() : nullptr;
        UniqueBitmap read;
        if (wallpaper && ReadWallpaper(read)) {
            picture = read.Get();
            // Of a picture larger than the screen, "Centred" has read only the part the screen shows.
            const BitmapFacts part = QueryBitmap(picture);
            if (picture && model.style == WallpaperStyle::Centred)
                layout_.bounds = CentreIn({part.width, part.height}, {client.right, client.bottom});
        }
        if (layout_.fillsClient) {
            ImgPreview.SetAlign(TAlign::Client);
        } else {
            ImgPreview.SetAlign(TAlign::None);
            const LayoutRect& b = layout_.bounds;
            ImgPreview.SetBounds(b.left, b.top, b.width, b.height);
        }
        if (layout_.stretch != ImageLayout::Stretch::AsBefore)
            ImgPreview.Stretch = layout_.stretch == ImageLayout::Stretch::On;
        ImgPreview.SetPicture(ShownBitmap(picture));
        if (layout_.content == ImageLayout::Content::OwnColours) StartAnimation();
    }
    if (wallpaper) {
        SetascurrentWallpaper1.SetVisible(true);
        N2.SetVisible(true);
    }
}

// A wallpaper is read from its file as the screen shows it in the style, no larger: the preview pane
// holds it reduced. False for a picture the library reads only whole, which the preview holds whole,
// and for a picture not read from the file named; a file that gives no wallpaper reads as none.
bool TFormPreview::ReadWallpaper(UniqueBitmap& read) {
    const SelectModel& model = main_.Model;
    if (!model.preview.fromFile || !model.style) return false;
    try {
        TWaitCursor waiting;
        TPictureLibrary::LibraryWallpaper made = main_.Library().MakeWallpaper(
            model.preview.path, *model.style, MonitorOfWindow(main_.Handle()).Size(), DesktopBackground());
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

void TFormPreview::CheckStyleItems() {
    for (int i = 0; i < kWallpaperStyleCount; ++i)
        StyleItem(i)->SetChecked(main_.Model.style == kWallpaperStyles[i].style);
}

// The main window's box shows the style at once; no list entry is restyled before the return.
void TFormPreview::StyleClick(TMenuItem* sender) {
    for (int i = 0; i < kWallpaperStyleCount; ++i)
        if (StyleItem(i) == sender) main_.Model.style = kWallpaperStyles[i].style;
    main_.ShowStyle();
    CheckStyleItems();
    FormActivate();
}

void TFormPreview::Returntomain1Click() {
    main_.RestyleSelected();
    Close();
}

void TFormPreview::Returntomainwithoutchange1Click() {
    Close();
}

void TFormPreview::SetasCurrentClick() {
    if (main_.Model.activeCategory == Category::Wall)
        main_.ApplyWallpaper();
    else
        main_.InstallScreen();
}

void TFormPreview::Fileinfo1Click() {
    main_.SizeClick();
}

void TFormPreview::AsWindowsShowsIt1Click() {
    main_.AsWindowsShowsIt = !main_.AsWindowsShowsIt;
    FormActivate();
}

// The colours are read from the shown copy, so the rotation starts from the file's own palette.
void TFormPreview::StartAnimation() {
    const TPicture& shown = ImgPreview.Picture();
    rotationStart_ = ShownRotationStart(main_.Model.activeCategory, shown.Format(), main_.Model.preview.rotationStart);
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

// Only the colour table changes: the same 8-bit pixels are stretched once more with it, where the
// rows with turning entries lie.
void TFormPreview::AnimationStep() {
    if (!rotationStart_) return;
    RotateColours(colours_.data(), rotationStart_);
    WriteBitmapColours(ImgPreview.Picture().Handle(), rotationStart_, 256 - rotationStart_,
                       colours_.data() + rotationStart_);
    const RowSpan rows = ShownRows(turningRows_, ImgPreview.Picture().Height(), ImgPreview.Height());
    ImgPreview.PaintNow({0, rows.begin, ImgPreview.Width(), rows.end});
}

void TFormPreview::FormResize() {
    if (layout_.content != ImageLayout::Content::OwnColours) return;
    const RECT client = ClientRect();
    layout_.bounds = ShownScreenLayout({client.right, client.bottom}).bounds;
    ImgPreview.SetBounds(layout_.bounds.left, layout_.bounds.top, layout_.bounds.width, layout_.bounds.height);
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
