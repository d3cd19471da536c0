// The saver window's rules: canvas size, tick policy, mouse rule and message table.
#include "host/saver_rules.h"
#include "host/win32/saver_messages.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

namespace m = saver_message;

TEST(SaverCanvasSizeTest, PreviewIsEnlargedByAWholeFactor) {
    EXPECT_EQ(SaverCanvasSize(true, 152, 112).width, 912);
    EXPECT_EQ(SaverCanvasSize(true, 152, 112).height, 672);
    EXPECT_EQ(SaverCanvasSize(true, 500, 800).width, 500);
    EXPECT_EQ(SaverCanvasSize(true, 500, 800).height, 800);
    EXPECT_EQ(SaverCanvasSize(true, 1, 1).width, 768);
    EXPECT_EQ(SaverCanvasSize(true, 384, 1000).height, 2000);
}

TEST(SaverCanvasSizeTest, PreviewShorterSideLandsBetween385And768) {
    for (int side = 1; side <= 768; ++side) {
        for (int other : {side, side + 1, side * 2, 2000}) {
            const CanvasSize size = SaverCanvasSize(true, other, side);
            const int shorter = std::min(size.width, size.height);
            ASSERT_GE(shorter, 385) << side << " x " << other;
            ASSERT_LE(shorter, 768) << side << " x " << other;
            ASSERT_EQ(size.width * side, size.height * other) << "aspect ratio kept";
        }
    }
}

TEST(SaverCanvasSizeTest, PreviewAbove768KeepsItsSize) {
    // The factor never drops to 0: a large preview draws at its own size, never on an empty canvas.
    EXPECT_EQ(SaverCanvasSize(true, 1000, 769).width, 1000);
    EXPECT_EQ(SaverCanvasSize(true, 1000, 769).height, 769);
    EXPECT_EQ(SaverCanvasSize(true, 3840, 2160).width, 3840);
}

TEST(SaverCanvasSizeTest, LongThinPreviewDoesNotOverflow) {
    // A shorter side of 1 asks for factor 768; the longer side must still fit.
    for (int32_t longer : {INT32_MAX, INT32_MAX / 768 + 1, 3000000, INT32_MAX / 768}) {
        for (bool wide : {true, false}) {
            const CanvasSize size = wide ? SaverCanvasSize(true, longer, 1) : SaverCanvasSize(true, 1, longer);
            const int32_t along = wide ? size.width : size.height;
            const int32_t across = wide ? size.height : size.width;
            const int64_t factor = across;
            EXPECT_GE(factor, 1) << longer;
            EXPECT_LE(factor, 768) << longer;
            EXPECT_EQ(int64_t{along}, int64_t{longer} * factor) << longer;
        }
    }
    EXPECT_EQ(SaverCanvasSize(true, INT32_MAX / 768, 1).height, 768);
    EXPECT_EQ(SaverCanvasSize(true, INT32_MAX, 1).height, 1);
}

TEST(SaverCanvasSizeTest, EmptyClientAreaGivesEmptyCanvas) {
    for (bool preview : {true, false}) {
        for (auto [w, h] : {std::pair{0, 112}, {152, 0}, {0, 0}, {-5, 100}, {100, -5}, {INT_MIN, INT_MIN}}) {
            const CanvasSize size = SaverCanvasSize(preview, w, h);
            EXPECT_EQ(size.width, 0);
            EXPECT_EQ(size.height, 0);
        }
    }
}

TEST(SaverCanvasSizeTest, FullScreenUsesTheScreenSize) {
    EXPECT_EQ(SaverCanvasSize(false, 1920, 1080).width, 1920);
    EXPECT_EQ(SaverCanvasSize(false, 1920, 1080).height, 1080);
    EXPECT_EQ(SaverCanvasSize(false, 3840, 2160).width, 3840);
    EXPECT_EQ(SaverCanvasSize(false, 100, 50).height, 50);
}

TEST(TickTest, WithoutSecondsOnlyAChangeOfMinuteRedraws) {
    TickState state;
    EXPECT_TRUE(Tick(state, 7, 14, 0, 0).invalidate);   // first tick: a change of minute
    for (int second = 1; second < 60; ++second) EXPECT_FALSE(Tick(state, 7, 14, 0, 0).invalidate);
    EXPECT_TRUE(Tick(state, 8, 14, 0, 0).invalidate);
    EXPECT_FALSE(Tick(state, 8, 14, 0, 0).invalidate);
}

TEST(TickTest, WithSecondsEveryTickRedraws) {
    for (int seconds : {1, 2, 7, -1}) {
        TickState state;
        for (int tick = 0; tick < 5; ++tick) EXPECT_TRUE(Tick(state, 30, 2, seconds, 0).invalidate) << seconds;
    }
}

TEST(TickTest, FirstTickInMinuteZeroIsNoChange) {
    TickState state;
    EXPECT_FALSE(Tick(state, 0, 1, 0, 1).invalidate);
    EXPECT_FALSE(Tick(state, 0, 1, 0, 1).faceDirty);
    EXPECT_TRUE(Tick(state, 1, 1, 0, 1).invalidate);
}

TEST(TickTest, DateLogoRedrawsTheDialOnAChangeOfDay) {
    TickState state;
    TickResult first = Tick(state, 59, 14, 0, 1);
    EXPECT_TRUE(first.faceDirty);   // the first change of minute always counts as a change of day
    EXPECT_FALSE(Tick(state, 59, 14, 0, 1).faceDirty);
    TickResult midnight = Tick(state, 0, 15, 0, 1);
    EXPECT_TRUE(midnight.invalidate);
    EXPECT_TRUE(midnight.faceDirty);
    EXPECT_FALSE(Tick(state, 1, 15, 0, 1).faceDirty);
    EXPECT_EQ(state.lastDay, 15);
    EXPECT_EQ(state.lastMinute, 1);
}

TEST(TickTest, OtherLogoModesNeverRedrawTheDial) {
    for (int logo : {0, 2, 3, -1}) {
        TickState state;
        EXPECT_FALSE(Tick(state, 59, 14, 1, logo).faceDirty);
        const TickResult midnight = Tick(state, 0, 15, 1, logo);
        EXPECT_TRUE(midnight.invalidate);
        EXPECT_FALSE(midnight.faceDirty) << logo;
        EXPECT_EQ(state.lastDay, 15);   // the day is still followed
    }
}

// At a night boundary the dial is drawn anew in the other palette, once.
TEST(TickTest, NightBoundaryRedrawsTheDial) {
    ClockSettings settings{};
    SetDefaultSettings(settings);
    settings.face = 2;
    settings.showSeconds = 0;
    TickState state;
    const auto at = [&](int hour, int minute) { return TickAt(state, {2026, 3, 14, 6, hour, minute, 0}, settings); };
    EXPECT_FALSE(at(6, 58).faceDirty) << "the first frame is already drawn in the palette of its time";
    EXPECT_FALSE(at(6, 59).faceDirty);
    EXPECT_TRUE(at(7, 0).faceDirty);
    EXPECT_FALSE(at(7, 0).invalidate);
    EXPECT_FALSE(at(7, 1).faceDirty);
    at(21, 59);
    EXPECT_TRUE(at(22, 0).faceDirty);
}

TEST(TickTimingTest, WaitsForTheNextTurnOfTheSecondAndNeverStalls) {
    const TickInstant now{1000, 250'000'000};
    const TickInstant next = NextTickAfter(now);
    EXPECT_EQ(next.seconds, 1001);
    struct Case {
        TickInstant now;
        int32_t wait;
    } cases[] = {
        {now, 755},                      // 0.75 s to the turn, 5 ms late
        {{1000, 999'999'999}, 6},        // rounded up, never early
        {{1001, 5'000'000}, 0},          // due
        {{1003, 0}, 0},                  // set forward: due at once
        {{940, 0}, 0},                   // set back a minute: due at once, not in a minute
        {{1000, 0}, 1005},               // the longest wait a tick is scheduled
    };
    for (const Case& c : cases) EXPECT_EQ(MillisecondsUntilTick(c.now, next), c.wait) << c.now.seconds;
}

TEST(MouseRuleTest, TenPixelsAlongEachAxisIsNotAnEnd) {
    ScreenPoint anchor{500, 500};
    EXPECT_FALSE(MouseMoveEndsSaver(anchor, {510, 490}));
    EXPECT_EQ(anchor.x, 510);
    EXPECT_EQ(anchor.y, 490);
    EXPECT_FALSE(MouseMoveEndsSaver(anchor, {510, 490}));   // an unmoved cursor
}

TEST(MouseRuleTest, ElevenPixelsAlongOneAxisEnds) {
    for (ScreenPoint to : {ScreenPoint{511, 500}, {489, 500}, {500, 511}, {500, 489}}) {
        ScreenPoint anchor{500, 500};
        EXPECT_TRUE(MouseMoveEndsSaver(anchor, to));
        EXPECT_EQ(anchor.x, 500);   // a refused step leaves the anchor
        EXPECT_EQ(anchor.y, 500);
    }
}

TEST(MouseRuleTest, SlowDriftNeverEnds) {
    ScreenPoint anchor{0, 0};
    for (int step = 1; step <= 1000; ++step) ASSERT_FALSE(MouseMoveEndsSaver(anchor, {step * 10, step * 7}));
}

TEST(MouseRuleTest, ExtremeCoordinatesDoNotOverflow) {
    ScreenPoint anchor{INT_MIN, INT_MIN};
    EXPECT_TRUE(MouseMoveEndsSaver(anchor, {INT_MAX, INT_MAX}));
    anchor = {INT_MAX, 0};
    EXPECT_TRUE(MouseMoveEndsSaver(anchor, {INT_MIN, 0}));
}

TEST(MessageTableTest, InputEndsOnlyTheFullScreenRun) {
    for (uint32_t message : {m::KeyDown, m::SysKeyDown, m::LButtonDown, m::RButtonDown, m::MButtonDown}) {
        EXPECT_EQ(DecideSaverAction(true, message, 0), SaverAction::EndSaver) << message;
        EXPECT_EQ(DecideSaverAction(false, message, 0), SaverAction::Ignore) << message;
    }
    EXPECT_EQ(DecideSaverAction(true, m::MouseMove, 0), SaverAction::MouseRule);
    EXPECT_EQ(DecideSaverAction(false, m::MouseMove, 0), SaverAction::Ignore);
    EXPECT_EQ(DecideSaverAction(true, m::SetCursor, 0), SaverAction::HideCursor);
    EXPECT_EQ(DecideSaverAction(false, m::SetCursor, 0), SaverAction::Ignore);
    EXPECT_EQ(DecideSaverAction(true, m::DisplayChange, 32), SaverAction::EndSaver);
    EXPECT_EQ(DecideSaverAction(false, m::DisplayChange, 32), SaverAction::Default);
    // Key-up, button-up and character messages are not input that ends anything.
    for (uint32_t message : {0x0101u, 0x0102u, 0x0202u, 0x0205u, 0x020Au}) {
        EXPECT_EQ(DecideSaverAction(true, message, 0), SaverAction::Default) << message;
    }
}

TEST(MessageTableTest, SystemCommandsAreSwallowedExceptMonitorPower) {
    for (uintptr_t command : {0xF140u, 0xF060u, 0xF040u, 0xF050u, 0xF020u, 0xF100u}) {
        EXPECT_EQ(DecideSaverAction(true, m::SysCommand, command), SaverAction::Ignore) << command;
        EXPECT_EQ(DecideSaverAction(false, m::SysCommand, command), SaverAction::Ignore) << command;
    }
    EXPECT_EQ(DecideSaverAction(true, m::SysCommand, 0xF170), SaverAction::Default);
    EXPECT_EQ(DecideSaverAction(true, m::SysCommand, 0xF172), SaverAction::Default);   // system's low bits set
    EXPECT_EQ(DecideSaverAction(false, m::SysCommand, 0xF170), SaverAction::Ignore);
}

TEST(MessageTableTest, PowerAndActivationAreTheSameInBothModes) {
    for (bool fullScreen : {true, false}) {
        EXPECT_EQ(DecideSaverAction(fullScreen, m::PowerBroadcast, 4), SaverAction::EndSaver);
        EXPECT_EQ(DecideSaverAction(fullScreen, m::PowerBroadcast, 0), SaverAction::GrantSuspend);
        EXPECT_EQ(DecideSaverAction(fullScreen, m::PowerBroadcast, 7), SaverAction::Ignore);
        EXPECT_EQ(DecideSaverAction(fullScreen, m::PowerBroadcast, 0x8013), SaverAction::PowerSetting);
        EXPECT_EQ(DecideSaverAction(fullScreen, m::PowerBroadcast, 0xA), SaverAction::PowerStatus);
        EXPECT_EQ(DecideSaverAction(fullScreen, m::PowerBroadcast, 18), SaverAction::Ignore);
        for (uint32_t message : {m::Activate, m::ActivateApp, m::NcActivate}) {
            EXPECT_EQ(DecideSaverAction(fullScreen, message, 0), SaverAction::EndIfDeactivated);
        }
        EXPECT_EQ(DecideSaverAction(fullScreen, m::Create, 0), SaverAction::SetUpCanvas);
        EXPECT_EQ(DecideSaverAction(fullScreen, m::Destroy, 0), SaverAction::Release);
        EXPECT_EQ(DecideSaverAction(fullScreen, m::Paint, 0), SaverAction::Paint);
        EXPECT_EQ(DecideSaverAction(fullScreen, m::Close, 0), SaverAction::Close);
        EXPECT_EQ(DecideSaverAction(fullScreen, m::Timer, 99), SaverAction::Tick);
        EXPECT_EQ(DecideSaverAction(fullScreen, 0x0014, 0), SaverAction::Default);   // erase: black background
    }
}

TEST(MessageTableTest, LosingActivation) {
    EXPECT_TRUE(LosesActivation(m::ActivateApp, 0));
    EXPECT_FALSE(LosesActivation(m::ActivateApp, 1));
    EXPECT_TRUE(LosesActivation(m::NcActivate, 0));
    EXPECT_FALSE(LosesActivation(m::NcActivate, 1));
    EXPECT_TRUE(LosesActivation(m::Activate, 0));
    EXPECT_TRUE(LosesActivation(m::Activate, 0x10000));   // inactive and minimized
    EXPECT_FALSE(LosesActivation(m::Activate, 1));
    EXPECT_FALSE(LosesActivation(m::Activate, 2));
}

}  // namespace
