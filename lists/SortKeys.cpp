#include "lists/SortKeys.h"

#include "lists/KeyOrder.h"

#include <windows.h>

#include <algorithm>
#include <string>

std::vector<std::size_t> SortedOrder(const std::vector<std::string_view>& texts, bool ignoreCase) {
    const DWORD flags = LCMAP_SORTKEY | (ignoreCase ? NORM_IGNORECASE : 0);
    // All keys in one buffer, one after another: no allocation per text. The buffer grows ahead
    // of the keys and is cut to their length at the end.
    std::string keys;
    std::size_t used = 0;
    std::vector<std::size_t> starts(texts.size() + 1, 0);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const std::string_view text = texts[i];
        if (!text.empty()) { // the system makes no key of an empty text
            const int length = int(text.size());
            const std::size_t room = 8 * text.size() + 32;
            if (keys.size() < used + room) keys.resize(std::max(2 * keys.size(), used + room));
            // One call per text into ample room; only a key that does not fit asks for its size first.
            int made = LCMapStringA(LOCALE_USER_DEFAULT, flags, text.data(), length, &keys[used], int(room));
            if (made == 0) {
                made = LCMapStringA(LOCALE_USER_DEFAULT, flags, text.data(), length, nullptr, 0);
                if (made > 0) {
                    if (keys.size() < used + std::size_t(made)) keys.resize(used + std::size_t(made));
                    made = LCMapStringA(LOCALE_USER_DEFAULT, flags, text.data(), length, &keys[used], made);
                }
            }
            used += std::size_t(std::max(made, 0));
        }
        starts[i + 1] = used;
    }
    keys.resize(used);
    return OrderOfKeys(keys, starts);
}

std::size_t SortedPosition(const ListRows& rows, const std::string& key) {
    std::size_t low = 0, high = rows.Size();
    while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        if (lstrcmpA(key.c_str(), rows.Cell(middle, 0).c_str()) < 0)
            high = middle;
        else
            low = middle + 1;
    }
    return low;
}

void AssignSorted(ListRows& rows, std::vector<std::vector<std::string>> cells) {
    std::vector<std::string_view> keys;
    keys.reserve(cells.size());
    for (const auto& row : cells)
        keys.push_back(row.empty() ? std::string_view() : std::string_view(row[0]));
    const std::vector<std::size_t> order = SortedOrder(keys, false);
    rows.Assign(std::move(cells), order);
}
