#include "shell/UPreview.h"

#include "pictures/Wallpaper.h"
#include "shell/USelect5.h"

#include <new>

TFormPreview::TFormPreview(TFormSelect& main) : main_(main) {
    SetCaption("Full screen Preview");
    ClientWidth = 320;
    ClientHeight = 200;
    BorderStyle = TBorderStyle::None;
    CreateWhenShown = true;
    ShowHint = true;
    SetColor(kSystemColor | COLOR_DESKTOP);
    PopupMenu = &PopMPreview;

    PopMPreview.Items.Add(Returntomain1).Add(Fileinfo1).Add(N1);
    PopMPreview.Items.Add(Centred1).Add(Stretched1).Add(Tiled1).Add(Fit2Screen1).Add(Mirror1).Add(N2);
    PopMPreview.Items.Add(SetascurrentScreen1).Add(SetascurrentWallpaper1).Add(Returntomainwithoutchange1);
    Returntomainwithoutchange1.SetVisible(false);

    Returntomain1.OnClick = [this] { Returntomain1Click(); };
    Fileinfo1.OnClick = [this] { Fileinfo1Click(); };
    for (int i = 0; i < kWallpaperStyleCount; ++i) {
        TMenuItem* item = StyleItem(i);
        item->OnClick = [this, item] { StyleClick(item); };
    }
    SetascurrentScreen1.OnClick = [this] { SetasCurrentClick(); };
    SetascurrentWallpaper1.OnClick = [this] { SetasCurrentClick(); };
    Returntomainwithoutchange1.OnClick = [this] { Returntomainwithoutchange1Click(); };
    // With a picture smaller than the screen, or none, a click beside it returns as well.
    OnClick = [this] { Returntomain1Click(); };
}

void TFormPreview::BuildControls() {
    ImgPreview.SetAlign(TAlign::Client);
    ImgPreview.SetBounds(0, 0, 320, 200);
    ImgPreview.Create(*this);
    ImgPreview.PopupMenu = &PopMPreview;
    ImgPreview.OnClick = [this] { Returntomain1Click(); };
}

TMenuItem* TFormPreview::StyleItem(int index) {
    TMenuItem* items[kWallpaperStyleCount] = {&Centred1, &Stretched1, &Tiled1, &Fit2Screen1, &Mirror1};
    return index >= 0 && index < kWallpaperStyleCount ? items[index] : nullptr;
}

void TFormPreview::FormActivate() {
    SetWindowState(TWindowState::Maximized);
    ImgPreview.SetHint(main_.ImgPreview.Hint());
    const bool wallpaper = main_.ActiveCategory == Category::Wall;
    // Hidden items keep their short-cuts: disabled, the style keys do nothing outside the wallpapers.
    for (int i = 0; i < kWallpaperStyleCount; ++i) {
        StyleItem(i)->SetVisible(wallpaper);
        StyleItem(i)->SetEnabled(wallpaper);
    }
    SetascurrentScreen1.SetVisible(!wallpaper);
    LayoutPicture();
    CheckStyleItems();
    // The window has no control to hold the focus; holding it itself, its short-cuts act.
    if (Showing() && GetForegroundWindow() == Handle()) ::SetFocus(Handle());
}

void TFormPreview::LayoutPicture() {
    EnsureCreated();
    const TPicture& picture = main_.ImgPreview.Picture();
    const PixelSize pictureSize{picture.Width(), picture.Height()};
    const bool wallpaper = main_.ActiveCategory == Category::Wall;
    if (!wallpaper) {
        SetascurrentWallpaper1.SetVisible(false);
        N2.SetVisible(false);
        layout_ = ScreenImageLayout();
    } else {
        const RECT client = ClientRect();
        layout_ =
            WallpaperImageLayout(main_.CBStyle.Text(), pictureSize, PrimaryScreenSize(), {client.right, client.bottom});
    }
    if (layout_.laidOut) {
        if (layout_.fillsClient) {
            ImgPreview.SetAlign(TAlign::Client);
        } else {
            ImgPreview.SetAlign(TAlign::None);
            const LayoutRect& b = layout_.bounds;
            ImgPreview.SetBounds(b.left, b.top, b.width, b.height);
        }
        if (layout_.stretch != ImageLayout::Stretch::AsBefore)
            ImgPreview.Stretch = layout_.stretch == ImageLayout::Stretch::On;
        ImgPreview.SetPicture(ShownBitmap(picture.Handle()));
    }
    if (wallpaper) {
        SetascurrentWallpaper1.SetVisible(true);
        N2.SetVisible(true);
    }
}

// Tiles are shown as the wallpaper will hold them; any other layout shows the picture itself. A
// picture too large for the memory left shows as the desktop colour alone.
UniqueBitmap TFormPreview::ShownBitmap(HBITMAP picture) const {
    if (layout_.content == ImageLayout::Content::Picture) return CopyPixelBitmap(picture);
    try {
        // Tiles below the first band repeat it: only the rows the band shows are read.
        const Pixels32 band = ReadPixels(picture, layout_.composedSize.height);
        const WallpaperStyle style =
            layout_.content == ImageLayout::Content::MirroredTiles ? WallpaperStyle::Mirror : WallpaperStyle::Tiled;
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
    const std::string style = main_.CBStyle.Text();
    for (int i = 0; i < kWallpaperStyleCount; ++i)
        StyleItem(i)->SetChecked(style == kWallpaperStyles[i].name);
}

// Setting the box in code is no change by the user: no list entry is restyled here.
void TFormPreview::StyleClick(TMenuItem* sender) {
    for (int i = 0; i < kWallpaperStyleCount; ++i)
        if (StyleItem(i) == sender) main_.CBStyle.SetItemIndex(i);
    CheckStyleItems();
    FormActivate();
}

void TFormPreview::Returntomain1Click() {
    if (main_.ActiveCategory == Category::Wall) main_.CBStyleChange();
    Close();
}

void TFormPreview::Returntomainwithoutchange1Click() {
    Close();
}

void TFormPreview::SetasCurrentClick() {
    if (main_.ActiveCategory == Category::Wall)
        main_.ApplyWallpaper();
    else
        main_.InstallScreen();
}

void TFormPreview::Fileinfo1Click() {
    main_.SizeClick();
}
