// Frames as composed over the dial: hands, needle, shadow, banner, and what the renderer leaves
// behind after many frames.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "common/object_count.h"
#include "render/render_clock_win32.h"
#include "render/gdiplus_painter_win32.h"
#include "render/hand_geometry.h"
#include "common/render_status_win32.h"
#include "tests/win32/render_test_support.h"

using namespace render_test;

namespace {

constexpr uint32_t Green = 0x0000FF00;  // COLORREF and picture colour alike
constexpr int32_t Off = 0, Normal = 1, FullBack = 2;

ClockSettings Plain(int32_t showSeconds) {
    ClockSettings settings = DefaultSettings();
    settings.showLogo = 0;
    settings.showSeconds = showSeconds;
    settings.colorOfMarkers = Green;
    return settings;
}

int DarkPixels(const Picture& picture, int left, int top, int right, int bottom) {
    int dark = 0;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) dark += IsDark(picture.At(x, y));
    }
    return dark;
}

}  // namespace

TEST_F(RenderTest, HandsPointWhereTheTimeSays) {
    struct Case {
        int hour, minute, second;
    };
    // Times whose three hands lie well apart.
    for (const Case& c : {Case{3, 0, 40}, Case{10, 10, 30}, Case{7, 48, 20}, Case{13, 30, 50}, Case{0, 20, 45}}) {
        SCOPED_TRACE(testing::Message() << c.hour << ":" << c.minute << ":" << c.second);
        Clock clock(1024, 768);
        const Picture frame = clock.Render(Plain(Normal), TimeOf(c.hour, c.minute, c.second));
        const DialGeometry& d = clock.Dial();
        const ClockHands hands = ClockHandsOf(d, {c.hour, c.minute, c.second}, Normal);
        const HandSizes& s = hands.sizes;
        const HandAngles& a = hands.angles;
        // Hour and minute stripes in the marker colour, black bodies beyond them.
        EXPECT_TRUE(ColorNear(frame, At(d, (s.hourStripeOuter + s.stripeInner) / 2.0, a.hour), Green));
        EXPECT_TRUE(ColorNear(frame, At(d, (s.minuteStripeOuter + s.stripeInner) / 2.0, a.minute), Green));
        EXPECT_TRUE(ColorDark(frame, At(d, s.stripeInner - 2 * d.unit - 4, a.hour)));
        EXPECT_TRUE(ColorDark(frame, At(d, s.stripeInner - 2 * d.unit - 4, a.minute)));
        EXPECT_TRUE(ColorDark(frame, At(d, s.tailLength - 4, a.hour + 3.14)));
        // The needle, and its disc in the marker colour at the hour hand's length.
        EXPECT_TRUE(ColorDark(frame, At(d, s.secondLength * 0.6, a.second)));
        EXPECT_TRUE(ColorNear(frame, At(d, s.hourLength, a.second), Green));
        EXPECT_TRUE(ColorNear(frame, At(d, s.secondLength * 0.6, a.second + 3.14), White, 40));
        EXPECT_TRUE(ColorDark(frame, {d.centerX, d.centerY}));  // the cap
    }
}

TEST_F(RenderTest, FullBackRunsTheNeedleBackwardsAndOffLeavesItOut) {
    Clock clock(1024, 768);
    const DialGeometry& d = clock.Dial();
    const HandSizes s = HandSizesOf(d);
    const double right = 15 * 6 * DegreeToRadian, left = 45 * 6 * DegreeToRadian;

    const Picture normal = clock.Render(Plain(Normal), TimeOf(5, 30, 15));
    EXPECT_TRUE(ColorNear(normal, At(d, s.hourLength, right), Green));
    EXPECT_FALSE(ColorNear(normal, At(d, s.hourLength, left), Green));

    const Picture back = clock.Render(Plain(FullBack), TimeOf(5, 30, 15));
    EXPECT_TRUE(ColorNear(back, At(d, s.hourLength, left), Green));
    EXPECT_FALSE(ColorNear(back, At(d, s.hourLength, right), Green));
    EXPECT_EQ(clock.Render(Plain(FullBack), TimeOf(5, 30, 15)).pixels,
              clock.Render(Plain(Normal), TimeOf(5, 30, 45)).pixels);
    EXPECT_EQ(clock.Render(Plain(7), TimeOf(5, 30, 15)).pixels, back.pixels);
    // At second 0 both run at the top (FullBack at 6.28, a hair short of a full turn).
    EXPECT_TRUE(ColorNear(clock.Render(Plain(FullBack), TimeOf(5, 30, 0)), At(d, s.hourLength, 0), Green));
    EXPECT_TRUE(ColorNear(clock.Render(Plain(Normal), TimeOf(5, 30, 0)), At(d, s.hourLength, 0), Green));

    const Picture off = clock.Render(Plain(Off), TimeOf(5, 30, 15));
    EXPECT_TRUE(ColorNear(off, At(d, s.hourLength, right), White, 2));
    const IntPoint disc = At(d, s.hourLength, right);
    EXPECT_TRUE(ColorNear(off, {disc.x + 7, disc.y + 7}, White, 2));  // nor its shadow
    EXPECT_TRUE(ColorDark(off, {d.centerX, d.centerY}));
    const IntBox capShadow = ClockHandsOf(d, {5, 30, 15}, Off).capShadow;
    EXPECT_TRUE(ColorNear(off, {capShadow.left + capShadow.width - 3, capShadow.top + capShadow.height / 2},
                          ShadowOnWhite));
}

// At 3:00 the hour hand lies flat to the right: its body covers y 378 to 390, its shadow
// y 384 to 396 from x 459 to 688.
TEST_F(RenderTest, ShadowFallsSevenPixelsRightAndDown) {
    Clock clock(1024, 768);
    const Picture frame = clock.Render(Plain(Off), TimeOf(3, 0, 0));
    EXPECT_TRUE(ColorDark(frame, {600, 384}));
    EXPECT_TRUE(ColorNear(frame, {600, 394}, ShadowOnWhite));
    EXPECT_TRUE(ColorNear(frame, {600, 399}, White, 2));
    EXPECT_TRUE(ColorNear(frame, {600, 375}, White, 2));
    EXPECT_TRUE(ColorNear(frame, {686, 392}, ShadowOnWhite));
    EXPECT_TRUE(ColorNear(frame, {691, 392}, White, 2));
    // Where the cap's shadow meets the hands' shadows there is one shade, with no gap.
    EXPECT_TRUE(ColorNear(frame, {533, 394}, ShadowOnWhite));
    EXPECT_TRUE(ColorNear(frame, {522, 405}, ShadowOnWhite));
    // The same offset on a canvas of another unit.
    Clock big(3840, 2160);
    const Picture bigFrame = big.Render(Plain(Off), TimeOf(3, 0, 0));
    const Hand hour = ClockHandsOf(big.Dial(), {3, 0, 0}, Off).hour;
    const int x = static_cast<int>(hour.tip.x) - 40;
    const int bodyBottom = big.Dial().centerY + 3 * big.Dial().unit;
    EXPECT_TRUE(ColorDark(bigFrame, {x, bodyBottom - 2}));
    EXPECT_TRUE(ColorNear(bigFrame, {x, bodyBottom + 5}, ShadowOnWhite));
    EXPECT_TRUE(ColorNear(bigFrame, {x, bodyBottom + 9}, White, 2));
}

// At midnight both hands point up: their shadows lie on each other, and where they do the
// shade is the same as where only the minute hand's shadow falls.
TEST_F(RenderTest, OverlappingShadowsAreCoveredOnce) {
    for (const auto& size : {std::pair<int, int>{1024, 768}, {3840, 2160}}) {
        Clock clock(size.first, size.second);
        const Picture frame = clock.Render(Plain(Off), TimeOf(0, 0, 0));
        const DialGeometry& d = clock.Dial();
        const HandSizes s = HandSizesOf(d);
        const int x = d.centerX + 3 * d.unit + 4;  // right of both bodies, inside both shadows
        const IntPoint both{x, d.centerY - s.hourLength / 2};
        // Past the hour shadow's tip, short of the numeral 12.
        const IntPoint minuteOnly{x, d.centerY - (s.hourLength - ShadowOffset + 8 * d.unit)};
        EXPECT_TRUE(ColorNear(frame, both, ShadowOnWhite, 6));
        EXPECT_TRUE(ColorNear(frame, minuteOnly, ShadowOnWhite, 6));
        EXPECT_TRUE(Near(frame.At(both.x, both.y), frame.At(minuteOnly.x, minuteOnly.y), 2));
    }
    // The needle's shadow across the hands' shadows at 0:00:00 as well.
    Clock clock(1024, 768);
    const Picture frame = clock.Render(Plain(Normal), TimeOf(0, 0, 0));
    EXPECT_TRUE(ColorNear(frame, {512 + 8, 384 - 100}, ShadowOnWhite, 6));
}

TEST_F(RenderTest, BannerOnlyInMinuteSevenOfAFullScreenRun) {
    Clock clock(1024, 768);
    const auto bannerInk = [](const Picture& frame) { return DarkPixels(frame, 1024 - 360, 0, 1024, 40); };
    EXPECT_GT(bannerInk(clock.Render(Plain(Normal), TimeOf(12, 7, 30), true)), 100);
    EXPECT_GT(bannerInk(clock.Render(Plain(Off), TimeOf(3, 7, 0), true)), 100);
    EXPECT_EQ(bannerInk(clock.Render(Plain(Normal), TimeOf(12, 7, 30), false)), 0);
    EXPECT_EQ(bannerInk(clock.Render(Plain(Normal), TimeOf(12, 6, 59), true)), 0);
    EXPECT_EQ(bannerInk(clock.Render(Plain(Normal), TimeOf(12, 8, 0), true)), 0);
    // Right-aligned in the top 40 pixels, on the frame and not on the cached dial.
    const Picture frame = clock.Render(Plain(Normal), TimeOf(12, 7, 30), true);
    EXPECT_EQ(DarkPixels(frame, 0, 0, 1024 / 2, 40), 0);
    EXPECT_EQ(DarkPixels(frame, 1024 - 360, 40, 1024, 80), 0);
    EXPECT_EQ(DarkPixels(frame, 1024 - 12, 0, 1024, 40) > 0, true);
    EXPECT_EQ(DarkPixels(clock.Canvas().ReadFace(), 1024 - 360, 0, 1024, 40), 0);
}

TEST_F(RenderTest, NormalFrameHasNoFailedCall) {
    Clock clock(1024, 768);
    ClockSettings settings = DefaultSettings();
    for (int32_t logo : {0, 1, 2}) {
        settings.showLogo = logo;
        clock.Canvas().Canvas().faceDirty = true;
        clock.Render(settings, TimeOf(12, 7, 30), true);
        const RenderStatus& status = LastRenderStatus();
        EXPECT_GT(status.gdiplusCalls, 100);
        EXPECT_EQ(status.gdiplusFailures, 0) << status.firstFailedGdiplus << " failed with " << status.firstGdiplusFailure;
        EXPECT_EQ(status.gdiFailures, 0) << status.firstFailedGdi;
    }
}

TEST_F(RenderTest, NothingOutlivesAThousandFrames) {
    Clock clock(320, 240);
    ClockSettings settings = DefaultSettings();
    settings.showLogo = 1;
    settings.showSeconds = FullBack;
    const long before = object_count::Alive();
    {
        // The counter sees a painter's objects while it holds them.
        GdiplusPainter painter(clock.Canvas().Canvas().FrameLayer());
        EXPECT_GT(object_count::Alive(), before);
    }
    EXPECT_EQ(object_count::Alive(), before);
    PROCESS_MEMORY_COUNTERS start{};
    GetProcessMemoryInfo(GetCurrentProcess(), &start, sizeof start);
    for (int i = 0; i < 1000; ++i) {
        clock.Canvas().Canvas().faceDirty = i % 10 == 0;
        settings.nameOfFont[0] = i % 100 == 50 ? u'X' : u'P';  // now and then a font that is missing
        clock.Render(settings, TimeOf(i / 60 % 24, i % 60, i % 60), i % 2 == 0);
        ASSERT_EQ(object_count::Alive(), before) << "after frame " << i;
    }
    PROCESS_MEMORY_COUNTERS end{};
    GetProcessMemoryInfo(GetCurrentProcess(), &end, sizeof end);
    EXPECT_LT(end.WorkingSetSize, start.WorkingSetSize + 16 * 1024 * 1024);
}

TEST_F(RenderTest, AnySizeTimeAndSettingsGiveASoundFrame) {
    ClockSettings odd{};
    odd.showSeconds = INT32_MIN;
    odd.showLogo = -3;
    odd.colorOfMarkers = 0xFFFFFFFF;
    for (char16_t& c : odd.logoText) c = u'W';  // 260 units with no end
    for (char16_t& c : odd.nameOfFont) c = u'Q';
    SYSTEMTIME zero{};
    SYSTEMTIME wild{};
    std::memset(&wild, 0xFF, sizeof wild);
    const long before = object_count::Alive();
    for (const auto& size : {std::pair<int, int>{1, 1}, {2, 3}, {7, 900}, {900, 7}, {511, 511}}) {
        Clock clock(size.first, size.second);
        ASSERT_TRUE(clock.Canvas().Valid());
        for (const SYSTEMTIME& time : {zero, wild, TimeOf(23, 59, 59)}) {
            clock.Canvas().Canvas().faceDirty = true;
            const Picture frame = clock.Render(odd, time);
            EXPECT_EQ(frame.pixels.size(), static_cast<size_t>(size.first) * size.second);
        }
        // Defaults with a 259-character text still draw the full dial.
        ClockSettings longText = DefaultSettings();
        for (int i = 0; i < SettingsTextCapacity - 1; ++i) longText.logoText[i] = u'M';
        longText.logoText[SettingsTextCapacity - 1] = u'\0';
        clock.Canvas().Canvas().faceDirty = true;
        clock.Render(longText, TimeOf(8, 7, 6));
    }
    EXPECT_EQ(object_count::Alive(), before);
}

TEST_F(RenderTest, LargestCanvasIsDrawnWhole) {
    Clock clock(8192, 8192);
    ASSERT_TRUE(clock.Canvas().Valid());
    const Picture frame = clock.Render(DefaultSettings(), TimeOf(3, 0, 0));
    ASSERT_FALSE(frame.pixels.empty());
    const DialGeometry& d = clock.Dial();
    EXPECT_TRUE(ColorNear(frame, {5, 5}, White, 2));
    EXPECT_TRUE(ColorDark(frame, At(d, HandSizesOf(d).hourLength * 0.3, 1.57)));
    EXPECT_EQ(LastRenderStatus().gdiplusFailures, 0) << LastRenderStatus().firstFailedGdiplus;
}

// A gliding needle's frames, rebuilt only round the needle, show what frames composed whole show:
// a shadow's step apart at most, where the area cuts an edge, and no piece of a hand missing.
TEST_F(RenderTest, GlideFramesByTheirChangesEqualWholeFrames) {
    Clock changes(640, 400), whole(640, 400);
    changes.Canvas().Canvas().incremental = true;
    ClockSettings settings = Plain(Normal);
    settings.glide = 1;
    for (int i = 0; i < 90; ++i) {
        SYSTEMTIME time = TimeOf(6, 9, 40 + i * 33 / 1000);
        time.wMilliseconds = static_cast<WORD>(i * 33 % 1000);
        changes.Canvas().Canvas().faceDirty = whole.Canvas().Canvas().faceDirty = i == 0;
        const Picture built = changes.Render(settings, time), expected = whole.Render(settings, time);
        for (size_t p = 0; p < built.pixels.size(); ++p) {
            ASSERT_TRUE(Near(built.pixels[p], expected.pixels[p], 0x20)) << "frame " << i << ", pixel " << p % 640 << "," << p / 640;
        }
    }
}
