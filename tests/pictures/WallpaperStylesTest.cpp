#include "pictures/WallpaperStyles.h"
#include "pictures/WallpaperText.h"

#include <gtest/gtest.h>

namespace {
std::string Describe(const LayoutRect& r) {
    return std::to_string(r.width) + " x " + std::to_string(r.height) + " at " + std::to_string(r.left) + ", " +
           std::to_string(r.top);
}
} // namespace

TEST(WallpaperStyles, TableInBoxOrderWithTheDesktopValues) {
    const char* names[] = {"Centred", "Stretched", "Tiled", "Fit 2 Screen", "Mirror", "Fill"};
    const char* tile[] = {"0", "0", "1", "0", "0", "0"};
    const char* style[] = {"0", "2", "0", "0", "0", "0"};
    for (int i = 0; i < kWallpaperStyleCount; ++i) {
        SCOPED_TRACE(names[i]);
        EXPECT_EQ(int(kWallpaperStyles[i].style), i);
        EXPECT_STREQ(kWallpaperStyles[i].name, names[i]);
        EXPECT_STREQ(kWallpaperStyles[i].tileWallpaper, tile[i]);
        EXPECT_STREQ(kWallpaperStyles[i].wallpaperStyle, style[i]);
        EXPECT_EQ(WallpaperStyleNamed(names[i]), kWallpaperStyles[i].style);
    }
    for (const char* other : {"", "centred", "Fit 2 screen", "Tiled ", "Fit2Screen"}) {
        SCOPED_TRACE(other);
        EXPECT_FALSE(WallpaperStyleNamed(other)) << "names are compared exactly";
    }
    for (int other : {-1, kWallpaperStyleCount + 1})
        EXPECT_FALSE(WallpaperStyleOfValue(other)) << other;
    // The program's own stretch reaches the picture library by its number, written as "Fit 2 Screen".
    EXPECT_EQ(WallpaperStyleOfValue(6), WallpaperStyle::StretchedToScreen);
    EXPECT_STREQ(StyleInfo(WallpaperStyle::StretchedToScreen).tileWallpaper, "0");
    EXPECT_STREQ(StyleInfo(WallpaperStyle::StretchedToScreen).wallpaperStyle, "0");
}

TEST(WallpaperStyles, FillCoversTheScreenAndCutsTheOverflowEvenly) {
    struct Case {
        const char* name;
        PixelSize picture, screen;
        CoverRect expected;
    } cases[] = {
        {"wide: full height, cut left and right", {1600, 600}, {1024, 768}, {-512, 0, 2048, 768}},
        {"tall: full width, cut above and below", {300, 600}, {1024, 768}, {0, -640, 1024, 2048}},
        {"equal ratios: the screen", {400, 300}, {1024, 768}, {0, 0, 1024, 768}},
        {"1 x N: a column as wide as the screen", {1, 40000}, {1280, 1024}, {0, -25599488, 1280, 51200000}},
        {"40,000 pixels wide: a half cut toward zero", {40000, 30000}, {1280, 1024}, {-42, 0, 1365, 1024}},
        {"halves to even: 2.5 rounds to 2", {4, 5}, {2, 2}, {0, 0, 2, 2}},
        {"beyond 32 bits", {1, 65535}, {65535, 65535}, {0, -2147385345, 65535, 4294836225LL}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const CoverRect r = FillScreen(c.picture, c.screen);
        EXPECT_EQ(std::vector<long long>({r.left, r.top, r.width, r.height}),
                  std::vector<long long>({c.expected.left, c.expected.top, c.expected.width, c.expected.height}));
    }
    const CoverRect none = FillScreen({0, 10}, {1024, 768});
    EXPECT_EQ(none.width, 0) << "no division by zero";
}

TEST(WallpaperStyles, RoundHalfEvenBothWays) {
    struct Case {
        long long x, y, expected;
    } cases[] = {{1, 2, 0}, {3, 2, 2}, {5, 2, 2}, {7, 2, 4}, {384, 1, 384}, {5, 4, 1}, {7, 4, 2}, {0, 3, 0}, {2, 3, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.x) + "/" + std::to_string(c.y));
        EXPECT_EQ(RoundHalfEven(c.x, c.y), c.expected);
    }
}

TEST(WallpaperStyles, FitToScreenGeometry) {
    const PixelSize screen{1024, 768};
    struct Case {
        const char* name;
        PixelSize picture, screen;
        LayoutRect expected;
    } cases[] = {
        {"wider: full width, centred vertically", {1600, 600}, screen, {0, 192, 1024, 384}},
        {"equal ratios fill the height", {400, 300}, screen, {0, 0, 1024, 768}},
        {"taller: full height, centred across", {300, 600}, screen, {320, 0, 384, 768}},
        {"a 4000 x 3000 photo", {4000, 3000}, {1920, 1440}, {0, 0, 1920, 1440}},
        {"one pixel fills the height", {1, 1}, screen, {128, 0, 768, 768}},
        // Halves go to the even neighbour, up or down.
        {"width 3.5 rounds to 4", {7, 2}, {8, 1}, {2, 0, 4, 1}},
        {"height 1.5 rounds to 2", {4, 3}, {2, 2}, {0, 0, 2, 2}},
        {"height 2.5 rounds to 2", {4, 5}, {2, 10}, {0, 4, 2, 2}},
        {"width 0.5 rounds to 0, kept at 1", {1, 4}, {10, 2}, {4, 0, 1, 2}},
        {"a line never vanishes", {10000, 1}, screen, {0, 383, 1024, 1}},
        // Odd leftovers: (768 - 383) / 2 = 192.5 truncates to 192.
        {"odd leftover truncates", {1024, 383}, screen, {0, 192, 1024, 383}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LayoutRect r = FitToScreen(c.picture, c.screen);
        EXPECT_EQ(Describe(r), Describe(c.expected));
    }
    EXPECT_EQ(Describe(FitToScreen({0, 0}, screen)), Describe({})) << "no division by zero";
    EXPECT_EQ(Describe(FitToScreen({10, 0}, screen)), Describe({}));
}

TEST(WallpaperStyles, CentredEdgesTruncateTowardZero) {
    struct Case {
        const char* name;
        PixelSize picture, area;
        LayoutRect expected;
    } cases[] = {
        {"smaller", {300, 200}, {1024, 768}, {362, 284, 300, 200}},
        {"larger gives negative edges", {1600, 1000}, {1024, 768}, {-288, -116, 1600, 1000}},
        {"odd negative truncates toward zero", {1027, 771}, {1024, 768}, {-1, -1, 1027, 771}},
        {"empty picture", {0, 0}, {1024, 768}, {512, 384, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Describe(CentreIn(c.picture, c.area)), Describe(c.expected));
    }
}

TEST(WallpaperStyles, ImageLayoutPerStyle) {
    const PixelSize picture{1600, 600}, screen{1024, 768}, client{1024, 740};
    ImageLayout centred = WallpaperImageLayout(WallpaperStyle::Centred, picture, screen, client);
    EXPECT_FALSE(centred.fillsClient);
    EXPECT_EQ(centred.stretch, ImageLayout::Stretch::Off);
    EXPECT_EQ(Describe(centred.bounds), Describe({-288, 70, 1600, 600})) << "centred in the client area";

    ImageLayout stretched = WallpaperImageLayout(WallpaperStyle::Stretched, picture, screen, client);
    EXPECT_TRUE(stretched.fillsClient);
    EXPECT_EQ(stretched.stretch, ImageLayout::Stretch::On);
    EXPECT_EQ(stretched.content, ImageLayout::Content::Picture);

    ImageLayout fitted = WallpaperImageLayout(WallpaperStyle::Fit2Screen, picture, screen, client);
    EXPECT_FALSE(fitted.fillsClient);
    EXPECT_EQ(fitted.stretch, ImageLayout::Stretch::On);
    EXPECT_EQ(Describe(fitted.bounds), Describe({0, 192, 1024, 384})) << "fitted to the screen";

    for (WallpaperStyle style : {WallpaperStyle::Tiled, WallpaperStyle::Mirror}) {
        SCOPED_TRACE(StyleInfo(style).name);
        ImageLayout tiles = WallpaperImageLayout(style, picture, screen, client);
        EXPECT_TRUE(tiles.fillsClient);
        EXPECT_EQ(tiles.stretch, ImageLayout::Stretch::AsBefore);
        EXPECT_EQ(tiles.content,
                  style == WallpaperStyle::Tiled ? ImageLayout::Content::Tiles : ImageLayout::Content::MirroredTiles);
        EXPECT_EQ(tiles.composedSize.width, 1024);
        EXPECT_EQ(tiles.composedSize.height, 768);
        ImageLayout empty = WallpaperImageLayout(style, {0, 0}, screen, client);
        EXPECT_EQ(empty.content, ImageLayout::Content::Picture) << "an empty picture makes no tiles";
    }
    ImageLayout filled = WallpaperImageLayout(WallpaperStyle::Fill, picture, screen, client);
    EXPECT_TRUE(filled.fillsClient);
    EXPECT_EQ(filled.content, ImageLayout::Content::Filled) << "composed at the screen's size";
    EXPECT_EQ(filled.composedSize.width, 1024);
    EXPECT_EQ(WallpaperImageLayout(WallpaperStyle::Fill, {}, screen, client).content, ImageLayout::Content::Picture);
    EXPECT_FALSE(WallpaperImageLayout(std::nullopt, picture, screen, client).laidOut);
    ImageLayout screenLayout = ScreenImageLayout();
    EXPECT_TRUE(screenLayout.fillsClient);
    EXPECT_EQ(screenLayout.stretch, ImageLayout::Stretch::On);
}

TEST(WallpaperStyles, SavedBitmapSizePerStyle) {
    const PixelSize picture{1600, 600}, screen{1024, 768};
    struct Case {
        WallpaperStyle style;
        int width, height;
    } cases[] = {{WallpaperStyle::Centred, 1024, 600},
                 {WallpaperStyle::Stretched, 1024, 600},
                 {WallpaperStyle::Tiled, 1024, 768},
                 {WallpaperStyle::Fit2Screen, 1024, 384},
                 {WallpaperStyle::Mirror, 1024, 768},
                 {WallpaperStyle::Fill, 1024, 768},
                 {WallpaperStyle::StretchedToScreen, 1024, 768}};
    for (const Case& c : cases) {
        SCOPED_TRACE(StyleInfo(c.style).name);
        PixelSize size = SavedBitmapSize(c.style, picture, screen);
        EXPECT_EQ(size.width, c.width);
        EXPECT_EQ(size.height, c.height);
        EXPECT_TRUE(SavedBitmapSize(c.style, {0, 0}, screen).Empty());
    }
}

// Only what the screen shows is kept, where the centred picture places it.
TEST(WallpaperStyles, ShownPartIsWhatTheScreenShows) {
    const PixelSize screen{1024, 768};
    struct Case {
        WallpaperStyle style;
        PixelSize picture;
        LayoutRect part;
    } cases[] = {
        {WallpaperStyle::Centred, {4001, 2999}, {1488, 1115, 1024, 768}}, // halves cut toward zero, as placed
        {WallpaperStyle::Centred, {1500, 500}, {238, 0, 1024, 500}},
        {WallpaperStyle::Centred, {300, 200}, {0, 0, 300, 200}},
        {WallpaperStyle::Tiled, {4000, 3000}, {0, 0, 1024, 768}},
        {WallpaperStyle::Mirror, {300, 1000}, {0, 0, 300, 768}},
        {WallpaperStyle::Stretched, {4000, 3000}, {0, 0, 4000, 3000}},
        {WallpaperStyle::Fit2Screen, {300, 200}, {0, 0, 300, 200}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(StyleInfo(c.style).name) + " of " + std::to_string(c.picture.width));
        const LayoutRect part = ShownPart(c.style, c.picture, screen);
        EXPECT_EQ(part.left, c.part.left);
        EXPECT_EQ(part.top, c.part.top);
        EXPECT_EQ(part.width, c.part.width);
        EXPECT_EQ(part.height, c.part.height);
        if (!ScalesPicture(c.style)) {
            // The part placed on the screen where the picture's own pixels would lie.
            const LayoutRect centred = CentreIn(c.picture, screen);
            if (c.style == WallpaperStyle::Centred && c.picture.width > screen.width)
                EXPECT_EQ(centred.left + part.left, 0);
        }
    }
}

TEST(WallpaperText, DesktopColoursAreReadAsTheRegistryWritesThem) {
    const struct {
        const char* text;
        bool read;
        std::uint32_t rgb;
    } cases[] = {
        {"58 110 165", true, 0x3A6EA5},  {"0 0 0", true, 0},
        {"255 255 255", true, 0xFFFFFF}, {" 1  2 3 ", true, 0x010203},
        {"256 0 0", false, 0},           {"1 2", false, 0},
        {"1 2 3 4", false, 0},           {"1,2,3", false, 0},
        {"0100 2 3", false, 0},          {"", false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        std::uint32_t rgb = 0xDEAD;
        EXPECT_EQ(ParseRgbText(c.text, rgb), c.read);
        if (c.read) EXPECT_EQ(rgb, c.rgb);
    }
}

TEST(WallpaperText, FailureMessagesNameThePathAndTheReason) {
    using Outcome = WallpaperResult::Outcome;
    WallpaperResult result;
    result.path = "C:\\PROG\\@QZ!BACK.BMP";
    EXPECT_EQ(WallpaperFailureText(result), "") << "applied";
    result.outcome = Outcome::NotWritten;
    EXPECT_EQ(WallpaperFailureText(result), "Cannot create file C:\\PROG\\@QZ!BACK.BMP");
    result.reason = "There is not enough space on the disk.";
    EXPECT_EQ(WallpaperFailureText(result),
              "Cannot create file C:\\PROG\\@QZ!BACK.BMP\x0A\x0DThere is not enough space on the disk.");
    result.reason.clear();
    result.outcome = Outcome::PathTooLong;
    EXPECT_EQ(WallpaperFailureText(result), "Cannot create file C:\\PROG\\@QZ!BACK.BMP\n\rThe path is longer than 255 "
                                            "characters.\n\rThe wallpaper was not changed.");
    result.outcome = Outcome::RegistryFailed;
    result.reason = "Failed to set data for 'Wallpaper'";
    EXPECT_EQ(WallpaperFailureText(result), "Failed to set data for 'Wallpaper'");
    EXPECT_EQ(UnreadablePictureText("C:\\A\\b.jpg"),
              "The file C:\\A\\b.jpg\n\rcould not be read as a picture.\n\rThe wallpaper was not changed.");
    EXPECT_EQ(NoPictureText("C:\\A\\b.jpg"),
              "The file C:\\A\\b.jpg\n\rholds no picture (0 x 0 pixels).\n\rThe wallpaper was not changed.");
    EXPECT_EQ(NoMemoryText("C:\\A\\b.jpg"),
              "There is not enough memory to make a wallpaper of C:\\A\\b.jpg\n\rThe wallpaper was not changed.");
}
