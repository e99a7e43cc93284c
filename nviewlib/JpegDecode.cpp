#include "nviewlib/JpegDecode.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <utility>
#include <vector>

#include <jpeglib.h>
#include <jerror.h>

namespace {

// libjpeg reports a fault by calling error_exit, which must not return: it jumps back into
// DecodeJpeg, across libjpeg's C frames only.
struct JpegErrors {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

[[noreturn]] void JumpOut(j_common_ptr info) {
    std::longjmp(reinterpret_cast<JpegErrors*>(info->err)->jump, 1);
}

// Warnings that the data ended before the picture did: the file is damaged, and libjpeg would
// fill the rest with grey.
void OnMessage(j_common_ptr info, int level) {
    const int code = info->err->msg_code;
    if (level < 0 && (code == JWRN_JPEG_EOF || code == JWRN_HIT_MARKER)) JumpOut(info);
}

void NoOutput(j_common_ptr) {}

constexpr unsigned kExifMarker = JPEG_APP0 + 1;
// libjpeg's own memory (coefficients of a progressive picture among them) beyond the pixels.
constexpr long kMaxLibraryMemory = 512L << 20;

unsigned Read16(const std::uint8_t* p, bool bigEndian) {
    return bigEndian ? (unsigned(p[0]) << 8) | p[1] : (unsigned(p[1]) << 8) | p[0];
}
std::uint32_t Read32(const std::uint8_t* p, bool bigEndian) {
    return bigEndian ? (std::uint32_t(Read16(p, true)) << 16) | Read16(p + 2, true)
                     : (std::uint32_t(Read16(p + 2, false)) << 16) | Read16(p, false);
}

// CMYK (or YCCK, which libjpeg turns into CMYK) pixels to blue, green, red and 255, in place, as
// their inks mix without a colour profile. Adobe's files store the inks inverted.
void CmykToBgra(std::uint8_t* row, std::size_t width, bool inverted) {
    for (std::size_t i = 0; i < 4 * width; i += 4) {
        unsigned c = row[i], m = row[i + 1], y = row[i + 2], k = row[i + 3];
        if (!inverted) c = 255 - c, m = 255 - m, y = 255 - y, k = 255 - k;
        row[i] = std::uint8_t((y * k + 127) / 255);
        row[i + 1] = std::uint8_t((m * k + 127) / 255);
        row[i + 2] = std::uint8_t((c * k + 127) / 255);
        row[i + 3] = 255;
    }
}

bool SwapsSides(int orientation) {
    return orientation >= 5 && orientation <= 8;
}

// The part of DecodeJpeg between setjmp and the end of libjpeg's work: no object with a destructor
// lives in a frame that a jump out of libjpeg leaves.
bool RunDecoder(jpeg_decompress_struct& info, JpegErrors& errors, const std::uint8_t* data, std::size_t size,
                DecodedPicture& picture, PictureMemory& memory, std::vector<std::uint8_t>& upright) {
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    info.mem->max_memory_to_use = kMaxLibraryMemory;
    jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
    jpeg_save_markers(&info, kExifMarker, 0xFFFF);
    if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK || !DecodeSizeAllowed(info.image_width, info.image_height)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    int orientation = 1;
    for (jpeg_saved_marker_ptr marker = info.marker_list; marker != nullptr; marker = marker->next)
        if (marker->marker == kExifMarker && orientation == 1)
            orientation = ExifOrientation(marker->data, marker->data_length);

    const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    info.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRA;
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

int ExifOrientation(const std::uint8_t* app1, std::size_t size) {
    // "Exif" 0 0, then a TIFF header (byte order, 42, offset of the first directory) and that
    // directory's 12-byte entries; orientation is tag 0x0112, a SHORT.
    constexpr std::size_t kTiff = 6;
    if (app1 == nullptr || size < kTiff + 8 || std::memcmp(app1, "Exif\0\0", 6) != 0) return 1;
    const std::uint8_t* tiff = app1 + kTiff;
    const std::size_t length = size - kTiff;
    bool bigEndian;
    if (tiff[0] == 'M' && tiff[1] == 'M')
        bigEndian = true;
    else if (tiff[0] == 'I' && tiff[1] == 'I')
        bigEndian = false;
    else
        return 1;
    if (Read16(tiff + 2, bigEndian) != 42) return 1;
    const std::uint32_t directory = Read32(tiff + 4, bigEndian);
    if (directory > length || length - directory < 2) return 1;
    const unsigned entries = Read16(tiff + directory, bigEndian);
    for (unsigned i = 0; i < entries; ++i) {
        const std::size_t at = std::size_t(directory) + 2 + std::size_t(i) * 12;
        if (at + 12 > length) return 1;
        if (Read16(tiff + at, bigEndian) != 0x0112) continue;
        const unsigned type = Read16(tiff + at + 2, bigEndian);
        const unsigned value = Read16(tiff + at + 8, bigEndian);
        return type == 3 && value >= 1 && value <= 8 ? int(value) : 1;
    }
    return 1;
}

void OrientPixels(const std::uint8_t* source, int width, int height, int orientation, std::uint8_t* target) {
    const std::size_t w = std::size_t(width), h = std::size_t(height);
    const bool swap = SwapsSides(orientation);
    const std::size_t outWidth = swap ? h : w, outHeight = swap ? w : h;
    for (std::size_t y = 0; y < outHeight; ++y) {
        std::uint8_t* row = target + (outHeight - 1 - y) * outWidth * 4; // bottom-up
        for (std::size_t x = 0; x < outWidth; ++x) {
            std::size_t sx, sy; // the stored pixel shown at (x, y)
            switch (orientation) {
            case 2:
                sx = w - 1 - x, sy = y;
                break;
            case 3:
                sx = w - 1 - x, sy = h - 1 - y;
                break;
            case 4:
                sx = x, sy = h - 1 - y;
                break;
            case 5:
                sx = y, sy = x;
                break;
            case 6:
                sx = y, sy = h - 1 - x;
                break;
            case 7:
                sx = w - 1 - y, sy = h - 1 - x;
                break;
            case 8:
                sx = w - 1 - y, sy = x;
                break;
            default:
                sx = x, sy = y;
                break;
            }
            std::memcpy(row + 4 * x, source + (sy * w + sx) * 4, 4);
        }
    }
}

bool DecodeJpeg(const std::uint8_t* data, std::size_t size, DecodedPicture& out, PictureMemory& memory) {
    if (data == nullptr || size == 0) return false;
    jpeg_decompress_struct info;
    std::memset(&info, 0, sizeof(info));
    JpegErrors errors;
    info.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = JumpOut;
    errors.manager.emit_message = OnMessage;
    errors.manager.output_message = NoOutput;
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
