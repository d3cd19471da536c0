#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "render/dial_geometry.h"

namespace {

struct SizeRow {
    int32_t width, height;
    int32_t cx, cy, r, d, e, r2, r3, r4, rm, rn, rh;
};

}  // namespace

TEST(DialGeometry, SizesFollowTheCanvas) {
    const SizeRow rows[] = {
        {1024, 768, 512, 384, 364, 728, 2, 345, 310, 300, 273, 218, 243},
        {1920, 1080, 960, 540, 513, 1026, 3, 487, 438, 424, 384, 307, 343},
        {912, 672, 456, 336, 319, 638, 2, 303, 272, 263, 239, 191, 213},
    };
    for (const SizeRow& row : rows) {
        const DialGeometry g = DialGeometryOf(row.width, row.height);
        SCOPED_TRACE(testing::Message() << row.width << "x" << row.height);
        EXPECT_EQ(g.centerX, row.cx);
        EXPECT_EQ(g.centerY, row.cy);
        EXPECT_EQ(g.radius, row.r);
        EXPECT_EQ(g.diameter, row.d);
        EXPECT_EQ(g.unit, row.e);
        EXPECT_EQ(g.bezelRadius, row.r2);
        EXPECT_EQ(g.rimRadius, row.r3);
        EXPECT_EQ(g.faceRadius, row.r4);
        EXPECT_EQ(g.markerRadius, row.rm);
        EXPECT_EQ(g.numeralRadius, row.rn);
        EXPECT_EQ(g.handRadius, row.rh);
    }
}

TEST(DialGeometry, UnitStepsEvery512PixelsOfDiameterAndOddSizesHalveDown) {
    // Diameters 510, 512, 1024 and 1536 sit on either side of the unit's steps.
    EXPECT_EQ(DialGeometryOf(538, 538).diameter, 510);
    EXPECT_EQ(DialGeometryOf(538, 538).unit, 1);
    EXPECT_EQ(DialGeometryOf(540, 540).diameter, 512);
    EXPECT_EQ(DialGeometryOf(540, 540).unit, 2);
    EXPECT_EQ(DialGeometryOf(3840, 2160).radius, 1026);
    EXPECT_EQ(DialGeometryOf(3840, 2160).unit, 5);
    const DialGeometry odd = DialGeometryOf(1023, 767);
    EXPECT_EQ(odd.centerX, 511);
    EXPECT_EQ(odd.centerY, 383);
}

TEST(DialGeometry, DegenerateAndHugeCanvasesStaySound) {
    for (int32_t side : {INT32_MIN, -5, 0, 1}) {
        const DialGeometry g = DialGeometryOf(side, side);
        EXPECT_GE(g.centerX, 0);
        EXPECT_EQ(g.radius, 0);
        EXPECT_EQ(g.unit, 1);
    }
    const DialGeometry big = DialGeometryOf(INT32_MAX, INT32_MAX);
    EXPECT_GT(big.diameter, 0);
    EXPECT_GT(big.unit, 0);
    EXPECT_GT(NumeralBoxSide(big), 0);
    EXPECT_GT(DialMarkerOf(big, 59).outer.x, 0);
}

TEST(DialGeometry, DegreesTurnIntoTheClocksOwnRadians) {
    EXPECT_NE(DegreeToRadian, 0.017453292519943295);  // not pi / 180
    EXPECT_DOUBLE_EQ(90 * DegreeToRadian, 1.57);
    EXPECT_DOUBLE_EQ(360 * DegreeToRadian, 6.28);
    EXPECT_DOUBLE_EQ(MarkerAngle(15), 1.57);
    EXPECT_DOUBLE_EQ(MarkerAngle(45), 4.71);
}

TEST(DialGeometry, WrapAngleTakesOffOneClockTurnOnlyFromAFullTurnUp) {
    EXPECT_DOUBLE_EQ(WrapAngle(6.27), 6.27);
    EXPECT_DOUBLE_EQ(WrapAngle(6.28), 0.0);
    EXPECT_NEAR(WrapAngle(7.0), 0.72, 1e-12);
    EXPECT_NEAR(WrapAngle(13.0), 6.72, 1e-12);  // once only
    EXPECT_DOUBLE_EQ(WrapAngle(-1.0), -1.0);
}

TEST(DialGeometry, DialPointsRunClockwiseFromTwelveWithYDown) {
    const DialGeometry g = DialGeometryOf(1024, 768);
    const FloatPoint top = DialPoint(g, 100, 0);
    EXPECT_FLOAT_EQ(top.x, 512);
    EXPECT_FLOAT_EQ(top.y, 284);
    const FloatPoint right = DialPoint(g, 170, 1.57);
    EXPECT_FLOAT_EQ(right.x, 681.99994f);
    EXPECT_FLOAT_EQ(right.y, 383.86462f);
    // The integer form truncates the products before adding them: 60 sin 4.71 = -59.99998.
    const IntPoint left = DialPointI(g, 60, 4.71);
    EXPECT_EQ(left.x, 512 - 59);
    EXPECT_EQ(left.y, 384);
}

TEST(DialGeometry, ColorRefBecomesOpaqueArgb) {
    EXPECT_EQ(ColorRefToArgb(0x00C8C8C8), 0xFFC8C8C8u);
    EXPECT_EQ(ColorRefToArgb(0x00332211), 0xFF112233u);
    EXPECT_EQ(ColorRefToArgb(0xAB0000FF), 0xFFFF0000u);  // top byte ignored
    EXPECT_EQ(ColorRefToArgb(0), 0xFF000000u);
}

TEST(DialGeometry, MarkersOnTheMarkerCircle) {
    const DialGeometry g = DialGeometryOf(1024, 768);
    const DialMarker twelve = DialMarkerOf(g, 0);
    ASSERT_TRUE(twelve.isHour);
    EXPECT_EQ(twelve.disc.left, 502);
    EXPECT_EQ(twelve.disc.top, 384 - 273 - 10);
    EXPECT_EQ(twelve.disc.width, 20);
    EXPECT_EQ(twelve.disc.height, 20);
    const DialMarker one = DialMarkerOf(g, 1);
    ASSERT_FALSE(one.isHour);
    const double t = 0.10466666666666667;
    EXPECT_EQ(one.outer.x, 512 + static_cast<int>(283 * std::sin(t)));
    EXPECT_EQ(one.outer.y, 384 - static_cast<int>(283 * std::cos(t)));
    EXPECT_EQ(one.inner.x, 512 + static_cast<int>(263 * std::sin(t)));
    EXPECT_EQ(one.inner.y, 384 - static_cast<int>(263 * std::cos(t)));
    int hours = 0;
    for (int i = 0; i < MarkerCount; ++i) hours += DialMarkerOf(g, i).isHour;
    EXPECT_EQ(hours, 12);
}

TEST(DialGeometry, NumeralsAndLogo) {
    const DialGeometry g = DialGeometryOf(1024, 768);
    EXPECT_EQ(NumeralFontSize(g), 80);
    EXPECT_EQ(LogoFontSize(g), 50);
    const IntBox logo = LogoBox(g);
    EXPECT_EQ(logo.left, 148);
    EXPECT_EQ(logo.top, 384);
    EXPECT_EQ(logo.width, 728);
    EXPECT_EQ(logo.height, 242);
    const IntPoint twelve = NumeralAnchor(g, 12);
    EXPECT_EQ(twelve.x, 512);
    EXPECT_EQ(twelve.y, 384 - 218);
    const IntPoint three = NumeralAnchor(g, 3);
    EXPECT_EQ(three.x, 512 + 217);  // 218 sin 1.57 = 217.99993
    const FloatBox box = NumeralBox(g, 12);
    EXPECT_FLOAT_EQ(box.left, 512 - 70);
    EXPECT_FLOAT_EQ(box.top, 166 - 70);
    EXPECT_FLOAT_EQ(box.width, 140);
}

TEST(DialGeometry, NumeralBoxGrowsWithTheFontOnlyWhereA140PixelBoxIsTooSmall) {
    EXPECT_EQ(NumeralBoxSide(DialGeometryOf(300, 300)), 140);   // e = 1
    EXPECT_EQ(NumeralBoxSide(DialGeometryOf(1024, 768)), 140);  // e = 2
    EXPECT_EQ(NumeralBoxSide(DialGeometryOf(1920, 1080)), 210); // e = 3
    EXPECT_EQ(NumeralBoxSide(DialGeometryOf(3840, 2160)), 350); // e = 5
    // The box always stays wider and taller than the numeral font's em.
    for (int32_t side : {1, 600, 1080, 2160, 4320, 8192}) {
        const DialGeometry g = DialGeometryOf(side, side);
        EXPECT_GE(NumeralBoxSide(g), NumeralFontSize(g) * 7 / 4) << side;
    }
}
