// The rectangles the full-screen run covers: every monitor but the primary, whatever the layout.
#include "host/monitor_covers.h"

#include <gtest/gtest.h>

TEST(CoverRectsTest, EveryMonitorButThePrimary) {
    const ScreenRect primary{0, 0, 1024, 768}, right{1024, 0, 1824, 600}, below{0, 768, 1024, 1536};
    const ScreenRect left{-1280, -200, 0, 824}, above{0, -1080, 1920, 0}, inside{0, 0, 800, 600}, empty{9, 0, 9, 5};
    const struct { const char* layout; std::vector<MonitorArea> monitors; std::vector<ScreenRect> covers; } cases[] = {
        {"single monitor", {{primary, true}}, {}},
        {"one to the right", {{primary, true}, {right, false}}, {right}},
        {"stacked", {{primary, true}, {below, false}}, {below}},
        {"left and above, primary not first", {{left, false}, {primary, true}, {above, false}}, {left, above}},
        {"mirrored or empty", {{primary, true}, {inside, false}, {empty, false}}, {}},
    };
    for (const auto& c : cases) EXPECT_EQ(CoverRects(c.monitors), c.covers) << c.layout;
}
