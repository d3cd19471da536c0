// Where the clocks go whatever the layout: the covers of the Windows run, the clocks of one
// window over several monitors, and a window lent for one monitor.
#include "host/clock_layout.h"

#include <gtest/gtest.h>

namespace {
const ScreenRect primary{0, 0, 1024, 768}, right{1024, 0, 1824, 600}, below{0, 768, 1024, 1536};
const ScreenRect left{-1280, -200, 0, 824}, above{0, -1080, 1920, 0}, inside{0, 0, 800, 600}, empty{9, 0, 9, 5};
const ScreenRect everything{-4096, -4096, 4096, 4096};

ClockSettings Monitors(bool every) {
    ClockSettings settings{};
    SetDefaultSettings(settings);
    settings.monitors = every ? 1 : 0;
    return settings;
}

// What a host that covers or draws every monitor itself takes: the plans that are not mirrors.
std::vector<ScreenRect> Covers(const std::vector<MonitorPlan>& plans) {
    std::vector<ScreenRect> covers;
    for (const MonitorPlan& plan : plans) {
        if (!plan.main && !plan.mirror) covers.push_back(plan.monitor);
    }
    return covers;
}

std::vector<ScreenRect> Clocks(const std::vector<MonitorPlan>& plans) {
    std::vector<ScreenRect> clocks;
    for (const MonitorPlan& plan : plans) {
        if (!plan.mirror) clocks.insert(clocks.end(), plan.clocks.begin(), plan.clocks.end());
    }
    return clocks;
}
}  // namespace

TEST(ClockLayoutTest, EveryMonitorButTheMainNeedsACover) {
    const struct { const char* layout; std::vector<MonitorArea> monitors; std::vector<ScreenRect> covers; } cases[] = {
        {"single monitor", {{primary, true}}, {}},
        {"one to the right", {{primary, true}, {right, false}}, {right}},
        {"stacked", {{primary, true}, {below, false}}, {below}},
        {"left and above, primary not first", {{left, false}, {primary, true}, {above, false}}, {left, above}},
        {"mirrored or empty", {{primary, true}, {inside, false}, {empty, false}}, {}},
    };
    for (const auto& c : cases) EXPECT_EQ(Covers(LayOutClocks(c.monitors, everything, Monitors(false))), c.covers) << c.layout;
}

TEST(ClockLayoutTest, MainOrEveryMonitorClippedToTheWindow) {
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
    for (const auto& c : cases) EXPECT_EQ(Clocks(LayOutClocks(c.monitors, c.window, Monitors(c.every))), c.clocks) << c.layout;
}

TEST(ClockLayoutTest, AMirrorShowsWhatItsMonitorShows) {
    // Hosts with a surface per monitor (Wayland outputs) draw mirrors too.
    const std::vector<MonitorArea> monitors{{primary, true}, {inside, false}, {right, false}, {{1024, 0, 1424, 300}, false}};
    const std::vector<MonitorPlan> plans = LayOutClocks(monitors, everything, Monitors(false));
    ASSERT_EQ(plans.size(), 4u);
    EXPECT_TRUE(plans[1].mirror);
    EXPECT_EQ(plans[1].clocks, std::vector<ScreenRect>{inside});
    EXPECT_TRUE(plans[3].mirror);
    EXPECT_TRUE(plans[3].clocks.empty());
}

TEST(ClockLayoutTest, ALentWindowShowsAClockOnlyOnTheMainMonitorUnlessEvery) {
    const std::vector<MonitorArea> two{{right, false}, {primary, true}};
    const struct { const char* where; std::vector<MonitorArea> monitors; int32_t x, y; bool every, clock; } cases[] = {
        {"main monitor", two, 512, 384, false, true}, {"second monitor", two, 1424, 300, false, false},
        {"second, every monitor", two, 1424, 300, true, true}, {"no monitors known", {}, 1424, 300, false, true},
        {"off every monitor", two, 3000, 3000, false, false},
    };
    for (const auto& c : cases) {
        const ClockSettings settings = Monitors(c.every);
        EXPECT_EQ(LentWindowHasClock(LayOutClocks(c.monitors, everything, settings), c.x, c.y, settings), c.clock) << c.where;
    }
}

TEST(ClockLayoutTest, WorldClocksShareAMonitorInARowOrAColumn) {
    EXPECT_EQ(ClockCells({0, 0, 1920, 1080}, 3),
              (std::vector<ScreenRect>{{0, 0, 640, 1080}, {640, 0, 1280, 1080}, {1280, 0, 1920, 1080}}));
    EXPECT_EQ(ClockCells({10, 0, 1090, 1921}, 2), (std::vector<ScreenRect>{{10, 0, 1090, 960}, {10, 960, 1090, 1921}}));
    const std::vector<MonitorPlan> plans = LayOutClocks({{primary, true}, {right, false}}, everything, Monitors(true), 2);
    EXPECT_EQ(plans[1].clocks, (std::vector<ScreenRect>{{1024, 0, 1424, 600}, {1424, 0, 1824, 600}}));
}
