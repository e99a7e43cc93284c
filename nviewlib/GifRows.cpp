#include "nviewlib/GifRows.h"

#include <algorithm>

namespace {
int ReadFromFile(GifFileType* gif, GifByteType* target, int count) {
    return count > 0 ? int(std::fread(target, 1, std::size_t(count), static_cast<std::FILE*>(gif->UserData))) : 0;
}
} // namespace

GifRows::GifRows(std::FILE* file) : reader_(file, ReadFromFile) {}

RowsOpened GifRows::Open() {
    GifFileType* gif = reader_.Get();
    int transparent = -1;
    if (!OpenFirstFrame(gif, transparent, palette_)) return RowsOpened::Refused;
    if (gif->Image.Interlace) return RowsOpened::Interlaced;
    stored = {gif->SWidth, gif->SHeight};
    opacity = true;
    row_.resize(std::size_t(stored.width));
    line_.resize(std::size_t(gif->Image.Width));
    return RowsOpened::Rows;
}

std::uint32_t* GifRows::NextRow() {
    if (failed_ || next_ >= stored.height) return nullptr;
    const GifImageDesc& frame = reader_.Get()->Image;
    const int y = next_++;
    std::fill(row_.begin(), row_.end(), 0u);
    if (y >= frame.Top && y - frame.Top < frame.Height) {
        if (DGifGetLine(reader_.Get(), line_.data(), frame.Width) == GIF_ERROR) {
            failed_ = true;
            return nullptr;
        }
        for (int x = 0; x < frame.Width && long(frame.Left) + x < stored.width; ++x)
            row_[std::size_t(frame.Left) + std::size_t(x)] = palette_[line_[std::size_t(x)]];
    }
    return row_.data();
}

bool GifRows::Finish() {
    // Frame lines below the picture's last row are read as a whole decode reads them.
    const GifImageDesc& frame = reader_.Get()->Image;
    while (next_ < stored.height)
        if (!NextRow()) return false;
    for (int row = std::max(0, stored.height - frame.Top); row < frame.Height; ++row)
        if (DGifGetLine(reader_.Get(), line_.data(), frame.Width) == GIF_ERROR) return false;
    return !failed_;
}
