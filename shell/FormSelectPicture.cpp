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
    PictureFile file = ReadPictureFile(path, ActiveCategory, Library(), PictureNeed::Bitmap);
    if (file.outcome != PictureFile::Outcome::Loaded) return file.ResultCode();
    if (file.bitmap)
        picture.Assign(std::move(file.bitmap), file.format);
    else
        picture.Clear();
    if (&picture == &ImgPreview.Picture()) PreviewRotationStart = file.rotationStart;
    return kPictureLoaded;
}

void TFormSelect::UpdateSizeHint() {
    const TPicture& picture = ImgPreview.Picture();
    ImgPreview.SetHint(SizeText(picture.Width(), picture.Height()));
}

void TFormSelect::SizeClick() {
    const TPicture& picture = ImgPreview.Picture();
    const int rotation = ShownRotationStart(ActiveCategory, picture.Format(), PreviewRotationStart);
    MessageDlg(IsScreen(ActiveCategory) ? ScreenInfoText(picture.Width(), picture.Height(), picture.Format(), rotation)
                                        : FileInfoText(picture.Width(), picture.Height(), picture.Format()),
               TMsgDlgType::Information, mbOK);
}

void TFormSelect::PopMFileInfoPopup() {
    Size.SetCaption(ImgPreview.Hint());
    UpdateScreenItems();
}
