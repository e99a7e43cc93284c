#include "nviewlib/JpegRows.h"

#include "nviewlib/PictureMemory.h"

#include <algorithm>
#include <cstring>

JpegRows::JpegRows(std::FILE* file) : file_(file) {
    std::memset(&info_, 0, sizeof(info_));
    SetUpJpegErrors(info_, errors_);
}

JpegRows::~JpegRows() {
    if (created_) jpeg_destroy_decompress(&info_);
}

RowsOpened JpegRows::Open() {
    failed_ = true;
    if (setjmp(errors_.jump)) return RowsOpened::Refused;
    jpeg_create_decompress(&info_);
    created_ = true;
    PrepareJpeg(info_);
    jpeg_stdio_src(&info_, file_);
    if (jpeg_read_header(&info_, TRUE) != JPEG_HEADER_OK || !DecodeSizeAllowed(info_.image_width, info_.image_height))
        return RowsOpened::Refused;
    stored = {int(info_.image_width), int(info_.image_height)};
    orientation = JpegOrientation(info_);
    cmyk_ = ChooseJpegOutput(info_);
    failed_ = false;
    return RowsOpened::Rows;
}

PixelSize JpegRows::Reduce(PixelSize atLeast) {
    if (failed_ || started_) return stored;
    if (setjmp(errors_.jump)) {
        failed_ = true;
        return stored;
    }
    // The eighths libjpeg-turbo scales by in the DCT, smallest first: each side at least as asked.
    info_.scale_denom = 8;
    for (unsigned eighths = 1; eighths <= 8; ++eighths) {
        info_.scale_num = eighths;
        jpeg_calc_output_dimensions(&info_);
        if (int(info_.output_width) >= atLeast.width && int(info_.output_height) >= atLeast.height) break;
    }
    return {int(info_.output_width), int(info_.output_height)};
}

bool JpegRows::Start() {
    if (started_ || failed_) return !failed_;
    if (setjmp(errors_.jump)) return !(failed_ = true);
    jpeg_start_decompress(&info_);
    started_ = true;
    if (info_.output_components != 4) return !(failed_ = true);
    return true;
}

int JpegRows::KeepColumns(int left, int width) {
    if (!Start()) return 0;
    if (setjmp(errors_.jump)) {
        failed_ = true;
        return 0;
    }
    // libjpeg's smoothing of the colour samples takes the neighbours of each column, which it
    // replicates at the edges of a cut: a margin of a whole block keeps the columns used exact.
    constexpr int kMargin = 16;
    const int from = std::max(0, left - kMargin), to = std::min(int(info_.output_width), left + width + kMargin);
    if (from == 0 && to == int(info_.output_width)) return 0;
    JDIMENSION offset = JDIMENSION(from), kept = JDIMENSION(to - from);
    jpeg_crop_scanline(&info_, &offset, &kept); // widened to whole iMCU columns
    return int(offset);
}

std::uint32_t* JpegRows::NextRow() {
    if (!Start() || info_.output_scanline >= info_.output_height) return nullptr;
    row_.resize(info_.output_width);
    if (setjmp(errors_.jump)) {
        failed_ = true;
        return nullptr;
    }
    JSAMPROW row = reinterpret_cast<JSAMPROW>(row_.data());
    jpeg_read_scanlines(&info_, &row, 1);
    if (cmyk_) CmykToBgra(row, row_.size(), info_.saw_Adobe_marker);
    return row_.data();
}

bool JpegRows::SkipRows(int count) {
    if (!Start()) return false;
    if (setjmp(errors_.jump)) return !(failed_ = true);
    if (count > 0) jpeg_skip_scanlines(&info_, JDIMENSION(count));
    return true;
}

bool JpegRows::Finish() {
    if (!Start()) return false;
    if (setjmp(errors_.jump)) return !(failed_ = true);
    // The rows below the shown ones are passed over, not left unread, so that a file cut short is
    // still refused; libjpeg would take a skip to the end as the end, so the last row is read.
    const JDIMENSION left = info_.output_height - info_.output_scanline;
    if (left > 1) jpeg_skip_scanlines(&info_, left - 1);
    if (info_.output_scanline < info_.output_height) {
        row_.resize(info_.output_width);
        JSAMPROW row = reinterpret_cast<JSAMPROW>(row_.data());
        jpeg_read_scanlines(&info_, &row, 1);
    }
    jpeg_finish_decompress(&info_);
    return true;
}
