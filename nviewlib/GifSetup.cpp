#include "nviewlib/GifSetup.h"

namespace {
// The transparent colour of a graphic control extension, or -1.
int TransparentIndex(const GifByteType* extension) {
    if (extension == nullptr || extension[0] < 4 || (extension[1] & 1) == 0) return -1;
    return extension[4];
}
} // namespace

GifReader::GifReader(void* source, InputFunc read) {
    int error = 0;
    gif_ = DGifOpen(source, read, &error);
}

GifReader::~GifReader() {
    int error = 0;
    if (gif_) DGifCloseFile(gif_, &error);
}

bool OpenFirstFrame(GifFileType* gif, int& transparent, std::uint32_t (&palette)[256]) {
    if (gif == nullptr || !DecodeSizeAllowed(std::uint64_t(gif->SWidth), std::uint64_t(gif->SHeight))) return false;
    transparent = -1;
    for (;;) {
        GifRecordType record;
        if (DGifGetRecordType(gif, &record) == GIF_ERROR) return false;
        if (record == TERMINATE_RECORD_TYPE) return false; // no frame at all
        if (record == EXTENSION_RECORD_TYPE) {
            int code = 0;
            GifByteType* extension = nullptr;
            if (DGifGetExtension(gif, &code, &extension) == GIF_ERROR) return false;
            if (code == GRAPHICS_EXT_FUNC_CODE) transparent = TransparentIndex(extension);
            while (extension != nullptr)
                if (DGifGetExtensionNext(gif, &extension) == GIF_ERROR) return false;
            continue;
        }
        if (record != IMAGE_DESC_RECORD_TYPE) continue;
        if (DGifGetImageDesc(gif) == GIF_ERROR) return false;
        break;
    }
    const GifImageDesc& frame = gif->Image;
    const ColorMapObject* colours = frame.ColorMap ? frame.ColorMap : gif->SColorMap;
    // A frame is held to the same limits as the screen: its data could otherwise expand to
    // billions of pixels that lie outside the picture.
    if (colours == nullptr || colours->Colors == nullptr || frame.Width <= 0 || frame.Height <= 0 ||
        !DecodeSizeAllowed(std::uint64_t(frame.Width), std::uint64_t(frame.Height)))
        return false;
    for (std::uint32_t& colour : palette)
        colour = 0;
    for (int i = 0; i < colours->ColorCount && i < 256; ++i) {
        const GifColorType& c = colours->Colors[i];
        palette[i] = 0xFF000000u | (std::uint32_t(c.Red) << 16) | (std::uint32_t(c.Green) << 8) | c.Blue;
    }
    if (transparent >= 0) palette[transparent] = 0;
    return true;
}
