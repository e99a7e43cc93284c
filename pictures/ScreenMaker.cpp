#include "pictures/ScreenMaker.h"

#include "pictures/ScreenRule.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <unordered_map>

LayoutRect ScreenPictureRect(PixelSize picture) {
    if (picture.Empty()) return {};
    // In units of screen pixels a picture pixel is 3/5 as wide as it is tall.
    return FitToScreen({picture.width * 3, picture.height * 5}, {kScreenWidth, kScreenHeight});
}

Pixels32 FrameScreen(ConstPixelView picture) {
    Pixels32 frame(kScreenWidth, kScreenHeight);
    const LayoutRect rect = ScreenPictureRect(picture.Size());
    if (rect.width <= 0 || rect.height <= 0) return frame;
    PixelView inside{frame.data.data() + std::ptrdiff_t(rect.top) * kScreenWidth + rect.left, rect.width, rect.height,
                     kScreenWidth};
    ScaleByArea(picture, inside);
    return frame;
}

namespace {
int Red(std::uint32_t c) {
    return int((c >> 16) & 0xFF);
}
int Green(std::uint32_t c) {
    return int((c >> 8) & 0xFF);
}
int Blue(std::uint32_t c) {
    return int(c & 0xFF);
}
std::uint32_t Rgb(int r, int g, int b) {
    return std::uint32_t(r) << 16 | std::uint32_t(g) << 8 | std::uint32_t(b);
}

// The nearest palette entry by the distance in red, green and blue. The entries are sorted by
// green and searched outwards from the given green until no nearer one can follow.
class PaletteSearch {
public:
    explicit PaletteSearch(const std::vector<std::uint32_t>& palette) {
        for (std::size_t i = 0; i < palette.size(); ++i)
            entries_.push_back({Red(palette[i]), Green(palette[i]), Blue(palette[i]), int(i)});
        std::sort(entries_.begin(), entries_.end(), [](const Entry& a, const Entry& b) { return a.g < b.g; });
        for (int g = 0, i = 0; g < 256; ++g) {
            while (i < int(entries_.size()) && entries_[std::size_t(i)].g < g)
                ++i;
            start_[std::size_t(g)] = std::min(i, int(entries_.size()) - 1);
        }
    }

    int Find(int r, int g, int b) const {
        const int n = int(entries_.size());
        int best = -1, bestDistance = 0x7FFFFFFF;
        int up = start_[std::size_t(std::clamp(g, 0, 255))], down = up - 1;
        while (up < n || down >= 0) {
            if (up < n) {
                const Entry& e = entries_[std::size_t(up)];
                const int dg = (e.g - g) * (e.g - g);
                if (dg >= bestDistance) {
                    up = n;
                } else {
                    const int d = dg + (e.r - r) * (e.r - r) + (e.b - b) * (e.b - b);
                    if (d < bestDistance) bestDistance = d, best = e.index;
                    ++up;
                }
            }
            if (down >= 0) {
                const Entry& e = entries_[std::size_t(down)];
                const int dg = (e.g - g) * (e.g - g);
                if (dg >= bestDistance) {
                    down = -1;
                } else {
                    const int d = dg + (e.r - r) * (e.r - r) + (e.b - b) * (e.b - b);
                    if (d < bestDistance) bestDistance = d, best = e.index;
                    --down;
                }
            }
        }
        return best;
    }

private:
    struct Entry {
        int r, g, b, index;
    };
    std::vector<Entry> entries_;
    std::array<int, 256> start_{};
};

constexpr int kHistogramBits = 6;

// The colours of a histogram cell: their number and their mean.
struct Cell {
    double r, g, b;
    double count;
    double Axis(int axis) const { return axis == 0 ? r : axis == 1 ? g : b; }
};

// Colour sums of a run of cells, enough for their mean and their squared error.
struct Sums {
    double count = 0, r = 0, g = 0, b = 0, squares = 0;
    void Add(const Cell& c) {
        count += c.count;
        r += c.r * c.count;
        g += c.g * c.count;
        b += c.b * c.count;
        squares += (c.r * c.r + c.g * c.g + c.b * c.b) * c.count;
    }
    double Error() const { return count > 0 ? squares - (r * r + g * g + b * b) / count : 0; }
};

struct Box {
    std::size_t begin, end;
    Sums sums;
};

std::vector<Cell> Histogram(ConstPixelView pixels, LayoutRect area) {
    constexpr int kShift = 8 - kHistogramBits;
    constexpr std::size_t kCells = std::size_t(1) << (3 * kHistogramBits);
    std::vector<std::uint32_t> count(kCells), r(kCells), g(kCells), b(kCells);
    for (int y = area.top; y < area.top + area.height; ++y) {
        const std::uint32_t* row = pixels.Row(y);
        for (int x = area.left; x < area.left + area.width; ++x) {
            const std::uint32_t c = row[x];
            const std::size_t cell = std::size_t(Red(c) >> kShift) << (2 * kHistogramBits) |
                                     std::size_t(Green(c) >> kShift) << kHistogramBits | std::size_t(Blue(c) >> kShift);
            ++count[cell];
            r[cell] += std::uint32_t(Red(c));
            g[cell] += std::uint32_t(Green(c));
            b[cell] += std::uint32_t(Blue(c));
        }
    }
    std::vector<Cell> cells;
    for (std::size_t i = 0; i < kCells; ++i)
        if (count[i]) {
            const double n = count[i];
            cells.push_back({r[i] / n, g[i] / n, b[i] / n, n});
        }
    return cells;
}

// The colours of the area other than black (entry 0 holds that), each exactly, when there are at
// most `limit` of them or the area is grey: the 6-bit histogram would merge 256 greys into 64.
// Nothing for a picture of more colours.
std::optional<std::vector<Cell>> ExactColours(ConstPixelView pixels, LayoutRect area, std::size_t limit) {
    std::vector<Cell> cells;
    std::array<std::uint32_t, 256> greys{};
    bool grey = true;
    for (int y = area.top; y < area.top + area.height && grey; ++y) {
        const std::uint32_t* row = pixels.Row(y);
        for (int x = area.left; x < area.left + area.width && grey; ++x) {
            grey = Red(row[x]) == Green(row[x]) && Green(row[x]) == Blue(row[x]);
            ++greys[std::size_t(Green(row[x]))];
        }
    }
    if (grey) {
        for (int level = 1; level < 256; ++level)
            if (greys[std::size_t(level)])
                cells.push_back({double(level), double(level), double(level), double(greys[std::size_t(level)])});
        return cells;
    }
    std::unordered_map<std::uint32_t, std::uint32_t> counts;
    for (int y = area.top; y < area.top + area.height; ++y) {
        const std::uint32_t* row = pixels.Row(y);
        for (int x = area.left; x < area.left + area.width; ++x) {
            const std::uint32_t c = row[x] & 0xFFFFFF;
            if (c == 0) continue;
            ++counts[c];
            if (counts.size() > limit) return std::nullopt;
        }
    }
    for (const auto& [c, n] : counts)
        cells.push_back({double(Red(c)), double(Green(c)), double(Blue(c)), double(n)});
    // The map's order differs between builds; the palette must not.
    std::sort(cells.begin(), cells.end(), [](const Cell& a, const Cell& b) {
        return Rgb(int(a.r), int(a.g), int(a.b)) < Rgb(int(b.r), int(b.g), int(b.b));
    });
    return cells;
}

// Splits the box along its widest axis where the two halves have the least squared error.
bool SplitBox(std::vector<Cell>& cells, const Box& box, Box& low, Box& high) {
    if (box.end - box.begin < 2) return false;
    double mean[3] = {box.sums.r / box.sums.count, box.sums.g / box.sums.count, box.sums.b / box.sums.count};
    double spread[3] = {};
    for (std::size_t i = box.begin; i < box.end; ++i)
        for (int a = 0; a < 3; ++a) {
            const double d = cells[i].Axis(a) - mean[a];
            spread[a] += d * d * cells[i].count;
        }
    const int axis = int(std::max_element(spread, spread + 3) - spread);
    std::sort(cells.begin() + std::ptrdiff_t(box.begin), cells.begin() + std::ptrdiff_t(box.end),
              [axis](const Cell& a, const Cell& b) { return a.Axis(axis) < b.Axis(axis); });
    Sums left;
    double bestError = -1;
    std::size_t bestCut = box.begin + 1;
    Sums bestLeft;
    for (std::size_t cut = box.begin + 1; cut < box.end; ++cut) {
        left.Add(cells[cut - 1]);
        Sums right;
        right.count = box.sums.count - left.count;
        right.r = box.sums.r - left.r;
        right.g = box.sums.g - left.g;
        right.b = box.sums.b - left.b;
        right.squares = box.sums.squares - left.squares;
        const double error = left.Error() + right.Error();
        if (bestError < 0 || error < bestError) bestError = error, bestCut = cut, bestLeft = left;
    }
    low = {box.begin, bestCut, bestLeft};
    high = {bestCut, box.end, {}};
    for (std::size_t i = bestCut; i < box.end; ++i)
        high.sums.Add(cells[i]);
    return true;
}
} // namespace

std::vector<std::uint32_t> MakePalette(ConstPixelView pixels, LayoutRect area, int colours) {
    std::vector<std::uint32_t> palette{0};
    if (area.width <= 0 || area.height <= 0 || colours <= 1) return palette;
    std::optional<std::vector<Cell>> exact = ExactColours(pixels, area, std::size_t(colours - 1));
    std::vector<Cell> cells = exact ? std::move(*exact) : Histogram(pixels, area);
    if (cells.empty()) return palette; // black alone

    // Median cut: the box with the largest squared error is split until there are enough.
    std::vector<Box> boxes{{0, cells.size(), {}}};
    for (const Cell& c : cells)
        boxes[0].sums.Add(c);
    while (int(boxes.size()) < colours - 1) {
        std::size_t worst = boxes.size();
        for (std::size_t i = 0; i < boxes.size(); ++i)
            if (boxes[i].end - boxes[i].begin > 1 &&
                (worst == boxes.size() || boxes[i].sums.Error() > boxes[worst].sums.Error()))
                worst = i;
        if (worst == boxes.size() || boxes[worst].sums.Error() <= 0) break;
        Box low, high;
        if (!SplitBox(cells, boxes[worst], low, high)) break;
        boxes[worst] = low;
        boxes.push_back(high);
    }

    // k-means: each entry moves to the mean of the colours nearest to it; black stays at entry 0.
    std::vector<double> centres; // r, g, b of entries 1..n
    for (const Box& box : boxes)
        centres.insert(centres.end(),
                       {box.sums.r / box.sums.count, box.sums.g / box.sums.count, box.sums.b / box.sums.count});
    const std::size_t n = boxes.size();
    auto rounded = [&] {
        std::vector<std::uint32_t> result{0};
        for (std::size_t i = 0; i < n; ++i)
            result.push_back(Rgb(int(std::lround(centres[3 * i])), int(std::lround(centres[3 * i + 1])),
                                 int(std::lround(centres[3 * i + 2]))));
        return result;
    };
    for (int round = 0; round < 6; ++round) {
        const PaletteSearch search(rounded());
        std::vector<Sums> sums(n + 1);
        for (const Cell& c : cells)
            sums[std::size_t(search.Find(int(std::lround(c.r)), int(std::lround(c.g)), int(std::lround(c.b))))].Add(c);
        bool moved = false;
        for (std::size_t i = 0; i < n; ++i) {
            const Sums& s = sums[i + 1];
            if (s.count <= 0) continue;
            const double next[3] = {s.r / s.count, s.g / s.count, s.b / s.count};
            for (int a = 0; a < 3; ++a) {
                moved = moved || std::fabs(next[a] - centres[3 * i + std::size_t(a)]) > 0.25;
                centres[3 * i + std::size_t(a)] = next[a];
            }
        }
        if (!moved) break;
    }
    return rounded();
}

void DitherInto(ConstPixelView pixels, LayoutRect area, const std::vector<std::uint32_t>& palette,
                IndexedPicture& target) {
    if (area.width <= 0 || area.height <= 0 || palette.empty()) return;
    const PaletteSearch search(palette);
    const std::size_t w = std::size_t(area.width);
    // Errors in 16ths, three per pixel, with one spare pixel at each end of the row.
    std::vector<int> here((w + 2) * 3), next((w + 2) * 3);
    for (int y = 0; y < area.height; ++y) {
        const bool forward = y % 2 == 0;
        const std::uint32_t* row = pixels.Row(area.top + y) + area.left;
        std::uint8_t* out =
            target.indexes.data() + std::size_t(area.top + y) * std::size_t(target.width) + std::size_t(area.left);
        std::fill(next.begin(), next.end(), 0);
        const int step = forward ? 1 : -1;
        for (int i = 0; i < area.width; ++i) {
            const int x = forward ? i : area.width - 1 - i;
            const std::uint32_t c = row[x];
            int* e = &here[std::size_t(x + 1) * 3];
            const int want[3] = {std::clamp(Red(c) + (e[0] + 8) / 16, 0, 255),
                                 std::clamp(Green(c) + (e[1] + 8) / 16, 0, 255),
                                 std::clamp(Blue(c) + (e[2] + 8) / 16, 0, 255)};
            const int index = search.Find(want[0], want[1], want[2]);
            out[x] = std::uint8_t(index);
            const std::uint32_t got = palette[std::size_t(index)];
            const int error[3] = {want[0] - Red(got), want[1] - Green(got), want[2] - Blue(got)};
            int* ahead = &here[std::size_t(x + 1 + step) * 3];
            int* below = &next[std::size_t(x + 1) * 3];
            for (int a = 0; a < 3; ++a) {
                ahead[a] += error[a] * 7;
                below[a - 3 * step] += error[a] * 3;
                below[a] += error[a] * 5;
                below[a + 3 * step] += error[a];
            }
        }
        here.swap(next);
    }
}

namespace {
// A bright band that runs along the bar as its entries rotate.
std::uint32_t BarColour(int i) {
    const double wave = 0.5 + 0.5 * std::cos(2 * 3.14159265358979 * i / kBarEntries);
    return Rgb(int(16 + 80 * wave), int(48 + 150 * wave), int(128 + 127 * wave));
}
} // namespace

IndexedPicture QuantizeScreen(const Pixels32& frame, LayoutRect picture, bool animatedBar) {
    IndexedPicture screen;
    screen.width = frame.width;
    screen.height = frame.height;
    screen.indexes.assign(std::size_t(frame.width) * std::size_t(frame.height), 0);
    LayoutRect area = picture;
    if (animatedBar) area.height = std::max(0, std::min(area.top + area.height, frame.height - kBarRows) - area.top);
    const std::vector<std::uint32_t> palette =
        MakePalette(frame.View(), area, animatedBar ? kBarFirstEntry : int(screen.palette.size()));
    std::copy(palette.begin(), palette.end(), screen.palette.begin());
    DitherInto(frame.View(), area, palette, screen);
    if (animatedBar) {
        for (int i = 0; i < kBarEntries; ++i)
            screen.palette[std::size_t(kBarFirstEntry + i)] = BarColour(i);
        for (int y = std::max(0, frame.height - kBarRows); y < frame.height; ++y)
            for (int x = 0; x < frame.width; ++x)
                screen.indexes[std::size_t(y) * std::size_t(frame.width) + std::size_t(x)] =
                    std::uint8_t(kBarFirstEntry + x * kBarEntries / frame.width);
        screen.rotationStart = kBarFirstEntry;
    }
    return screen;
}

std::string MakeScreenFile(ConstPixelView picture, bool animatedBar) {
    const Pixels32 frame = FrameScreen(picture);
    return EncodeBmp8(QuantizeScreen(frame, ScreenPictureRect(picture.Size()), animatedBar));
}

std::string EncodeBmp8(const IndexedPicture& picture) {
    const std::size_t width = std::size_t(std::max(picture.width, 0)),
                      height = std::size_t(std::max(picture.height, 0));
    std::size_t offset = 0, stride = 0;
    std::string file = NewBmpFile(picture.width, picture.height, 8, 256, offset, stride);
    PutLittleEndian(file, 50, std::uint32_t(picture.rotationStart), 4); // byte 0x32: where the rotation starts
    for (std::size_t i = 0; i < 256; ++i)
        PutLittleEndian(file, 54 + 4 * i, picture.palette[i] & 0xFFFFFF, 4);
    for (std::size_t y = 0; y < height; ++y)
        std::copy_n(picture.indexes.begin() + std::ptrdiff_t((height - 1 - y) * width), width,
                    file.begin() + std::ptrdiff_t(offset + y * stride));
    return file;
}

Pixels32 ExpandIndexed(const IndexedPicture& picture) {
    Pixels32 result(picture.width, picture.height);
    for (std::size_t i = 0; i < result.data.size(); ++i)
        result.data[i] = picture.palette[picture.indexes[i]] & 0xFFFFFF;
    return result;
}
