#include "nviewlib/DecodePicture.h"

#include "nviewlib/PcxReader.h"
#include "nviewlib/PictureKind.h"
#include "nviewlib/StbDecode.h"
#include "pictures/BmpReader.h"

bool DecodePicture(const std::uint8_t* data, std::size_t size, const std::string& fileName, DecodedPicture& out) {
    if (size == 0) return false;
    switch (SniffPictureKind(data, size, fileName)) {
    case PictureKind::Bmp:
        return ReadBmp(data, size, out) == BmpStatus::Ok;
    case PictureKind::Jpeg:
    case PictureKind::Png:
    case PictureKind::Gif:
    case PictureKind::Tga:
        return DecodeWithStb(data, size, out);
    case PictureKind::Pcx:
        return ReadPcx(data, size, out);
    case PictureKind::Unknown:
        return false;
    }
    return false;
}
