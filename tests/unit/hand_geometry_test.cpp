#include <gtest/gtest.h>

#include <cmath>

#include "render/clock_scene.h"
#include "render/hand_geometry.h"

namespace {

const DialGeometry kDial = DialGeometryOf(1024, 768);

constexpr int32_t Off = 0;
constexpr int32_t Normal = 1;
constexpr int32_t FullBack = 2;

void ExpectPoint(FloatPoint p, float x, float y, float tolerance = 1e-4f) {
    EXPECT_NEAR(p.x, x, tolerance);
    EXPECT_NEAR(p.y, y, tolerance);
}

void ExpectBox(IntBox box, int32_t left, int32_t top, int32_t width, int32_t height) {
    EXPECT_EQ(box.left, left);
    EXPECT_EQ(box.top, top);
    EXPECT_EQ(box.width, width);
    EXPECT_EQ(box.height, height);
}

}  // namespace

TEST(HandGeometry, SizesFollowTheHandRadius) {
    const HandSizes s = HandSizesOf(kDial);
    EXPECT_EQ(s.hourLength, 170);
    EXPECT_EQ(s.minuteLength, 218);
    EXPECT_EQ(s.tailLength, 60);
    EXPECT_EQ(s.secondTailLength, 97);
    EXPECT_EQ(s.hourStripeOuter, 167);
    EXPECT_EQ(s.minuteStripeOuter, 216);
    EXPECT_EQ(s.stripeInner, 109);
    EXPECT_EQ(s.secondLength, 243);
    EXPECT_EQ(s.handWidth, 12);
    EXPECT_EQ(s.stripeWidth, 8);
    EXPECT_EQ(s.discRadius, 10);
    EXPECT_EQ(s.capRadius, 18);
}

TEST(HandGeometry, ThreeOClockOn1024x768) {
    const ClockHands h = ClockHandsOf(kDial, {3, 0, 0}, Normal);
    EXPECT_DOUBLE_EQ(h.angles.hour, 1.57);
    EXPECT_DOUBLE_EQ(h.angles.minute, 0.0);
    ExpectPoint(h.hour.tip, 681.99994f, 383.86462f);
    ExpectPoint(h.hour.tail, 452.00018f, 384.14334f);
    // The shadow is built round the moved tip (688, 390) and tail (459, 391), in whole pixels.
    ExpectPoint(h.hour.shadow[0], 688.0096f, 396.0000f);
    ExpectPoint(h.hour.shadow[1], 688.0000f, 384.0000f);
    ExpectPoint(h.hour.shadow[2], 459.0000f, 385.0000f);
    ExpectPoint(h.hour.shadow[3], 459.0096f, 397.0000f);
    ExpectPoint(h.hour.stripeOuter, 512 + 167 * std::sin(1.57), 384 - 167 * std::cos(1.57));
    ExpectPoint(h.minute.tip, 512, 384 - 218);
    ExpectPoint(h.minute.tail, 512 + 60 * std::sin(3.14), 384 - 60 * std::cos(3.14));
    ExpectPoint(h.minute.stripeInner, 512, 384 - 109);
    ASSERT_TRUE(h.second.shown);
    ExpectPoint(h.second.needle[0], 512.7290f, 141.0011f);
    ExpectPoint(h.second.needle[1], 511.2710f, 141.0011f);
    ExpectPoint(h.second.needle[2], 512 + 97 * std::sin(3.2), 384 - 97 * std::cos(3.2));
    ExpectPoint(h.second.needle[3], 512 + 97 * std::sin(3.08), 384 - 97 * std::cos(3.08));
    ExpectBox(h.second.disc, 502, 204, 20, 20);
    ExpectBox(h.second.discShadow, 509, 211, 20, 20);
    ExpectBox(h.cap, 494, 366, 36, 36);
    ExpectBox(h.capShadow, 501, 373, 36, 36);
}

TEST(HandGeometry, TenPastTenThirty) {
    const HandAngles a = HandAnglesOf({10, 10, 30}, Normal);
    EXPECT_NEAR(a.hour, 5.3206, 1e-4);
    EXPECT_NEAR(a.minute, 1.0467, 1e-4);
    EXPECT_DOUBLE_EQ(a.second, 3.14);  // pointing down
}

TEST(HandGeometry, HourHandTurnsTwiceADayAndIgnoresSeconds) {
    EXPECT_DOUBLE_EQ(HandAnglesOf({12, 0, 0}, Normal).hour, 6.28);  // noon: a hair short of the top
    EXPECT_DOUBLE_EQ(HandAnglesOf({0, 0, 0}, Normal).hour, 0.0);    // midnight: on it
    EXPECT_DOUBLE_EQ(HandAnglesOf({13, 0, 0}, Normal).hour, HandAnglesOf({1, 0, 0}, Normal).hour);
    EXPECT_DOUBLE_EQ(HandAnglesOf({23, 30, 0}, Normal).hour, HandAnglesOf({11, 30, 0}, Normal).hour);
    EXPECT_DOUBLE_EQ(HandAnglesOf({4, 20, 59}, Normal).hour, HandAnglesOf({4, 20, 0}, Normal).hour);
    // Noon's hand is not wrapped: its tail is (6.28 + 3.14) - 6.28, but its tip stays at 6.28.
    const ClockHands noon = ClockHandsOf(kDial, {12, 0, 0}, Normal);
    ExpectPoint(noon.hour.tip, 512 + 170 * std::sin(6.28), 384 - 170 * std::cos(6.28));
}

TEST(HandGeometry, FullBackRunsTheSecondHandBackwards) {
    EXPECT_DOUBLE_EQ(HandAnglesOf({1, 2, 15}, FullBack).second, HandAnglesOf({1, 2, 45}, Normal).second);
    EXPECT_DOUBLE_EQ(HandAnglesOf({1, 2, 0}, FullBack).second, 6.28);
    EXPECT_DOUBLE_EQ(HandAnglesOf({1, 2, 0}, Normal).second, 0.0);
    // Any value other than Off and Normal runs backwards too.
    for (int32_t mode : {7, -1, 3}) {
        const ClockHands seven = ClockHandsOf(kDial, {9, 41, 12}, mode);
        const ClockHands back = ClockHandsOf(kDial, {9, 41, 12}, FullBack);
        ASSERT_TRUE(seven.second.shown) << mode;
        for (int i = 0; i < 4; ++i) ExpectPoint(seven.second.needle[i], back.second.needle[i].x, back.second.needle[i].y, 0);
    }
}

// A gliding needle stands between the seconds, forward or full back; without glide the same
// reading stands on the second. The hour and minute hands never follow the milliseconds.
TEST(HandGeometry, GlidingNeedleFollowsTheMilliseconds) {
    const struct {
        int32_t second, millisecond, mode;
        bool glide;
        double degrees;
    } cases[] = {{30, 500, Normal, true, 183},     {30, 500, FullBack, true, 177}, {30, 500, Normal, false, 180},
                 {30, 500, FullBack, false, 180},  {59, 999, Normal, true, 359.994}, {0, 1, Normal, true, 0.006},
                 {0, 250, FullBack, true, 358.5},  {59, 750, FullBack, true, 1.5},   {12, 750, Off, true, 0}};
    for (const auto& c : cases) {
        const HandAngles a = HandAnglesOf(ClockTimeOf({2026, 3, 14, 6, 10, 10, c.second, c.millisecond}, c.glide), c.mode);
        EXPECT_NEAR(a.second, c.degrees * DegreeToRadian, 1e-9) << c.second << "." << c.millisecond << " " << c.mode;
        const HandAngles stepping = HandAnglesOf({10, 10, c.second}, c.mode);
        EXPECT_DOUBLE_EQ(a.hour, stepping.hour);
        EXPECT_DOUBLE_EQ(a.minute, stepping.minute);
    }
}

TEST(HandGeometry, OffLeavesOutTheSecondHandButNotTheCap) {
    const ClockHands h = ClockHandsOf(kDial, {3, 0, 0}, Off);
    EXPECT_FALSE(h.second.shown);
    ExpectBox(h.cap, 494, 366, 36, 36);
    ExpectBox(h.capShadow, 501, 373, 36, 36);
}

TEST(HandGeometry, ShadowOffsetDoesNotScaleWithTheUnit) {
    const DialGeometry big = DialGeometryOf(3840, 2160);
    ASSERT_EQ(big.unit, 5);
    const ClockHands h = ClockHandsOf(big, {9, 0, 0}, Normal);
    const int32_t tx = static_cast<int32_t>(h.hour.tip.x + 7);
    const int32_t ty = static_cast<int32_t>(h.hour.tip.y + 7);
    // At 9 o'clock the side directions are straight up and down: 15 (3e) either side of the tip.
    ExpectPoint(h.hour.shadow[0], tx, ty - 15, 0.05f);
    ExpectPoint(h.hour.shadow[1], tx, ty + 15, 0.05f);
    ExpectPoint(h.second.needleShadow[2], h.second.needle[2].x + 7, h.second.needle[2].y + 7, 0);
    ExpectBox(h.capShadow, h.cap.left + 7, h.cap.top + 7, 90, 90);
}

TEST(HandGeometry, AnyTimeAndSizeGivesFinitePoints) {
    for (int32_t side : {1, 2, 8192}) {
        const DialGeometry dial = DialGeometryOf(side, side);
        for (const ClockTime& t : {ClockTime{0, 0, 0}, ClockTime{65535, 65535, 65535}, ClockTime{24, 60, 61}}) {
            const ClockHands h = ClockHandsOf(dial, t, FullBack);
            for (const FloatPoint& p : h.second.needle) EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y));
            for (const FloatPoint& p : h.hour.shadow) EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y));
        }
    }
}
