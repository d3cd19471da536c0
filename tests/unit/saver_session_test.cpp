// The saver session driven by event sequences as the hosts translate them.
#include "host/saver_session.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

enum class Event { Tick, DisplayOff, DisplayDimmed, DisplayOn, Layout, Pointer, Enter, Key, Stop, Lost };

struct Step {
    Event event;
    int32_t minute = 10, second = 0, day = 14;  // the reading of a tick or a display change
    ScreenPoint at{0, 0};                       // the pointer's position
    // What the host is told: d draw, D dial, e end with 0, 1 end with 1; "" nothing.
    const char* expected = "";
};

ClockReading At(int32_t day, int32_t minute, int32_t second) {
    const int64_t seconds = 1'773'000'000 + (day * 24 * 60 + minute) * 60 + second;
    return {{seconds, TickLatenessNs}, {2026, 3, day, 6, 10, minute, second}};
}

std::string Told(const SessionStep& step) {
    std::string told;
    if (step.draw) told += 'd';
    if (step.dialDirty) told += 'D';
    if (step.end) told += step.exitCode == 0 ? 'e' : '1';
    return told;
}

std::string Carry(SaverSession& session, const Step& step) {
    const ClockReading now = At(step.day, step.minute, step.second);
    switch (step.event) {
    case Event::Tick: return Told(session.Tick(now));
    case Event::DisplayOff: return Told(session.Display(DisplayPower::Off, now));
    case Event::DisplayDimmed: return Told(session.Display(DisplayPower::Dimmed, now));
    case Event::DisplayOn: return Told(session.Display(DisplayPower::On, now));
    case Event::Layout: return Told(session.LayoutChanged(now));
    case Event::Pointer: return Told(session.Pointer(step.at));
    case Event::Enter: session.PointerEntered(); return "";
    case Event::Key: return Told(session.Input());
    case Event::Stop: return Told(session.Stop());
    case Event::Lost: return Told(session.Lost());
    }
    return "?";
}

}  // namespace

TEST(SaverSessionTest, EventSequences) {
    const struct {
        const char* story;
        int32_t showSeconds, showLogo;
        std::vector<Step> steps;
    } cases[] = {
        {"seconds: every tick draws; the first reading primes the day", 1, 1,
         {{Event::Tick, 10, 1, 14, {}, "d"}, {Event::Tick, 10, 2, 14, {}, "d"}}},
        {"no seconds: only a new minute draws", 0, 2,
         {{Event::Tick, 10, 1, 14, {}, ""}, {Event::Tick, 10, 59, 14, {}, ""}, {Event::Tick, 11, 0, 14, {}, "d"}}},
        {"date logo: a new day redraws the dial", 0, 1, {{Event::Tick, 0, 0, 15, {}, "dD"}}},
        {"display off: no frames, the dial change kept, a fresh frame when on", 1, 1,
         {{Event::DisplayOff}, {Event::Tick, 0, 0, 15, {}, "D"}, {Event::Tick, 0, 1, 15, {}, ""},
          {Event::DisplayOn, 0, 2, 15, {}, "dD"}, {Event::Tick, 0, 3, 15, {}, "d"}}},
        {"dimmed counts as on; on after on draws nothing", 1, 2,
         {{Event::DisplayOff}, {Event::DisplayDimmed, 10, 1, 14, {}, "dD"}, {Event::DisplayOn}}},
        {"a new layout draws everything, even without the needle", 0, 2, {{Event::Layout, 10, 5, 14, {}, "dD"}}},
        {"a new layout while the display is off draws nothing yet", 0, 2,
         {{Event::DisplayOff}, {Event::Layout, 10, 5, 14, {}, "D"}}},
        {"pointer: the first position anchors, slack follows, a jump ends", 1, 2,
         {{Event::Pointer, 0, 0, 0, {500, 500}}, {Event::Pointer, 0, 0, 0, {510, 490}},
          {Event::Pointer, 0, 0, 0, {520, 480}}, {Event::Pointer, 0, 0, 0, {531, 480}, "e"}}},
        {"pointer: entering another surface takes a new anchor", 1, 2,
         {{Event::Pointer, 0, 0, 0, {5, 5}}, {Event::Enter}, {Event::Pointer, 0, 0, 0, {900, 900}},
          {Event::Pointer, 0, 0, 0, {905, 905}}}},
        {"keys, stop signals end with 0, a lost display with 1", 1, 2,
         {{Event::Key, 0, 0, 0, {}, "e"}, {Event::Stop, 0, 0, 0, {}, "e"}, {Event::Lost, 0, 0, 0, {}, "1"}}},
    };
    for (const auto& c : cases) {
        ClockSettings settings{};
        SetDefaultSettings(settings);
        settings.showSeconds = c.showSeconds;
        settings.showLogo = c.showLogo;
        SaverSession session(settings, true, At(14, 10, 0));
        for (size_t i = 0; i < c.steps.size(); ++i) EXPECT_EQ(Carry(session, c.steps[i]), c.steps[i].expected) << c.story << ", step " << i;
    }
}

TEST(SaverSessionTest, WaitsASecondWithTheNeedleAMinuteWithoutAndASecondWhileTheDisplayIsOff) {
    ClockSettings settings{};
    SetDefaultSettings(settings);
    const ClockReading start = At(14, 10, 20);
    const TickInstant quarterPast{start.instant.seconds, 250'000'000};
    const struct { const char* setting; int32_t showSeconds; bool displayOff; int32_t wait; } cases[] = {
        {"needle", 1, false, 755}, {"no needle", 0, false, 39'755}, {"no needle, display off", 0, true, 755},
    };
    for (const auto& c : cases) {
        settings.showSeconds = c.showSeconds;
        SaverSession session(settings, true, start);
        if (c.displayOff) session.Display(DisplayPower::Off, start);
        EXPECT_EQ(session.MillisecondsUntilTick(quarterPast), c.wait) << c.setting;
        // A clock set back by an hour never stalls the ticks.
        EXPECT_EQ(session.MillisecondsUntilTick({start.instant.seconds - 3600, 0}), 0) << c.setting;
    }
}
