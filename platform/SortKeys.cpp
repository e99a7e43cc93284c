#include "platform/SortKeys.h"

#include <windows.h>

#include <algorithm>
#include <utility>

std::vector<std::size_t> SortedOrder(const std::vector<const std::string*>& texts, bool ignoreCase) {
    const DWORD flags = LCMAP_SORTKEY | (ignoreCase ? NORM_IGNORECASE : 0);
    std::vector<std::pair<std::string, std::size_t>> keys(texts.size());
    std::string buffer;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const std::string& text = *texts[i];
        // One call per text: the key goes into a buffer of ample size; only a key that does not
        // fit asks for its size first.
        buffer.resize(std::max<std::size_t>(buffer.size(), 8 * text.size() + 32));
        int length =
            LCMapStringA(LOCALE_USER_DEFAULT, flags, text.c_str(), int(text.size()), &buffer[0], int(buffer.size()));
        if (length == 0) {
            length = LCMapStringA(LOCALE_USER_DEFAULT, flags, text.c_str(), int(text.size()), nullptr, 0);
            buffer.resize(std::size_t(length > 0 ? length : 0));
            if (length > 0)
                length = LCMapStringA(LOCALE_USER_DEFAULT, flags, text.c_str(), int(text.size()), &buffer[0], length);
        }
        keys[i] = {buffer.substr(0, std::size_t(length > 0 ? length : 0)), i};
    }
    std::sort(keys.begin(), keys.end());
    std::vector<std::size_t> order;
    order.reserve(keys.size());
    for (const auto& key : keys)
        order.push_back(key.second);
    return order;
}
