#include "lists/KeyOrder.h"

#include <algorithm>
#include <utility>

namespace {
class Keys {
public:
    Keys(const std::string& keys, const std::vector<std::size_t>& starts)
        : bytes_(reinterpret_cast<const unsigned char*>(keys.data())), starts_(starts.data()) {}

    // The key's byte at the depth, -1 past its end.
    int At(std::size_t key, std::size_t depth) const {
        const std::size_t start = starts_[key], length = starts_[key + 1] - start;
        return depth < length ? bytes_[start + depth] : -1;
    }

    // Keys that agree before the depth, compared from there; equal keys by position.
    bool Less(std::size_t a, std::size_t b, std::size_t depth) const {
        for (;; ++depth) {
            const int x = At(a, depth), y = At(b, depth);
            if (x != y) return x < y;
            if (x < 0) return a < b;
        }
    }

private:
    const unsigned char* bytes_;
    const std::size_t* starts_;
};

constexpr std::size_t kFewKeys = 12; // ranges this small are sorted by insertion

int MedianOfThree(int a, int b, int c) {
    return std::max(std::min(a, b), std::min(std::max(a, b), c));
}
} // namespace

// Three-way radix quicksort: a range of keys that agree before `depth` splits by the byte at that
// depth into less, equal and greater; only the equal part moves on to the next byte.
std::vector<std::size_t> OrderOfKeys(const std::string& keys, const std::vector<std::size_t>& starts) {
    const std::size_t count = starts.empty() ? 0 : starts.size() - 1;
    std::vector<std::size_t> order(count);
    for (std::size_t i = 0; i < count; ++i)
        order[i] = i;
    const Keys key(keys, starts);
    struct Range {
        std::size_t low, high, depth;
    };
    std::vector<Range> pending;
    if (count > 1) pending.push_back({0, count, 0});
    while (!pending.empty()) {
        const Range range = pending.back();
        pending.pop_back();
        const std::size_t low = range.low, high = range.high, depth = range.depth;
        if (high - low <= kFewKeys) {
            for (std::size_t i = low + 1; i < high; ++i) {
                const std::size_t moving = order[i];
                std::size_t j = i;
                for (; j > low && key.Less(moving, order[j - 1], depth); --j)
                    order[j] = order[j - 1];
                order[j] = moving;
            }
            continue;
        }
        const int pivot = MedianOfThree(key.At(order[low], depth), key.At(order[low + (high - low) / 2], depth),
                                        key.At(order[high - 1], depth));
        std::size_t less = low, i = low, greater = high;
        while (i < greater) {
            const int byte = key.At(order[i], depth);
            if (byte < pivot)
                std::swap(order[less++], order[i++]);
            else if (byte > pivot)
                std::swap(order[i], order[--greater]);
            else
                ++i;
        }
        if (less - low > 1) pending.push_back({low, less, depth});
        if (high - greater > 1) pending.push_back({greater, high, depth});
        if (greater - less > 1) {
            if (pivot < 0) // keys that ended here are equal: they keep their order
                std::sort(order.begin() + std::ptrdiff_t(less), order.begin() + std::ptrdiff_t(greater));
            else
                pending.push_back({less, greater, depth + 1});
        }
    }
    return order;
}
