#include "pictures/BmpReader.h"
#include "pictures/ScreenRule.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define BMP_TEST_COUNTS_ALLOCATIONS 1
#include <sanitizer/allocator_interface.h>
#endif
#endif

#ifndef BMPSUITE_DIR
#error "BMPSUITE_DIR must name the BMP conformance corpus"
#endif
#ifndef BMP_TEST_DATA
#error "BMP_TEST_DATA must name tests/pictures/data"
#endif

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in.good()) << "cannot open " << path;
    return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// ---- Expected pixels: bmpsuite-expected.txt, written by data/make-bmp-expectations.sh ----

struct ExpectedRow {
    std::uint32_t hash = 0;
    long long sums[3] = {};
    std::vector<bool> clear; // fully transparent pixels: black in hash and sums
};
struct Reference {
    int width = 0, height = 0;
    std::vector<ExpectedRow> rows;
};

const std::map<std::string, Reference>& References() {
    static const std::map<std::string, Reference> refs = [] {
        std::map<std::string, Reference> all;
        std::ifstream in(std::string(BMP_TEST_DATA) + "/bmpsuite-expected.txt");
        std::string line;
        Reference* current = nullptr;
        while (std::getline(in, line)) {
            if (line.empty() || line[0] == '#') continue;
            std::istringstream fields(line);
            if (line.compare(0, 4, "ref ") == 0) {
                std::string tag, name;
                Reference ref;
                fields >> tag >> name >> ref.width >> ref.height;
                current = &(all[name] = ref);
                continue;
            }
            ExpectedRow row;
            std::string mask;
            fields >> std::hex >> row.hash >> std::dec >> row.sums[0] >> row.sums[1] >> row.sums[2] >> mask;
            for (std::size_t x = 0; current && !mask.empty() && x < std::size_t(current->width); ++x) {
                row.clear.push_back((std::stoul(mask.substr(x / 4, 1), nullptr, 16) >> (3 - x % 4)) & 1);
            }
            if (current) current->rows.push_back(row);
        }
        return all;
    }();
    return refs;
}

// The hash of make-bmp-expectations.sh over R, G, B of a row of 0xAARRGGBB pixels.
std::uint32_t RowHash(const std::uint32_t* row, int width, const std::vector<bool>& clear) {
    std::uint64_t h = 0;
    for (int x = 0; x < width; ++x) {
        const std::uint32_t c = clear.empty() || !clear[std::size_t(x)] ? row[x] : 0;
        for (int shift : {16, 8, 0})
            h = (h * 256 + ((c >> shift) & 0xFF)) % 2147483647u;
    }
    return std::uint32_t(h);
}

// Exact: every row hash matches; Near: every row's channel sums within 2 per pixel (readers round
// channels wider than 8 bits differently); Any: size and format only (no single right rendering).
enum class Match { Exact, Near, Any };

::testing::AssertionResult MatchesReference(const std::vector<std::uint32_t>& argb, const std::string& name, int width,
                                            int height, Match match) {
    const auto found = References().find(name);
    if (found == References().end()) return ::testing::AssertionFailure() << "no expected pixels for " << name;
    const Reference& ref = found->second;
    if (ref.width != width || ref.height != height || ref.rows.size() != std::size_t(height) ||
        argb.size() != std::size_t(width) * std::size_t(height)) {
        return ::testing::AssertionFailure() << "decoded " << width << "x" << height << " (" << argb.size()
                                             << " pixels), reference " << ref.width << "x" << ref.height;
    }
    int bad = 0;
    std::ostringstream why;
    for (int y = 0; y < height; ++y) {
        const std::uint32_t* row = argb.data() + std::size_t(y) * std::size_t(width);
        const ExpectedRow& want = ref.rows[std::size_t(y)];
        long long sums[3] = {};
        for (int x = 0; x < width; ++x) {
            if (!want.clear.empty() && want.clear[std::size_t(x)]) continue;
            for (int c = 0; c < 3; ++c)
                sums[c] += (row[x] >> (16 - 8 * c)) & 0xFF;
        }
        const std::uint32_t hash = RowHash(row, width, want.clear);
        bool ok = hash == want.hash;
        if (match == Match::Near) {
            ok = true;
            for (int c = 0; c < 3; ++c)
                ok = ok && std::llabs(sums[c] - want.sums[c]) <= 2LL * width;
        }
        if (!ok && bad++ < 3) {
            why << " row " << y << ": hash " << std::hex << hash << " sums " << std::dec << sums[0] << "/" << sums[1]
                << "/" << sums[2] << ", expected " << std::hex << want.hash << " " << std::dec << want.sums[0] << "/"
                << want.sums[1] << "/" << want.sums[2] << ";";
        }
    }
    // A few references are checked in whole: name the first pixel that differs.
    const std::string raw = std::string(BMP_TEST_DATA) + "/" + name.substr(0, name.size() - 4) + ".rgb";
    if (std::filesystem::exists(raw)) {
        const Bytes rgb = ReadFile(raw);
        if (rgb.size() != 3 * argb.size())
            return ::testing::AssertionFailure() << raw << ": " << rgb.size() << " bytes";
        const int tolerance = match == Match::Near ? 2 : 0;
        for (std::size_t i = 0; i < argb.size(); ++i) {
            for (int c = 0; c < 3; ++c) {
                const int got = int((argb[i] >> (16 - 8 * c)) & 0xFF), want = rgb[3 * i + std::size_t(c)];
                if (std::abs(got - want) > tolerance) {
                    return ::testing::AssertionFailure()
                           << "pixel (" << i % std::size_t(width) << ", " << i / std::size_t(width) << ") channel " << c
                           << " is " << got << ", expected " << want << ";" << why.str();
                }
            }
        }
    }
    if (bad > 0) return ::testing::AssertionFailure() << bad << " rows differ:" << why.str();
    return ::testing::AssertionSuccess();
}

// ---- The corpus, file by file ----

struct CorpusFile {
    const char* file;
    int bits;              // decoded bits per pixel; 0: the reader refuses the file
    PixelFormat format;    // when it decodes
    const char* reference; // its reference rendering (gives the size); nullptr: 127 x 64, no pixel check
    Match match;
};
using F = PixelFormat;
constexpr Match kExact = Match::Exact, kNear = Match::Near, kAny = Match::Any;
constexpr CorpusFile Refused(const char* file) {
    return {file, 0, F::Device, nullptr, kAny};
}

const CorpusFile kCorpus[] = {
    {"g/pal1.bmp", 1, F::Bits1, "pal1.png", kExact},
    {"g/pal1bg.bmp", 1, F::Bits1, "pal1bg.png", kExact},
    {"g/pal1wb.bmp", 1, F::Bits1, "pal1.png", kExact},
    {"g/pal4.bmp", 4, F::Bits4, "pal4.png", kExact},
    {"g/pal4gs.bmp", 4, F::Bits4, "pal4gs.png", kExact},
    {"g/pal4rle.bmp", 4, F::Bits4, "pal4.png", kExact},
    {"g/pal8-0.bmp", 8, F::Bits8, "pal8.png", kExact},
    {"g/pal8.bmp", 8, F::Bits8, "pal8.png", kExact},
    {"g/pal8gs.bmp", 8, F::Bits8, "pal8gs.png", kExact},
    {"g/pal8nonsquare.bmp", 8, F::Bits8, "pal8nonsquare-e.png", kExact}, // pixels as stored
    {"g/pal8os2.bmp", 8, F::Bits8, "pal8.png", kExact},
    {"g/pal8rle.bmp", 8, F::Bits8, "pal8.png", kExact},
    {"g/pal8topdown.bmp", 8, F::Bits8, "pal8.png", kExact},
    {"g/pal8v4.bmp", 8, F::Bits8, "pal8.png", kExact},
    {"g/pal8v5.bmp", 8, F::Bits8, "pal8.png", kExact},
    {"g/pal8w124.bmp", 8, F::Bits8, "pal8w124.png", kExact},
    {"g/pal8w125.bmp", 8, F::Bits8, "pal8w125.png", kExact},
    {"g/pal8w126.bmp", 8, F::Bits8, "pal8w126.png", kExact},
    {"g/rgb16-565.bmp", 16, F::Bits16, "rgb16-565.png", kExact},
    {"g/rgb16-565pal.bmp", 16, F::Bits16, "rgb16-565.png", kExact},
    {"g/rgb16.bmp", 16, F::Bits15, "rgb16.png", kExact},
    {"g/rgb16bfdef.bmp", 16, F::Custom, "rgb16.png", kExact}, // 5-5-5 given as masks
    {"g/rgb24.bmp", 24, F::Bits24, "rgb24.png", kExact},
    {"g/rgb24pal.bmp", 24, F::Bits24, "rgb24.png", kExact},
    {"g/rgb32.bmp", 32, F::Bits32, "rgb24.png", kExact},
    {"g/rgb32bf.bmp", 32, F::Custom, "rgb24.png", kExact},
    {"g/rgb32bfdef.bmp", 32, F::Custom, "rgb24.png", kExact},
    // Questionable: decoded where a sensible picture exists, refused otherwise.
    Refused("q/pal1huffmsb.bmp"), // OS/2 Huffman compression
    {"q/pal1p1.bmp", 1, F::Bits1, "pal1p1.png", kExact},
    {"q/pal2.bmp", 4, F::Custom, "pal2.png", kExact}, // 2 bits widened to 4
    {"q/pal2color.bmp", 4, F::Custom, "pal2color.png", kExact},
    {"q/pal4rlecut.bmp", 4, F::Bits4, "pal4rlecut-0.png", kExact}, // pixels not reached: index 0
    {"q/pal4rletrns.bmp", 4, F::Bits4, "pal4rletrns-0.png", kExact},
    {"q/pal8offs.bmp", 8, F::Bits8, "pal8.png", kExact},
    {"q/pal8os2-hs.bmp", 8, F::Bits8, "pal8.png", kExact},
    {"q/pal8os2-sz.bmp", 8, F::Bits8, "pal8.png", kExact},
    {"q/pal8os2sp.bmp", 8, F::Bits8, "pal8.png", kExact},
    Refused("q/pal8os2v2-16.bmp"), // shortened OS/2 version 2 header
    {"q/pal8os2v2-40sz.bmp", 8, F::Bits8, "pal8.png", kExact},
    {"q/pal8os2v2-sz.bmp", 8, F::Bits8, "pal8.png", kExact},
    {"q/pal8os2v2.bmp", 8, F::Bits8, "pal8.png", kExact},
    {"q/pal8oversizepal.bmp", 8, F::Bits8, "pal8.png", kExact},
    {"q/pal8rlecut.bmp", 8, F::Bits8, "pal8rlecut-0.png", kExact},
    {"q/pal8rletrns.bmp", 8, F::Bits8, "pal8rletrns-0.png", kExact},
    {"q/rgb16-231.bmp", 16, F::Custom, "rgb16-231.png", kExact},
    {"q/rgb16-3103.bmp", 16, F::Custom, "rgb16-3103.png", kExact},
    {"q/rgb16faketrns.bmp", 16, F::Bits15, "rgb16.png", kExact}, // the unused bit is ignored
    Refused("q/rgb24jpeg.bmp"),                                  // embedded JPEG
    {"q/rgb24largepal.bmp", 24, F::Bits24, "rgb24.png", kExact},
    {"q/rgb24lprof.bmp", 24, F::Bits24, "rgb24.png", kExact},
    Refused("q/rgb24png.bmp"), // embedded PNG
    {"q/rgb24prof.bmp", 24, F::Bits24, "rgb24.png", kExact},
    {"q/rgb24prof2.bmp", 24, F::Bits24, nullptr, kAny}, // colours as stored: its profile is not applied
    Refused("q/rgb24rle24.bmp"),                        // OS/2 RLE24
    {"q/rgb32-111110.bmp", 32, F::Custom, "rgb24.png", kNear},
    {"q/rgb32-7187.bmp", 32, F::Custom, "rgb32-7187.png", kNear},
    {"q/rgb32-xbgr.bmp", 32, F::Custom, "rgb24.png", kExact},
    {"q/rgb32fakealpha.bmp", 32, F::Bits32, "rgb24.png", kExact}, // the unused byte is ignored
    {"q/rgb32h52.bmp", 32, F::Custom, "rgb24.png", kExact},
    // Alpha is not shown: the colours must match where the reference is not fully transparent.
    {"q/rgba16-1924.bmp", 16, F::Custom, "rgba16-1924.png", kExact},
    {"q/rgba16-4444.bmp", 16, F::Custom, "rgba16-4444.png", kExact},
    {"q/rgba16-5551.bmp", 16, F::Custom, "rgba16-5551.png", kExact},
    {"q/rgba32-1.bmp", 32, F::Custom, "rgba32.png", kExact},
    {"q/rgba32-1010102.bmp", 32, F::Custom, "rgba32-1010102.png", kExact},
    {"q/rgba32-2.bmp", 32, F::Custom, "rgba32.png", kExact},
    {"q/rgba32-61754.bmp", 32, F::Custom, "rgba32-61754.png", kNear},
    {"q/rgba32-81284.bmp", 32, F::Custom, "rgba32-81284.png", kNear},
    {"q/rgba32abf.bmp", 32, F::Custom, "rgba32.png", kExact},
    {"q/rgba32h56.bmp", 32, F::Custom, "rgba32.png", kExact},
    Refused("q/rgba64.bmp"), // 64 bits per pixel
    // Bad files are refused, except where the fault does not touch what a reader needs.
    Refused("b/badbitcount.bmp"),
    Refused("b/badbitssize.bmp"),
    {"b/baddens1.bmp", 1, F::Bits1, "pal1.png", kExact}, // odd density: not used by the reader
    {"b/baddens2.bmp", 1, F::Bits1, "pal1.png", kExact},
    {"b/badfilesize.bmp", 1, F::Bits1, "pal1.png", kExact}, // a size field beyond the file, as the system opens it
    Refused("b/badheadersize.bmp"),
    Refused("b/badpalettesize.bmp"),
    Refused("b/badplanes.bmp"),
    Refused("b/badrle.bmp"),
    Refused("b/badrle4.bmp"),
    Refused("b/badrle4bis.bmp"),
    Refused("b/badrle4ter.bmp"),
    Refused("b/badrlebis.bmp"),
    Refused("b/badrleter.bmp"),
    Refused("b/badwidth.bmp"),
    {"b/pal8badindex.bmp", 8, F::Bits8, nullptr, kAny}, // indexes beyond the colour table: black
    Refused("b/reallybig.bmp"),
    {"b/rgb16-880.bmp", 16, F::Custom, "rgb16-880.png", kExact}, // odd masks, with a reference
    Refused("b/rletopdown.bmp"),
    Refused("b/shortfile.bmp"),
    Refused("x/ba-bm.bmp"), // bitmap-array wrapper
};

Bytes CorpusBytes(const std::string& file) {
    return ReadFile(std::string(BMPSUITE_DIR) + "/" + file);
}

void CheckCorpusGroup(const std::string& group) {
    int checked = 0;
    for (const CorpusFile& c : kCorpus) {
        if (std::string(c.file).compare(0, group.size(), group) != 0) continue;
        SCOPED_TRACE(c.file);
        ++checked;
        const Bytes data = CorpusBytes(c.file);
        ASSERT_FALSE(data.empty());
        DecodedPicture p;
        p.width = 7; // a refused file must leave the output as it was
        const BmpStatus status = ReadBmp(data.data(), data.size(), p);
        if (c.bits == 0) {
            EXPECT_EQ(status, BmpStatus::Malformed);
            EXPECT_EQ(p.width, 7);
            EXPECT_TRUE(p.pixels.empty());
            continue;
        }
        ASSERT_EQ(status, BmpStatus::Ok);
        const Reference* ref = c.reference ? &References().at(c.reference) : nullptr;
        EXPECT_EQ(p.width, ref ? ref->width : 127);
        EXPECT_EQ(p.height, ref ? ref->height : 64);
        EXPECT_EQ(p.bitsPerPixel, c.bits);
        EXPECT_EQ(PixelFormatName(p.format), PixelFormatName(c.format));
        EXPECT_EQ(p.pixels.size(), p.Stride() * std::size_t(p.height));
        BmpHeader header;
        ASSERT_EQ(ReadBmpHeader(data.data(), data.size(), header), BmpStatus::Ok);
        EXPECT_EQ(PixelFormatName(ClassifyPixelFormat(header)), PixelFormatName(c.format));
        const std::vector<std::uint32_t> argb = ToRgba(p);
        if (ref) EXPECT_TRUE(MatchesReference(argb, c.reference, p.width, p.height, c.match));
    }
    EXPECT_GT(checked, 0) << "no files of " << group;
}

TEST(BmpCorpus, EveryFileIsListed) {
    std::set<std::string> listed, present;
    for (const CorpusFile& c : kCorpus)
        EXPECT_TRUE(listed.insert(c.file).second) << "twice: " << c.file;
    for (const char* group : {"g", "q", "b", "x"}) {
        for (const auto& entry : std::filesystem::directory_iterator(std::string(BMPSUITE_DIR) + "/" + group)) {
            present.insert(std::string(group) + "/" + entry.path().filename().string());
        }
    }
    for (const std::string& f : present)
        EXPECT_TRUE(listed.count(f)) << "not in the table: " << f;
    for (const std::string& f : listed)
        EXPECT_TRUE(present.count(f)) << "not in the corpus: " << f;
}

TEST(BmpCorpus, GoodFilesDecodeToTheirReferences) {
    CheckCorpusGroup("g/");
}
TEST(BmpCorpus, QuestionableFilesDecodeSensiblyOrAreRefused) {
    CheckCorpusGroup("q/");
}
TEST(BmpCorpus, BadFilesAndTheWrapperAreRefusedCleanly) {
    CheckCorpusGroup("b/");
    CheckCorpusGroup("x/");
}

TEST(BmpCorpus, CutFilesNeverReadBeyondTheirEnd) {
    // With the file size field cleared, so that the reader meets the cut itself: uncompressed files
    // missing a row are refused; cut run-length data leaves the rest at index 0.
    for (const char* file : {"g/pal1.bmp", "g/pal4.bmp", "g/pal8os2.bmp", "g/rgb16-565.bmp", "g/rgb24.bmp",
                             "g/pal8v5.bmp", "g/pal8rle.bmp", "g/pal4rle.bmp"}) {
        SCOPED_TRACE(file);
        const Bytes full = CorpusBytes(file);
        BmpHeader h;
        ASSERT_EQ(ReadBmpHeader(full.data(), full.size(), h), BmpStatus::Ok);
        const bool rle = h.compression == kBmpRle8 || h.compression == kBmpRle4;
        const std::size_t lastRow = h.pixelOffset + std::size_t(h.height - 1) * ((127 * h.bitCount + 31) / 32 * 4);
        for (std::size_t size = 1; size < full.size(); size += size < 200 ? 1 : 97) {
            Bytes cut(full.begin(), full.begin() + std::ptrdiff_t(size)); // exactly sized: ASan sees overreads
            for (std::size_t i = 2; i < 6 && i < size; ++i)
                cut[i] = 0;
            DecodedPicture p;
            const BmpStatus status = ReadBmp(cut.data(), cut.size(), p);
            if (rle && size >= h.pixelOffset) {
                EXPECT_EQ(status, BmpStatus::Ok) << "cut to " << size << " bytes";
            } else if (size <= lastRow) {
                EXPECT_EQ(status, BmpStatus::Malformed) << "cut to " << size << " bytes";
            }
            if (status == BmpStatus::Ok) EXPECT_EQ(ToRgba(p).size(), 127u * 64u) << "cut to " << size << " bytes";
        }
    }
}

// ---- Bitmaps made here ----

void Put16(Bytes& b, unsigned v) {
    b.push_back(std::uint8_t(v));
    b.push_back(std::uint8_t(v >> 8));
}
void Put32(Bytes& b, std::uint32_t v) {
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}

struct BmpBuilder {
    std::uint32_t headerSize = 40;
    std::int32_t width = 1, height = 1;
    unsigned planes = 1, bits = 8;
    std::uint32_t compression = kBmpRgb, imageSize = 0, colorsUsed = 0;
    std::vector<std::uint32_t> masks;   // after a 40-byte header, or inside a larger one
    std::vector<std::uint32_t> palette; // 0x00RRGGBB
    Bytes pixels;                       // as stored in the file
    std::uint32_t gap = 0;              // bytes between the colour table and the pixels
    long long offset = -1;              // bfOffBits; -1: right after the gap

    Bytes Build() const {
        Bytes b{'B', 'M'};
        const std::size_t maskBytes = headerSize == 40 ? masks.size() * 4 : 0;
        const std::size_t entry = headerSize == 12 ? 3 : 4;
        const std::size_t start = 14 + headerSize + maskBytes + palette.size() * entry + gap;
        Put32(b, std::uint32_t(start + pixels.size()));
        Put32(b, 0);
        Put32(b, offset >= 0 ? std::uint32_t(offset) : std::uint32_t(start));
        Put32(b, headerSize);
        if (headerSize == 12) {
            Put16(b, unsigned(width));
            Put16(b, unsigned(height));
            Put16(b, planes);
            Put16(b, bits);
        } else {
            for (std::uint32_t v : {std::uint32_t(width), std::uint32_t(height), planes | (bits << 16), compression,
                                    imageSize, 2835u, 2835u, colorsUsed, 0u}) {
                Put32(b, v);
            }
            for (std::size_t i = 0; i < masks.size(); ++i)
                Put32(b, masks[i]);
            b.resize(14 + headerSize + maskBytes, 0);
        }
        for (std::uint32_t c : palette) {
            for (int shift : {0, 8, 16})
                b.push_back(std::uint8_t(c >> shift));
            if (entry == 4) b.push_back(0);
        }
        b.resize(b.size() + gap, 0xEE);
        b.insert(b.end(), pixels.begin(), pixels.end());
        return b;
    }
};

BmpStatus Decode(const Bytes& file, DecodedPicture& p) {
    return ReadBmp(file.data(), file.size(), p);
}

std::string Hex(const std::vector<std::uint32_t>& v) {
    std::ostringstream s;
    for (std::uint32_t x : v)
        s << std::hex << x << ' ';
    return s.str();
}

TEST(BmpReader, EmptyInputIsTheEmptyPicture) {
    DecodedPicture p;
    p.width = 5;
    p.pixels = {1, 2, 3};
    ASSERT_EQ(ReadBmp(nullptr, 0, p), BmpStatus::Ok);
    EXPECT_EQ(p.width, 0);
    EXPECT_EQ(p.height, 0);
    EXPECT_EQ(p.bitsPerPixel, 0);
    EXPECT_EQ(p.format, PixelFormat::Device);
    EXPECT_TRUE(p.Empty());
    EXPECT_TRUE(p.pixels.empty());
    EXPECT_TRUE(ToRgba(p).empty());
    EXPECT_EQ(ClassifyPixelFormat(BmpHeader{}), PixelFormat::Device);
}

TEST(BmpReader, PixelFormatFollowsDepthMasksAndCompression) {
    struct Case {
        const char* what;
        std::uint32_t headerSize;
        unsigned bits;
        std::uint32_t compression;
        std::vector<std::uint32_t> masks;
        PixelFormat format;
        int decodedBits;
    };
    const Case cases[] = {
        {"1 bit", 40, 1, kBmpRgb, {}, F::Bits1, 1},
        {"2 bits", 40, 2, kBmpRgb, {}, F::Custom, 4},
        {"4 bits", 40, 4, kBmpRgb, {}, F::Bits4, 4},
        {"8 bits", 40, 8, kBmpRgb, {}, F::Bits8, 8},
        {"8 bits, OS/2 header", 12, 8, kBmpRgb, {}, F::Bits8, 8},
        {"16 bits", 40, 16, kBmpRgb, {}, F::Bits15, 16},
        {"16 bits, V4 without masks", 108, 16, kBmpRgb, {0xF800, 0x07E0, 0x1F}, F::Bits15, 16},
        {"16 bits 5-6-5", 40, 16, kBmpBitfields, {0xF800, 0x07E0, 0x1F}, F::Bits16, 16},
        {"16 bits 5-6-5 in a V3 header", 56, 16, kBmpBitfields, {0xF800, 0x07E0, 0x1F, 0}, F::Bits16, 16},
        {"16 bits 5-5-5 as masks", 40, 16, kBmpBitfields, {0x7C00, 0x03E0, 0x1F}, F::Custom, 16},
        {"16 bits with alpha mask", 40, 16, kBmpAlphaBitfields, {0xF800, 0x07E0, 0x1F, 0}, F::Custom, 16},
        {"24 bits", 40, 24, kBmpRgb, {}, F::Bits24, 24},
        {"24 bits, OS/2 header", 12, 24, kBmpRgb, {}, F::Bits24, 24},
        {"32 bits", 40, 32, kBmpRgb, {}, F::Bits32, 32},
        {"32 bits, V5 without masks", 124, 32, kBmpRgb, {0xFF, 0xFF00, 0xFF0000, 0}, F::Bits32, 32},
        {"32 bits with masks", 40, 32, kBmpBitfields, {0xFF0000, 0xFF00, 0xFF}, F::Custom, 32},
        {"32 bits, V2 masks", 52, 32, kBmpBitfields, {0xFF0000, 0xFF00, 0xFF}, F::Custom, 32},
        {"32 bits with alpha", 40, 32, kBmpAlphaBitfields, {0xFF0000, 0xFF00, 0xFF, 0xFF000000}, F::Custom, 32},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        BmpBuilder b;
        b.headerSize = c.headerSize;
        b.width = 320;
        b.height = 400;
        b.bits = c.bits;
        b.compression = c.compression;
        b.masks = c.masks;
        b.pixels.assign(std::size_t(400) * ((320 * c.bits + 31) / 32 * 4), 0x5A);
        const Bytes file = b.Build();
        DecodedPicture p;
        ASSERT_EQ(Decode(file, p), BmpStatus::Ok);
        EXPECT_EQ(PixelFormatName(p.format), PixelFormatName(c.format));
        EXPECT_EQ(p.bitsPerPixel, c.decodedBits);
        EXPECT_EQ(p.width, 320);
        EXPECT_EQ(p.height, 400);
        EXPECT_EQ(p.hasMasks, c.compression == kBmpBitfields || c.compression == kBmpAlphaBitfields);
        if (c.decodedBits <= 8) EXPECT_EQ(p.palette.size(), std::size_t(1) << c.decodedBits);
        if (c.bits == 16 && !p.hasMasks) EXPECT_EQ(Hex({p.masks[0], p.masks[1], p.masks[2]}), "7c00 3e0 1f ");
        if (c.bits == 32 && !p.hasMasks) EXPECT_EQ(Hex({p.masks[0], p.masks[1], p.masks[2]}), "ff0000 ff00 ff ");
        const bool screen = c.format == F::Bits8;
        EXPECT_EQ(CheckScreenPicture(p.width, p.height, p.format) == ScreenCheck::Fits, screen);
        EXPECT_EQ(ToRgba(p).size(), 320u * 400u);
    }
}

TEST(BmpReader, RefusesWhatItCannotDecode) {
    struct Case {
        const char* what;
        void (*change)(BmpBuilder&);
    };
    const Case cases[] = {
        {"2 planes", [](BmpBuilder& b) { b.planes = 2; }},
        {"3 bits", [](BmpBuilder& b) { b.bits = 3; }},
        {"64 bits", [](BmpBuilder& b) { b.bits = 64; }},
        {"width 0", [](BmpBuilder& b) { b.width = 0; }},
        {"negative width", [](BmpBuilder& b) { b.width = -4; }},
        {"height 0", [](BmpBuilder& b) { b.height = 0; }},
        {"smallest height", [](BmpBuilder& b) { b.height = INT32_MIN; }},
        {"width 32769", [](BmpBuilder& b) { b.width = 32769; }},
        {"32768 x 32768", [](BmpBuilder& b) { b.width = b.height = 32768; }},
        {"JPEG", [](BmpBuilder& b) { b.compression = kBmpJpeg; }},
        {"PNG", [](BmpBuilder& b) { b.compression = kBmpPng; }},
        {"compression 7", [](BmpBuilder& b) { b.compression = 7; }},
        {"RLE8 at 4 bits", [](BmpBuilder& b) { b.compression = kBmpRle8, b.bits = 4; }},
        {"RLE4 at 8 bits", [](BmpBuilder& b) { b.compression = kBmpRle4; }},
        {"RLE top-down", [](BmpBuilder& b) { b.compression = kBmpRle8, b.height = -4; }},
        {"masks at 24 bits", [](BmpBuilder& b) { b.compression = kBmpBitfields, b.bits = 24; }},
        {"header of 66 bytes", [](BmpBuilder& b) { b.headerSize = 66; }},
        {"OS/2 v2 Huffman", [](BmpBuilder& b) { b.headerSize = 64, b.compression = 3, b.bits = 1; }},
        {"pixels start in the header", [](BmpBuilder& b) { b.offset = 40; }},
        {"pixels start after the end", [](BmpBuilder& b) { b.offset = 100000; }},
        {"colour table beyond the file", [](BmpBuilder& b) { b.colorsUsed = 0x40000000; }},
        {"image size beyond the file", [](BmpBuilder& b) { b.imageSize = 0x7FFFFFF0; }},
        {"a row missing", [](BmpBuilder& b) { b.pixels.resize(12); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        BmpBuilder b;
        b.width = 4;
        b.height = 4;
        b.palette = {0xFFFFFF};
        b.pixels.assign(16, 0);
        c.change(b);
        DecodedPicture p;
        p.height = 3;
        EXPECT_EQ(Decode(b.Build(), p), BmpStatus::Malformed);
        EXPECT_EQ(p.height, 3);
    }
}

#if BMP_TEST_COUNTS_ALLOCATIONS
std::atomic<std::size_t> largestAllocation{0};
void NoteAllocation(const volatile void*, std::size_t size) {
    std::size_t seen = largestAllocation.load();
    while (size > seen && !largestAllocation.compare_exchange_weak(seen, size)) {
    }
}
void NoteFree(const volatile void*) {}
#endif

TEST(BmpReader, HugeDeclaredPictureInATinyFileAllocatesNothingBig) {
    struct Case {
        const char* what;
        std::int32_t width, height;
        unsigned bits;
    };
    const Case cases[] = {
        {"10000 x 10000 x 8", 10000, 10000, 8},
        {"32768 x 4096 x 32", 32768, 4096, 32},
        {"32768 x -4096 x 24", 32768, -4096, 24},
        {"3000000 x 2000000 x 24", 3000000, 2000000, 24},
    };
#if BMP_TEST_COUNTS_ALLOCATIONS
    static const bool hooked = __sanitizer_install_malloc_and_free_hooks(NoteAllocation, NoteFree) != 0;
    EXPECT_TRUE(hooked);
#endif
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        BmpBuilder b;
        b.width = c.width;
        b.height = c.height;
        b.bits = c.bits;
        b.pixels.assign(64, 0);
        const Bytes file = b.Build();
#if BMP_TEST_COUNTS_ALLOCATIONS
        largestAllocation = 0;
#endif
        DecodedPicture p;
        EXPECT_EQ(Decode(file, p), BmpStatus::Malformed);
#if BMP_TEST_COUNTS_ALLOCATIONS
        EXPECT_LT(largestAllocation.load(), std::size_t(1) << 20);
#endif
    }
}

TEST(BmpReader, RowsAreStoredBottomUpWhateverTheFileOrder) {
    const std::vector<std::uint32_t> expected = {0xFF0000FF, 0xFF00FF00, 0xFFFF0000,
                                                 0xFFFFFFFF, 0xFF000000, 0xFF808080};
    BmpBuilder b; // 2 x 3 at 24 bits, file rows bottom-up: (0,0,0 808080), (FF0000 FFFFFF), (0000FF 00FF00)
    b.width = 2;
    b.height = 3;
    b.bits = 24;
    b.pixels = {0,    0, 0,    0x80, 0x80, 0x80, 0, 0,  // bottom row
                0,    0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0,  // middle row
                0xFF, 0, 0,    0,    0xFF, 0,    0, 0}; // top row
    const Bytes bottomUp = b.Build();
    BmpBuilder t = b;
    t.height = -3;
    t.pixels.assign(b.pixels.end() - 8, b.pixels.end());
    t.pixels.insert(t.pixels.end(), b.pixels.begin() + 8, b.pixels.begin() + 16);
    t.pixels.insert(t.pixels.end(), b.pixels.begin(), b.pixels.begin() + 8);
    BmpBuilder padless = b; // the last row's padding may be missing
    padless.pixels.resize(padless.pixels.size() - 2);
    for (const auto& [what, file] : {std::pair{"bottom-up", bottomUp}, std::pair{"top-down", t.Build()},
                                     std::pair{"last padding missing", padless.Build()}}) {
        SCOPED_TRACE(what);
        DecodedPicture p;
        ASSERT_EQ(Decode(file, p), BmpStatus::Ok);
        EXPECT_EQ(p.height, 3);
        EXPECT_EQ(p.Stride(), 8u);
        ASSERT_EQ(p.pixels.size(), 24u);
        EXPECT_EQ(Bytes(p.pixels.begin(), p.pixels.begin() + 6), Bytes(b.pixels.begin(), b.pixels.begin() + 6));
        EXPECT_EQ(Hex(ToRgba(p)), Hex(expected));
    }
}

TEST(BmpReader, ColourTablesShortLongAndDisplaced) {
    constexpr std::uint32_t k0 = 0xFF000010, k1 = 0xFF000011, k2 = 0xFF000012, kBlack = 0xFF000000;
    struct Case {
        const char* what;
        std::uint32_t headerSize, colorsUsed, gap;
        std::size_t entries;
        std::vector<std::uint32_t> expected; // colours of indexes 0, 1, 2, 3, 255
    };
    const Case cases[] = {
        {"two entries", 40, 2, 0, 2, {k0, k1, kBlack, kBlack, kBlack}},
        {"default count, stops at the pixels", 40, 0, 0, 3, {k0, k1, k2, kBlack, kBlack}},
        {"300 entries", 40, 300, 0, 300, {k0, k1, k2, 0xFF000013, 0xFF00010F}},
        {"pixels after a gap", 40, 3, 37, 3, {k0, k1, k2, kBlack, kBlack}},
        {"OS/2, stops at the pixels", 12, 0, 0, 3, {k0, k1, k2, kBlack, kBlack}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        BmpBuilder b;
        b.headerSize = c.headerSize;
        b.colorsUsed = c.colorsUsed;
        b.gap = c.gap;
        b.width = 5;
        for (std::uint32_t i = 0; i < c.entries; ++i)
            b.palette.push_back(0x10 + i);
        b.pixels = {0, 1, 2, 3, 255, 0x77, 0x77, 0x77};
        DecodedPicture p;
        ASSERT_EQ(Decode(b.Build(), p), BmpStatus::Ok);
        EXPECT_EQ(p.palette.size(), 256u);
        EXPECT_EQ(Hex(ToRgba(p)), Hex(c.expected));
    }
}

TEST(BmpReader, MasksScaleEveryChannelWidth) {
    struct Case {
        const char* what;
        unsigned bits;
        std::uint32_t headerSize, compression;
        std::vector<std::uint32_t> masks;
        std::uint32_t word;
        std::uint32_t expected;
    };
    const Case cases[] = {
        {"5-5-5", 16, 40, kBmpRgb, {}, 0x7FFF, 0xFFFFFFFF},
        {"5-5-5, unused top bit", 16, 40, kBmpRgb, {}, 0x8000 | (16 << 10) | (1 << 5), 0xFF840800},
        {"5-6-5", 16, 40, kBmpBitfields, {0xF800, 0x07E0, 0x1F}, 0xF800 | (32 << 5), 0xFFFF8200},
        {"5-6-5 in a V5 header", 16, 124, kBmpBitfields, {0xF800, 0x07E0, 0x1F, 0}, 0x001F, 0xFF0000FF},
        {"3-bit and 1-bit channels", 16, 40, kBmpBitfields, {0x38, 0x6, 0x1}, 0x1B, 0xFF6D55FF},
        {"no blue mask", 16, 40, kBmpBitfields, {0xFF00, 0xFF, 0}, 0x1234, 0xFF123400},
        {"8-8-8", 32, 40, kBmpRgb, {}, 0xAA123456, 0xFF123456},
        {"blue-green-red", 32, 40, kBmpBitfields, {0xFF, 0xFF00, 0xFF0000}, 0x00123456, 0xFF563412},
        {"10-10-10", 32, 40, kBmpBitfields, {0x3FF00000, 0xFFC00, 0x3FF}, (1023u << 20) | (512u << 10), 0xFFFF8000},
        {"alpha mask not shown",
         32,
         40,
         kBmpAlphaBitfields,
         {0xFF0000, 0xFF00, 0xFF, 0xFF000000},
         0x7F0A0B0C,
         0xFF0A0B0C},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        BmpBuilder b;
        b.headerSize = c.headerSize;
        b.bits = c.bits;
        b.compression = c.compression;
        b.masks = c.masks;
        Put32(b.pixels, c.word);
        DecodedPicture p;
        ASSERT_EQ(Decode(b.Build(), p), BmpStatus::Ok);
        EXPECT_EQ(Hex(ToRgba(p)), Hex({c.expected}));
        EXPECT_EQ(p.pixels[0] | (p.pixels[1] << 8), int(c.word & 0xFFFF)) << "the raw word is kept";
    }
}

// Indexes of a decoded run-length picture, top row first, one character per pixel (0-9, a-f, or
// the index mod 16).
std::string Indexes(const DecodedPicture& p) {
    std::string s;
    for (int y = p.height - 1; y >= 0; --y) {
        for (int x = 0; x < p.width; ++x) {
            const std::uint8_t* row = p.pixels.data() + std::size_t(y) * p.Stride();
            const int v = p.bitsPerPixel == 8 ? row[x] : (x % 2 ? row[x / 2] & 15 : row[x / 2] >> 4);
            s += "0123456789abcdef"[v % 16];
        }
        s += y ? "/" : "";
    }
    return s;
}

TEST(BmpReader, RunLengthEncoding) {
    struct Case {
        const char* what;
        std::uint32_t compression;
        Bytes stream;
        const char* expected; // top row first; "" for a refused stream
    };
    const Case cases[] = {
        {"RLE8 run, end of line, delta, literal, end",
         kBmpRle8,
         {3, 7, 0, 0, 0, 2, 1, 1, 0, 3, 1, 2, 3, 0, 2, 9, 0, 1, 5, 5},
         "000000/012399/000000/777000"},
        {"RLE8 end of bitmap first", kBmpRle8, {0, 1, 3, 7}, "000000/000000/000000/000000"},
        {"RLE8 cut in a literal", kBmpRle8, {2, 4, 0, 4, 1, 2}, "000000/000000/000000/441200"},
        {"RLE8 cut after a run", kBmpRle8, {6, 4, 0}, "000000/000000/000000/444444"},
        {"RLE8 cut in a delta", kBmpRle8, {1, 4, 0, 2, 3}, "000000/000000/000000/400000"},
        {"RLE8 deltas to the last row", kBmpRle8, {0, 2, 5, 2, 1, 6, 0, 0, 1, 8}, "800000/000006/000000/000000"},
        {"RLE8 run past the line is cut", kBmpRle8, {7, 4, 0, 0, 2, 3}, "000000/000000/330000/444444"},
        {"RLE8 delta to the top ends it", kBmpRle8, {0, 2, 0, 4, 1, 4}, "000000/000000/000000/000000"},
        {"RLE8 literal past the line is cut", kBmpRle8, {4, 1, 0, 3, 1, 2, 3, 0, 1, 5}, "000000/000000/000000/111112"},
        {"RLE8 delta past the line", kBmpRle8, {0, 2, 7, 0}, ""},
        {"RLE8 delta past the top", kBmpRle8, {0, 2, 0, 5}, ""},
        {"RLE4 runs alternate", kBmpRle4, {5, 0x12, 0, 0, 3, 0xAB, 0, 1}, "000000/000000/aba000/121210"},
        {"RLE4 literal padded",
         kBmpRle4,
         {0, 5, 0x12, 0x34, 0x50, 0xEE, 0, 0, 1, 0xF0, 0, 1},
         "000000/000000/f00000/123450"},
        {"RLE4 literal cut", kBmpRle4, {0, 6, 0x12}, "000000/000000/000000/120000"},
        {"RLE4 run past the line is cut", kBmpRle4, {4, 0x11, 3, 0x23}, "000000/000000/000000/111123"},
        {"RLE4 literal past the line is cut",
         kBmpRle4,
         {0, 8, 0x12, 0x34, 0x56, 0x78, 0, 0, 1, 0x90},
         "000000/000000/900000/123456"},
        {"RLE8 delta after a cut run", kBmpRle8, {9, 4, 0, 2, 1, 0}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        BmpBuilder b;
        b.width = 6;
        b.height = 4;
        b.bits = c.compression == kBmpRle8 ? 8 : 4;
        b.compression = c.compression;
        b.palette = {0x000000, 0x111111};
        b.pixels = c.stream;
        DecodedPicture p;
        const BmpStatus status = Decode(b.Build(), p);
        if (*c.expected == '\0') {
            EXPECT_EQ(status, BmpStatus::Malformed);
            continue;
        }
        ASSERT_EQ(status, BmpStatus::Ok);
        EXPECT_EQ(p.bitsPerPixel, int(b.bits));
        EXPECT_EQ(p.pixels.size(), p.Stride() * 4);
        EXPECT_EQ(Indexes(p), c.expected);
    }
}

TEST(BmpReader, WhatTheSystemOpensOpensHere) {
    // ImageMagick's 256-colour run-length bitmap of an odd width: its runs pass the row end.
    const Bytes magick = ReadFile(std::string(BMP_TEST_DATA) + "/imagemagick-rle8.bmp");
    const Bytes expected = ReadFile(std::string(BMP_TEST_DATA) + "/imagemagick-rle8.rgb");
    DecodedPicture p;
    ASSERT_EQ(Decode(magick, p), BmpStatus::Ok);
    ASSERT_EQ(p.width, 37);
    ASSERT_EQ(p.height, 9);
    const std::vector<std::uint32_t> argb = ToRgba(p);
    ASSERT_EQ(expected.size(), 3 * argb.size());
    for (std::size_t i = 0; i < argb.size(); ++i)
        ASSERT_EQ(argb[i] & 0xFFFFFF, (std::uint32_t(expected[3 * i]) << 16) |
                                          (std::uint32_t(expected[3 * i + 1]) << 8) | expected[3 * i + 2])
            << "pixel " << i;

    // A file size field larger than the file: opened when the pixel data is whole, refused when a
    // row is missing, whatever the field says.
    struct Case {
        const char* what;
        std::uint32_t compression;
        std::size_t cut; // bytes taken from the end
        bool opens;
    };
    const Case cases[] = {
        {"uncompressed, whole", kBmpRgb, 0, true},
        {"uncompressed, last row's padding missing", kBmpRgb, 2, true},
        {"uncompressed, a row missing", kBmpRgb, 8, false},
        {"run-length, whole", kBmpRle8, 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        BmpBuilder b;
        b.width = 6;
        b.height = 2;
        b.compression = c.compression;
        b.palette = {0x000000, 0x111111};
        b.pixels = c.compression == kBmpRgb ? Bytes{1, 0, 1, 0, 1, 0, 0, 0, 0, 1, 0, 1, 0, 1, 0, 0}
                                            : Bytes{6, 1, 0, 0, 6, 0, 0, 1};
        Bytes file = b.Build();
        file.resize(file.size() - c.cut);
        for (std::uint32_t field : {std::uint32_t(file.size() + 1), std::uint32_t(file.size() + 4096), 0xFFFFFFFFu}) {
            SCOPED_TRACE(field);
            for (int i = 0; i < 4; ++i)
                file[2 + std::size_t(i)] = std::uint8_t(field >> (8 * i));
            DecodedPicture picture;
            EXPECT_EQ(Decode(file, picture), c.opens ? BmpStatus::Ok : BmpStatus::Malformed);
            if (c.opens) EXPECT_EQ(Indexes(picture), c.compression == kBmpRgb ? "010101/101010" : "000000/111111");
        }
    }
}

TEST(BmpReader, ToRgbaNeverReadsBeyondAPictureMadeElsewhere) {
    DecodedPicture p;
    p.width = 3;
    p.height = 2;
    p.bitsPerPixel = 8;
    p.palette = {0x123456};    // shorter than the indexes
    p.pixels = {0, 1, 200, 0}; // one row of two
    EXPECT_EQ(Hex(ToRgba(p)), "ff000000 ff000000 ff000000 ff123456 ff000000 ff000000 ");
    p.bitsPerPixel = 12;
    EXPECT_TRUE(ToRgba(p).empty());
}

} // namespace
