#include "nviewlib/DecodePicture.h"

#include "nviewlib/GifDecode.h"
#include "nviewlib/JpegDecode.h"
#include "nviewlib/PcxReader.h"
#include "nviewlib/PictureKind.h"
#include "nviewlib/PngDecode.h"
#include "nviewlib/TgaDecode.h"
#include "pictures/BmpReader.h"

bool DecodePicture(const std::uint8_t* data, std::size_t size, const std::string& fileName, DecodedPicture& out,
                   PictureMemory& memory) {
    if (size == 0) return false;
    switch (SniffPictureKind(data, size, fileName)) {
    case PictureKind::Bmp:
        return ReadBmp(data, size, out) == BmpStatus::Ok;
    case PictureKind::Jpeg:
        return DecodeJpeg(data, size, out, memory);
    case PictureKind::Png:
        return DecodePng(data, size, out, memory);
    case PictureKind::Gif:
        return DecodeGif(data, size, out, memory);
    case PictureKind::Tga:
        return DecodeTga(data, size, out, memory);
    case PictureKind::Pcx:
        return ReadPcx(data, size, out);
    case PictureKind::Unknown:
        return false;
    }
    return false;
}
