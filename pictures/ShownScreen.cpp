#include "pictures/ShownScreen.h"

#include <algorithm>

LayoutRect ShownScreenRect(PixelSize display) {
    return FitToScreen({4, 3}, display);
}

ImageLayout ShownScreenLayout(PixelSize client) {
    ImageLayout layout;
    layout.fillsClient = false;
    layout.bounds = ShownScreenRect(client);
    layout.content = ImageLayout::Content::OwnColours;
    layout.onBlack = true;
    return layout;
}

int RotationStartOf(const std::uint8_t* file, std::size_t size) {
    constexpr std::size_t kInfoHeader = 14, kRotationByte = 0x32;
    if (size <= kRotationByte || file[0] != 'B' || file[1] != 'M') return 0;
    const std::uint32_t headerSize = std::uint32_t(file[kInfoHeader]) | std::uint32_t(file[kInfoHeader + 1]) << 8 |
                                     std::uint32_t(file[kInfoHeader + 2]) << 16 |
                                     std::uint32_t(file[kInfoHeader + 3]) << 24;
    return headerSize >= 40 ? file[kRotationByte] : 0; // a 12-byte header has a colour there
}

int ShownRotationStart(Category category, PixelFormat format, int rotationStart) {
    return category == Category::Start && format == PixelFormat::Bits8 ? rotationStart : 0;
}

RowSpan RowsWithEntriesFrom(const std::uint8_t* topRow, int width, int height, std::ptrdiff_t stride, int start) {
    RowSpan rows{height, 0};
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* row = topRow + y * stride;
        if (std::any_of(row, row + width, [start](std::uint8_t index) { return index >= start; }))
            rows = {std::min(rows.begin, y), y + 1};
    }
    return rows.Empty() ? RowSpan{} : rows;
}

RowSpan ShownRows(RowSpan rows, int height, int shownHeight) {
    if (rows.Empty() || height <= 0) return {};
    const long long h = height, shown = shownHeight;
    return {int(std::max(0LL, rows.begin * shown / h - 1)), int(std::min(shown, (rows.end * shown + h - 1) / h + 1))};
}

void RotateColours(std::uint32_t* colours, int start) {
    if (start <= 0 || start > 255) return;
    std::rotate(colours + start, colours + 255, colours + 256);
}
