#include "platform/SortKeys.h"

#include <windows.h>

#include <algorithm>
#include <utility>

std::vector<std::size_t> SortedOrder(const std::vector<const std::string*>& texts, bool ignoreCase) {
    const DWORD flags = LCMAP_SORTKEY | (ignoreCase ? NORM_IGNORECASE : 0);
    std::vector<std::pair<std::string, std::size_t>> keys(texts.size());
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const std::string& text = *texts[i];
        int length = LCMapStringA(LOCALE_USER_DEFAULT, flags, text.c_str(), int(text.size()), nullptr, 0);
        std::string key(std::size_t(length > 0 ? length : 0), '\0');
        if (length > 0) LCMapStringA(LOCALE_USER_DEFAULT, flags, text.c_str(), int(text.size()), &key[0], length);
        keys[i] = {std::move(key), i};
    }
    std::sort(keys.begin(), keys.end());
    std::vector<std::size_t> order;
    order.reserve(keys.size());
    for (const auto& key : keys)
        order.push_back(key.second);
    return order;
}
