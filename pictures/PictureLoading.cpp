// Reading a picture file into a bitmap, and the texts that describe the previewed picture.
#include "lists/DirectoryPath.h"
#include "pictures/BmpReader.h"
#include "pictures/PictureLibrary.h"
#include "pictures/PictureText.h"
#include "platform/Files.h"
#include "platform/MessageDlg.h"
#include "shell/USelect5.h"

#include <vector>

int TFormSelect::LoadPicture(const std::string& path, TPicture& picture) {
    try {
        if (CategoryCode == kCategoryWall) {
            if (!PictureLibrary) PictureLibrary = std::make_unique<TPictureLibrary>(ProgramDir);
            picture.Assign(UniqueBitmap(PictureLibrary->Load(path)));
            return kPictureLoaded;
        }
        std::vector<std::uint8_t> bytes;
        if (!ReadWholeFile(path, bytes)) return kPictureNotOpened;
        DecodedPicture decoded;
        if (ReadBmp(bytes.data(), bytes.size(), decoded) != BmpStatus::Ok) return kPictureFailed;
        if (decoded.Empty()) {
            picture.Clear();
            return kPictureLoaded;
        }
        UniqueBitmap bitmap = CreateBitmapFromPicture(decoded);
        if (!bitmap) return kPictureFailed;
        picture.Assign(std::move(bitmap), decoded.format);
        return kPictureLoaded;
    } catch (...) {
        return kPictureFailed;
    }
}

void TFormSelect::UpdateSizeHint() {
    const TPicture& picture = ImgPreview.Picture();
    ImgPreview.SetHint(SizeText(picture.Width(), picture.Height()));
}

void TFormSelect::SizeClick() {
    const TPicture& picture = ImgPreview.Picture();
    MessageDlg(FileInfoText(picture.Width(), picture.Height(), picture.Format()), TMsgDlgType::Information, mbOK);
}

void TFormSelect::PopMFileInfoPopup() {
    Size.SetCaption(ImgPreview.Hint());
    UpdateScreenItems();
}
