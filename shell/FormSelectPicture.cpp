// Reading a picture file for the active category, and the texts that describe the previewed picture.
#include "pictures/PictureFile.h"
#include "pictures/PictureText.h"
#include "pictures/ShownScreen.h"
#include "platform/MessageDlg.h"
#include "platform/WaitCursor.h"
#include "shell/USelect5.h"

TPictureLibrary& TFormSelect::Library() {
    if (!PictureLibrary) PictureLibrary = std::make_unique<TPictureLibrary>(ProgramDir);
    return *PictureLibrary;
}

// A picture that cannot be read leaves `picture` as it was.
int TFormSelect::LoadPicture(const std::string& path, TPicture& picture) {
    TWaitCursor waiting; // a large photo takes seconds on the machines of the day
    // The pane shows its picture no larger than itself: a camera photo is read only as far as that.
    const bool preview = &picture == &ImgPreview.Picture();
    const PixelSize pane = preview ? PixelSize{ImgPreview.Width(), ImgPreview.Height()} : PixelSize{};
    PictureFile file = ReadPictureFile(path, Model.activeCategory, Library(), PictureNeed::Bitmap, pane);
    if (file.outcome != PictureFile::Outcome::Loaded) return file.ResultCode();
    if (file.bitmap)
        picture.Assign(std::move(file.bitmap), file.format);
    else
        picture.Clear();
    // The preview's picture is described by what its file said.
    if (preview) {
        PreviewedFile& shown = Model.preview;
        shown.width = file.width;
        shown.height = file.height;
        shown.format = file.format;
        shown.rotationStart = file.rotationStart;
    }
    return kPictureLoaded;
}

std::string TFormSelect::PreviewSizeText() const {
    return Model.preview.Named() ? SizeText(Model.preview.width, Model.preview.height) : std::string();
}

void TFormSelect::SizeClick() {
    const PreviewedFile& shown = Model.preview;
    const int rotation = ShownRotationStart(Model.activeCategory, shown.format, shown.rotationStart);
    MessageDlg(IsScreen(Model.activeCategory) ? ScreenInfoText(shown.width, shown.height, shown.format, rotation)
                                              : FileInfoText(shown.width, shown.height, shown.format),
               TMsgDlgType::Information, mbOK);
}

void TFormSelect::PopMFileInfoPopup() {
    Size.SetCaption(PreviewSizeText());
}
