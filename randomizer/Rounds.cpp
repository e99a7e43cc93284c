#include "randomizer/Rounds.h"

#include <algorithm>
#include <cstdio>

std::uint64_t PickRandom::Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

std::size_t PickRandom::Below(std::size_t n) {
    // Rejection keeps every value equally likely.
    const std::uint64_t limit = UINT64_MAX - UINT64_MAX % n;
    std::uint64_t value;
    do
        value = Next();
    while (value >= limit);
    return std::size_t(value % n);
}

std::uint64_t EntryKey(const std::string& fullPath) {
    std::uint64_t hash = 0xCBF29CE484222325ull; // FNV-1a
    for (unsigned char c : fullPath) {
        if (c >= 'a' && c <= 'z') c = static_cast<unsigned char>(c - 'a' + 'A');
        hash = (hash ^ c) * 0x100000001B3ull;
    }
    return hash;
}

namespace {
bool WasShown(const RoundState& state, std::uint64_t key) {
    return std::binary_search(state.shown.begin(), state.shown.end(), key);
}

void Shuffle(std::vector<std::size_t>& positions, PickRandom& random) {
    for (std::size_t i = positions.size(); i > 1; --i)
        std::swap(positions[i - 1], positions[random.Below(i)]);
}
} // namespace

std::vector<std::size_t> TryOrder(const std::vector<std::uint64_t>& keys, const RoundState& state, PickRandom& random) {
    std::vector<std::size_t> fresh, again;
    std::vector<std::uint64_t> taken;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        auto at = std::lower_bound(taken.begin(), taken.end(), keys[i]);
        if (at != taken.end() && *at == keys[i]) continue; // a duplicate entry
        taken.insert(at, keys[i]);
        (WasShown(state, keys[i]) ? again : fresh).push_back(i);
    }
    Shuffle(fresh, random);
    Shuffle(again, random);
    // A new round should not open with the picture the old one ended with.
    auto last =
        std::find_if(again.begin(), again.end(), [&](std::size_t i) { return state.hasLast && keys[i] == state.last; });
    if (last != again.end()) std::rotate(last, last + 1, again.end());
    fresh.insert(fresh.end(), again.begin(), again.end());
    return fresh;
}

void RecordShown(RoundState& state, const std::vector<std::uint64_t>& keys, std::uint64_t shown) {
    if (WasShown(state, shown)) state.shown.clear();
    std::vector<std::uint64_t> present(keys);
    std::sort(present.begin(), present.end());
    std::vector<std::uint64_t> kept;
    for (std::uint64_t key : state.shown)
        if (std::binary_search(present.begin(), present.end(), key)) kept.push_back(key);
    kept.insert(std::lower_bound(kept.begin(), kept.end(), shown), shown);
    state.shown = std::move(kept);
    state.last = shown;
    state.hasLast = true;
}

namespace {
constexpr const char* kHeader = "QZRandom rounds 1";
constexpr const char* kListNames[kRoundLists] = {"START", "WAIT", "SHUT", "WALLPAPER"};

std::string Hex(std::uint64_t value) {
    char text[17];
    std::snprintf(text, sizeof(text), "%016llx", static_cast<unsigned long long>(value));
    return text;
}

bool ParseHex(const std::string& text, std::uint64_t& value) {
    if (text.size() != 16) return false;
    value = 0;
    for (char c : text) {
        int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
        if (digit < 0) return false;
        value = value << 4 | std::uint64_t(digit);
    }
    return true;
}
} // namespace

std::string WriteRoundStates(const RoundState (&states)[kRoundLists]) {
    std::string text = std::string(kHeader) + "\r\n";
    for (int list = 0; list < kRoundLists; ++list) {
        const RoundState& state = states[list];
        text += std::string(kListNames[list]) + " " + (state.hasLast ? Hex(state.last) : "-") + " " +
                std::to_string(state.shown.size()) + "\r\n";
        for (std::uint64_t key : state.shown)
            text += Hex(key) + "\r\n";
    }
    return text;
}

void ReadRoundStates(const std::string& text, RoundState (&states)[kRoundLists]) {
    RoundState read[kRoundLists];
    std::size_t at = 0;
    std::string line;
    auto next = [&] {
        if (at >= text.size()) return false;
        std::size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        line = text.substr(at, end - at);
        at = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        return true;
    };
    bool ok = next() && line == kHeader;
    for (int list = 0; ok && list < kRoundLists; ++list) {
        // "<list> <last key or -> <count>"
        const std::string prefix = std::string(kListNames[list]) + " ";
        ok = next() && line.rfind(prefix, 0) == 0;
        const std::size_t blank = ok ? line.find(' ', prefix.size()) : std::string::npos;
        ok = ok && blank != std::string::npos;
        const std::string last = ok ? line.substr(prefix.size(), blank - prefix.size()) : std::string();
        const std::string count = ok ? line.substr(blank + 1) : std::string();
        ok = ok && !count.empty() && count.size() <= 8 && count.find_first_not_of("0123456789") == std::string::npos;
        RoundState& state = read[list];
        if (ok && last != "-") ok = state.hasLast = ParseHex(last, state.last);
        for (long i = 0, n = ok ? std::stol(count) : 0; ok && i < n; ++i) {
            std::uint64_t key = 0;
            ok = next() && ParseHex(line, key) && (state.shown.empty() || state.shown.back() < key);
            state.shown.push_back(key);
        }
    }
    for (int list = 0; list < kRoundLists; ++list)
        states[list] = ok ? std::move(read[list]) : RoundState();
}
