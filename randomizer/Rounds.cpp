#include "randomizer/Rounds.h"

#include <algorithm>

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

namespace {
constexpr std::uint64_t kKeyStart = 0xCBF29CE484222325ull; // FNV-1a

std::uint64_t AddToKey(std::uint64_t hash, std::string_view text) {
    for (unsigned char c : text) {
        if (c >= 'a' && c <= 'z') c = static_cast<unsigned char>(c - 'a' + 'A');
        hash = (hash ^ c) * 0x100000001B3ull;
    }
    return hash;
}
} // namespace

std::uint64_t EntryKey(std::string_view fullPath) {
    return AddToKey(kKeyStart, fullPath);
}

// The list reader's split: the style off a wallpaper line at its last comma, the path up to the
// last backslash or colon, the program folder for a bare name; the full path joins the two.
std::uint64_t EntryKeyOfLine(std::string_view line, Category category, const std::string& programDir) {
    if (category == Category::Wall) line = line.substr(0, line.rfind(','));
    const std::size_t cut = line.find_last_of("\\:");
    const std::string_view path =
        cut == std::string_view::npos ? std::string_view(programDir) : line.substr(0, cut + 1);
    const std::string_view name = cut == std::string_view::npos ? line : line.substr(cut + 1);
    std::uint64_t hash = AddToKey(kKeyStart, path);
    if (!path.empty() && path.back() != '\\') hash = AddToKey(hash, "\\");
    return AddToKey(hash, name);
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
    // The first entry of each key, in list order: a key that occurs more than once is one picture.
    std::vector<std::pair<std::uint64_t, std::size_t>> byKey(keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i)
        byKey[i] = {keys[i], i};
    std::sort(byKey.begin(), byKey.end());
    std::vector<char> first(keys.size(), 0);
    for (std::size_t i = 0; i < byKey.size(); ++i)
        first[byKey[i].second] = i == 0 || byKey[i].first != byKey[i - 1].first;
    std::vector<std::size_t> fresh, again;
    for (std::size_t i = 0; i < keys.size(); ++i)
        if (first[i]) (WasShown(state, keys[i]) ? again : fresh).push_back(i);
    Shuffle(fresh, random);
    Shuffle(again, random);
    // A new round should not open with the picture the old one ended with.
    auto last =
        std::find_if(again.begin(), again.end(), [&](std::size_t i) { return state.hasLast && keys[i] == state.last; });
    if (last != again.end()) std::rotate(last, last + 1, again.end());
    fresh.insert(fresh.end(), again.begin(), again.end());
    return fresh;
}

std::vector<std::size_t> MonitorTryOrder(const std::vector<std::uint64_t>& keys, const RoundState& state,
                                         PickRandom& random, const std::vector<std::uint64_t>& onMonitors) {
    std::vector<std::size_t> order = TryOrder(keys, state, random);
    std::stable_partition(order.begin(), order.end(), [&](std::size_t i) {
        return std::find(onMonitors.begin(), onMonitors.end(), keys[i]) == onMonitors.end();
    });
    return order;
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
// "QZRND", version 2, CR LF; then per list: the count of shown keys and whether a last one is
// known (32 bits each), the last key and the shown keys (64 bits each), all little-endian.
constexpr char kMagic[8] = {'Q', 'Z', 'R', 'N', 'D', 2, '\r', '\n'};

void Put(std::string& out, std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out += char((value >> (8 * i)) & 0xFF);
}

bool Take(std::string_view& in, int bytes, std::uint64_t& value) {
    if (in.size() < std::size_t(bytes)) return false;
    value = 0;
    for (int i = 0; i < bytes; ++i)
        value |= std::uint64_t(static_cast<unsigned char>(in[i])) << (8 * i);
    in.remove_prefix(std::size_t(bytes));
    return true;
}
} // namespace

std::string WriteRoundStates(const RoundState (&states)[kRoundLists]) {
    std::string out(kMagic, sizeof(kMagic));
    for (const RoundState& state : states) {
        Put(out, state.shown.size(), 4);
        Put(out, state.hasLast ? 1 : 0, 4);
        Put(out, state.hasLast ? state.last : 0, 8);
        for (std::uint64_t key : state.shown)
            Put(out, key, 8);
    }
    return out;
}

void ReadRoundStates(const std::string& bytes, RoundState (&states)[kRoundLists]) {
    RoundState read[kRoundLists];
    std::string_view in(bytes);
    bool ok = in.substr(0, sizeof(kMagic)) == std::string_view(kMagic, sizeof(kMagic));
    if (ok) in.remove_prefix(sizeof(kMagic));
    for (RoundState& state : read) {
        std::uint64_t count = 0, hasLast = 0;
        ok = ok && Take(in, 4, count) && Take(in, 4, hasLast) && hasLast <= 1 && Take(in, 8, state.last) &&
             in.size() / 8 >= count;
        state.hasLast = ok && hasLast == 1;
        for (std::uint64_t i = 0; ok && i < count; ++i) {
            std::uint64_t key = 0;
            ok = Take(in, 8, key) && (state.shown.empty() || state.shown.back() < key);
            state.shown.push_back(key);
        }
    }
    ok = ok && in.empty();
    for (int list = 0; list < kRoundLists; ++list)
        states[list] = ok ? std::move(read[list]) : RoundState();
}
