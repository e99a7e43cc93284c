#include "nviewlib/JpegDecode.h"

#include "nviewlib/JpegSetup.h"

#include <cstring>
#include <utility>
#include <vector>

namespace {

// The part of DecodeJpeg between setjmp and the end of libjpeg's work: no object with a destructor
// lives in a frame that a jump out of libjpeg leaves.
bool RunDecoder(jpeg_decompress_struct& info, JpegErrors& errors, const std::uint8_t* data, std::size_t size,
                DecodedPicture& picture, PictureMemory& memory, std::vector<std::uint8_t>& upright) {
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    PrepareJpeg(info);
    jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
    if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK || !DecodeSizeAllowed(info.image_width, info.image_height)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    const int orientation = JpegOrientation(info);
    const bool cmyk = ChooseJpegOutput(info);
    // The picture's memory before libjpeg's own (a progressive picture's coefficients): where the
    // picture cannot be had, nothing else is allocated for it.
    const int width = int(info.image_width), height = int(info.image_height);
    if (SwapsSides(orientation))
        SetBgraShape(picture, height, width);
    else
        SetBgraShape(picture, width, height);
    std::uint8_t* target = memory.Provide(picture);
    if (target == nullptr) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_start_decompress(&info);
    if (info.output_components != 4 || int(info.output_width) != width || int(info.output_height) != height) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    const std::size_t stride = std::size_t(width) * 4;
    const bool direct = orientation == 1;
    if (!direct) upright.resize(stride * std::size_t(height));
    while (info.output_scanline < info.output_height) {
        // Upright pictures are written bottom-up into the target at once; others top-down, then turned.
        const std::size_t y = info.output_scanline;
        JSAMPROW row = direct ? target + (std::size_t(height) - 1 - y) * stride : upright.data() + y * stride;
        jpeg_read_scanlines(&info, &row, 1);
        if (cmyk) CmykToBgra(row, std::size_t(width), info.saw_Adobe_marker);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    if (!direct) OrientPixels(upright.data(), width, height, orientation, target);
    return true;
}

} // namespace

bool DecodeJpeg(const std::uint8_t* data, std::size_t size, DecodedPicture& out, PictureMemory& memory) {
    if (data == nullptr || size == 0) return false;
    jpeg_decompress_struct info;
    std::memset(&info, 0, sizeof(info));
    JpegErrors errors;
    SetUpJpegErrors(info, errors);
    DecodedPicture picture;
    std::vector<std::uint8_t> upright;
    try {
        if (!RunDecoder(info, errors, data, size, picture, memory, upright)) return false;
    } catch (...) {
        jpeg_destroy_decompress(&info); // memory for the pixels could not be had
        throw;
    }
    out = std::move(picture);
    return true;
}
