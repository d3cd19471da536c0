// The rectangles the full-screen run covers, and where the clocks go, whatever the layout.
#include "host/monitor_covers.h"

#include <gtest/gtest.h>

namespace {
const ScreenRect primary{0, 0, 1024, 768}, right{1024, 0, 1824, 600}, below{0, 768, 1024, 1536};
const ScreenRect left{-1280, -200, 0, 824}, above{0, -1080, 1920, 0}, inside{0, 0, 800, 600}, empty{9, 0, 9, 5};
}  // namespace

TEST(CoverRectsTest, EveryMonitorButThePrimary) {
    const struct { const char* layout; std::vector<MonitorArea> monitors; std::vector<ScreenRect> covers; } cases[] = {
        {"single monitor", {{primary, true}}, {}},
        {"one to the right", {{primary, true}, {right, false}}, {right}},
        {"stacked", {{primary, true}, {below, false}}, {below}},
        {"left and above, primary not first", {{left, false}, {primary, true}, {above, false}}, {left, above}},
        {"mirrored or empty", {{primary, true}, {inside, false}, {empty, false}}, {}},
    };
    for (const auto& c : cases) EXPECT_EQ(CoverRects(c.monitors), c.covers) << c.layout;
}

TEST(ClockRectsTest, MainOrEveryMonitorClippedToTheWindow) {
    const ScreenRect side{0, 0, 1824, 768}, tall{0, -1080, 1920, 768};
    const struct { const char* layout; std::vector<MonitorArea> monitors; ScreenRect window; bool every; std::vector<ScreenRect> clocks; } cases[] = {
        {"main: the flagged one, clipped", {{right, false}, {{-100, 0, 1024, 900}, true}}, side, false, {primary}},
        {"main: unflagged, the one at the origin", {{right, false}, {primary, false}}, side, false, {primary}},
        {"main: none at the origin, the first", {{above, false}, {left, false}}, tall, false, {above}},
        {"every: one each, in order", {{right, false}, {primary, true}}, side, true, {right, primary}},
        {"every: a mirror listed first, empty", {{inside, false}, {empty, false}, {primary, true}}, side, true, {primary}},
        {"every: clipped, two outside", {{left, false}, {primary, true}, {below, false}, {{1024, -9, 1900, 600}, false}}, side, true, {primary, right}},
        {"no monitors known: the window", {}, side, true, {side}},
    };
    for (const auto& c : cases) EXPECT_EQ(ClockRects(c.monitors, c.window, c.every), c.clocks) << c.layout;
}

TEST(LentWindowHasClockTest, OnlyOnTheMainMonitorUnlessEvery) {
    const std::vector<MonitorArea> two{{right, false}, {primary, true}};
    const struct { const char* where; std::vector<MonitorArea> monitors; int32_t x, y; bool every, clock; } cases[] = {
        {"main monitor", two, 512, 384, false, true}, {"second monitor", two, 1424, 300, false, false},
        {"second, every monitor", two, 1424, 300, true, true}, {"no monitors known", {}, 1424, 300, false, true},
    };
    for (const auto& c : cases) EXPECT_EQ(LentWindowHasClock(c.monitors, c.x, c.y, c.every), c.clock) << c.where;
}
