#include "pictures/MonitorLayout.h"

#include <gtest/gtest.h>

#include <algorithm>
// Each desktop point (x, y) shows the bitmap's pixel (x mod W, y mod H): every monitor pixel lands
// there, and the monitors together cover no bitmap pixel twice.
TEST(MonitorLayout, EachMonitorsPartLandsAtItsWrappedPlace) {
    const struct {
        const char* name;
        std::vector<MonitorRect> monitors;
        PixelSize bitmap;
    } layouts[] = {
        {"primary left", {{0, 0, 1280, 1024}, {1280, 0, 1024, 768}}, {2304, 1024}},
        {"primary right: the left monitor wraps to the far side",
         {{0, 0, 1280, 1024}, {-1024, 200, 1024, 768}},
         {2304, 1024}},
        {"one above the primary, wider: it lands below, its left part on the right",
         {{0, 0, 1024, 768}, {-128, -1024, 1280, 1024}},
         {1280, 1792}},
        {"three with a gap", {{0, 0, 800, 600}, {900, 0, 800, 600}, {-700, 100, 700, 400}}, {2400, 600}},
        {"portrait, above and below the primary: its top wraps to the bottom",
         {{0, 0, 1920, 1080}, {-1080, -400, 1080, 1920}},
         {3000, 1920}},
    };
    for (const auto& layout : layouts) {
        SCOPED_TRACE(layout.name);
        const MonitorRect all = VirtualScreenOf(layout.monitors);
        EXPECT_EQ(all.width, layout.bitmap.width);
        EXPECT_EQ(all.height, layout.bitmap.height);
        std::vector<int> covered(std::size_t(all.width) * std::size_t(all.height));
        for (std::size_t m = 0; m < layout.monitors.size(); ++m) {
            const MonitorRect& monitor = layout.monitors[m];
            const std::vector<TilePiece> pieces = TiledPieces(monitor, layout.bitmap);
            long long area = 0;
            for (const TilePiece& p : pieces) {
                // The piece's first and last pixels on the desktop land where the tiling shows them.
                for (int corner : {0, 1}) {
                    const int x = corner * (p.width - 1), y = corner * (p.height - 1);
                    EXPECT_EQ(p.toLeft + x, WrapInto(monitor.left + p.fromLeft + x, all.width));
                    EXPECT_EQ(p.toTop + y, WrapInto(monitor.top + p.fromTop + y, all.height));
                }
                area += (long long)p.width * p.height;
                for (int y = p.toTop; y < p.toTop + p.height; ++y)
                    for (int x = p.toLeft; x < p.toLeft + p.width; ++x)
                        ++covered[std::size_t(y) * std::size_t(all.width) + std::size_t(x)];
            }
            EXPECT_EQ(area, (long long)monitor.width * monitor.height) << "every pixel of monitor " << m;
        }
        EXPECT_LE(*std::max_element(covered.begin(), covered.end()), 1) << "two monitors share a bitmap pixel";
    }
}

// The primary first, then from left to right, then from top to bottom, whatever the system's order.
TEST(MonitorLayout, MonitorsComeInAFixedOrder) {
    const MonitorRect primary{0, 0, 1920, 1080, true}, left{-1280, 0, 1280, 1024}, above{0, -768, 1024, 768},
        below{0, 1080, 800, 600}, right{1920, 0, 800, 600};
    std::vector<MonitorRect> monitors = {above, left, right, primary, below};
    std::sort(monitors.begin(), monitors.end(), MonitorComesFirst);
    EXPECT_TRUE(monitors == std::vector<MonitorRect>({primary, left, above, below, right}));
}
