#include "pictures/UPreview.h"

#include "pictures/Wallpaper.h"
#include "shell/USelect5.h"

#include <new>
#include <stdexcept>

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
    const bool wallpaper = main_.CategoryCode == kCategoryWall;
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
    EnsureCreated(); // F4 lays the picture out on the hidden window
    const TPicture& picture = main_.ImgPreview.Picture();
    const PixelSize pictureSize{picture.Width(), picture.Height()};
    const bool wallpaper = main_.CategoryCode == kCategoryWall;
    if (!wallpaper) {
        SetascurrentWallpaper1.SetVisible(false);
        N2.SetVisible(false);
        layout_ = ScreenImageLayout();
    } else {
        const PixelSize screen{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        const RECT client = ClientRect();
        layout_ = WallpaperImageLayout(main_.CBStyle.Text(), pictureSize, screen, {client.right, client.bottom});
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
        // A picture too large for the memory left shows as the desktop colour alone.
        UniqueBitmap shown;
        if (layout_.content == ImageLayout::Content::Picture) {
            shown = CopyPixelBitmap(picture.Handle());
        } else {
            try {
                // Tiles below the first band repeat it: only the rows the band shows are read.
                const Pixels32 pixels = ReadPixels(picture.Handle(), layout_.composedSize.height);
                PixelView view;
                shown = NewPixelBitmap(layout_.composedSize, view);
                if (shown) ComposeTiles(pixels.View(), view, layout_.content == ImageLayout::Content::MirroredTiles);
            } catch (const std::bad_alloc&) {
                shown.Reset();
            }
        }
        ImgPreview.SetPicture(std::move(shown));
    }
    if (wallpaper) {
        SetascurrentWallpaper1.SetVisible(true);
        N2.SetVisible(true);
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
    if (main_.CategoryCode == kCategoryWall) main_.CBStyleChange();
    Close();
}

void TFormPreview::Returntomainwithoutchange1Click() {
    Close();
}

void TFormPreview::SetasCurrentClick() {
    if (main_.CategoryCode == kCategoryWall)
        ApplyWallpaper();
    else
        main_.InstallScreen();
}

void TFormPreview::Fileinfo1Click() {
    main_.SizeClick();
}

void TFormPreview::ApplyWallpaper() {
    const std::string name = main_.PnlPreviewName.Caption();
    // After a failed load the preview name shows a file whose picture is not the one on view.
    if (!main_.PreviewFromNamedFile) throw std::runtime_error(UnreadablePictureText(name));
    const std::string styleText = main_.CBStyle.Text();
    std::optional<WallpaperStyle> style = WallpaperStyleNamed(styleText);
    if (!style) throw std::runtime_error(NoStyleText(styleText));
    const TPicture& image = ImgPreview.Picture();
    const TPicture& picture = main_.ImgPreview.Picture();
    if (picture.Width() <= 0 || picture.Height() <= 0) throw std::runtime_error(NoPictureText(name));
    if (image.Width() <= 0 || image.Height() <= 0) throw std::runtime_error(NoMemoryText(name));
    try {
        SaveImage(*style);
    } catch (const std::bad_alloc&) {
        throw std::runtime_error(NoMemoryText(name));
    }
}

void TFormPreview::SaveImage(WallpaperStyle style) {
    const TPicture& image = ImgPreview.Picture();
    // The image's own bitmap, drawn over the size the layout gave it for "Fit 2 Screen".
    const PixelSize size = style == WallpaperStyle::Fit2Screen ? PixelSize{ImgPreview.Width(), ImgPreview.Height()}
                                                               : PixelSize{image.Width(), image.Height()};
    // The image's bitmap is the window's own 32-bit section: read in place.
    Pixels32 pixels;
    ConstPixelView bitmap;
    if (!ViewPixelBitmap(image.Handle(), bitmap)) {
        pixels = ReadPixels(image.Handle());
        bitmap = pixels.View();
    }
    Pixels32 drawn;
    if (size.width != bitmap.width || size.height != bitmap.height) {
        drawn = DrawScaled(bitmap, size);
        bitmap = drawn.View();
    }
    WallpaperResult result = SetWallpaper(bitmap, style, main_.ProgramDir);
    if (!result.Ok()) throw std::runtime_error(WallpaperFailureText(result));
}
