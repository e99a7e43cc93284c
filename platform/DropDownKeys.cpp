#include "platform/DropDownKeys.h"

#include <algorithm>
#include <cctype>

int RowAfterKey(TDropDownKey key, int index, int count, int page) {
    if (count <= 0) return -1;
    const int step = std::max(page - 1, 1);
    int row = index;
    switch (key) {
    case TDropDownKey::Up:
        row = index < 0 ? 0 : index - 1;
        break;
    case TDropDownKey::Down:
        row = index + 1;
        break;
    case TDropDownKey::PageUp:
        row = index < 0 ? 0 : index - step;
        break;
    case TDropDownKey::PageDown:
        row = index < 0 ? step - 1 : index + step;
        break;
    case TDropDownKey::Home:
        row = 0;
        break;
    case TDropDownKey::End:
        row = count - 1;
        break;
    }
    return std::clamp(row, 0, count - 1);
}

int RowOfCharacter(const std::vector<std::string>& rows, int index, char character) {
    const int count = int(rows.size());
    const auto folded = [](char c) { return std::tolower(static_cast<unsigned char>(c)); };
    for (int step = 1; step <= count; ++step) {
        const int row = ((index < 0 ? -1 : index) + step) % count;
        const std::string& text = rows[std::size_t(row)];
        if (!text.empty() && folded(text[0]) == folded(character)) return row;
    }
    return -1;
}
