#include "nviewlib/JpegSetup.h"

#include "nviewlib/Orientation.h"

#include <jerror.h>

namespace {
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
} // namespace

void SetUpJpegErrors(jpeg_decompress_struct& info, JpegErrors& errors) {
    info.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = JumpOut;
    errors.manager.emit_message = OnMessage;
    errors.manager.output_message = NoOutput;
}

void PrepareJpeg(jpeg_decompress_struct& info) {
    info.mem->max_memory_to_use = kMaxLibraryMemory;
    jpeg_save_markers(&info, kExifMarker, 0xFFFF);
}

int JpegOrientation(const jpeg_decompress_struct& info) {
    for (jpeg_saved_marker_ptr marker = info.marker_list; marker != nullptr; marker = marker->next)
        if (marker->marker == kExifMarker) {
            const int orientation = ExifOrientation(marker->data, marker->data_length);
            if (orientation != 1) return orientation;
        }
    return 1;
}

bool ChooseJpegOutput(jpeg_decompress_struct& info) {
    const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    info.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRA;
    return cmyk;
}

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
