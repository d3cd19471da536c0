// The dial as drawn into the face layer: rings, markers, numerals and logo where the geometry
// puts them.
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "common/render_status_win32.h"
#include "tests/win32/render_test_support.h"

using namespace render_test;

namespace {

struct InkBox {
    int count = 0;
    int left = INT32_MAX, top = INT32_MAX, right = INT32_MIN, bottom = INT32_MIN;
};

// Where two pictures differ inside a box: the ink one of them has and the other lacks.
// Whether (x, y) lies nearer to the given numeral's anchor than to any other: neighbouring
// boxes overlap on large dials.
bool Nearest(const DialGeometry& dial, IntPoint own, int x, int y) {
    const auto distance = [x, y](IntPoint p) { return std::hypot(x - p.x, y - p.y); };
    for (int other = 1; other <= 12; ++other) {
        if (distance(NumeralAnchor(dial, other)) < distance(own)) return false;
    }
    return true;
}

InkBox Difference(const Picture& a, const Picture& b, const DialGeometry& dial, int numeral) {
    const FloatBox box = NumeralBox(dial, numeral);
    InkBox ink;
    const int x0 = static_cast<int>(std::floor(box.left)), y0 = static_cast<int>(std::floor(box.top));
    const IntPoint own = NumeralAnchor(dial, numeral);
    const int x1 = static_cast<int>(std::ceil(box.left + box.width)), y1 = static_cast<int>(std::ceil(box.top + box.height));
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            if (Near(a.At(x, y), b.At(x, y), 40) || !Nearest(dial, own, x, y)) continue;
            ++ink.count;
            ink.left = std::min(ink.left, x);
            ink.right = std::max(ink.right, x);
            ink.top = std::min(ink.top, y);
            ink.bottom = std::max(ink.bottom, y);
        }
    }
    return ink;
}

ClockSettings WithoutLogo() {
    ClockSettings settings = DefaultSettings();
    settings.showLogo = 0;
    return settings;
}

ClockSettings WithFont(ClockSettings settings, const wchar_t* font) {
    SetText(settings.nameOfFont, font);
    return settings;
}

constexpr wchar_t MissingFont[] = L"No Such Font Tarnwick";

}  // namespace

TEST_F(RenderTest, RingsShadeOppositeWaysAroundAWhiteFace) {
    Clock clock(1024, 768);
    clock.Render(WithoutLogo(), TimeOf(3, 0, 0));
    const Picture face = clock.Canvas().ReadFace();
    const DialGeometry& d = clock.Dial();
    const double upperLeft = 7 * 3.14 / 4, lowerRight = 3 * 3.14 / 4;

    EXPECT_TRUE(ColorNear(face, {3, 3}, White, 2));
    EXPECT_TRUE(ColorNear(face, At(d, d.radius + 5, 0), White, 2));
    // Bezel between the rim and R2: lighter at the upper left, darker at the lower right.
    const double bezel = (d.bezelRadius + d.rimRadius) / 2.0;
    const int bezelLight = Gray(face.At(At(d, bezel, upperLeft).x, At(d, bezel, upperLeft).y));
    const int bezelDark = Gray(face.At(At(d, bezel, lowerRight).x, At(d, bezel, lowerRight).y));
    EXPECT_LT(bezelLight, 230);
    EXPECT_GT(bezelLight, bezelDark + 30);
    // The visible rim between the face and R3 shades the other way.
    const double rim = (d.rimRadius + d.faceRadius) / 2.0;
    const int rimDark = Gray(face.At(At(d, rim, upperLeft).x, At(d, rim, upperLeft).y));
    const int rimLight = Gray(face.At(At(d, rim, lowerRight).x, At(d, rim, lowerRight).y));
    EXPECT_GT(rimLight, rimDark + 60);
    // The face: white between the markers' outer ends and its edge, all the way round.
    const double faceRing = (d.faceRadius + d.markerRadius + 5 * d.unit) / 2.0;
    for (int i = 0; i < MarkerCount; ++i) {
        EXPECT_TRUE(ColorNear(face, At(d, faceRing, MarkerAngle(i) + 0.05), White, 2)) << i;
    }
}

TEST_F(RenderTest, MarkersSitOnTheMarkerCircleInTheirColours) {
    for (const auto& size : {std::pair<int, int>{1024, 768}, {1920, 1080}}) {
        Clock clock(size.first, size.second);
        ClockSettings settings = WithoutLogo();
        settings.colorOfMarkers = 0x0030C0F0;  // COLORREF: red F0, green C0, blue 30
        clock.Render(settings, TimeOf(3, 0, 0));
        const Picture face = clock.Canvas().ReadFace();
        const DialGeometry& d = clock.Dial();
        for (int i = 0; i < MarkerCount; ++i) {
            const DialMarker marker = DialMarkerOf(d, i);
            if (marker.isHour) {
                const IntPoint centre{marker.disc.left + marker.disc.width / 2, marker.disc.top + marker.disc.height / 2};
                EXPECT_TRUE(ColorNear(face, centre, 0xF0C030)) << "hour marker " << i;
                // The black outline at the disc's edge, on the side towards the centre.
                bool outlined = false;
                for (int r = d.markerRadius - 5 * d.unit - 2; r <= d.markerRadius - 5 * d.unit + 2; ++r) {
                    const IntPoint p = At(d, r, MarkerAngle(i));
                    outlined = outlined || IsDark(face.At(p.x, p.y));
                }
                EXPECT_TRUE(outlined) << "outline of hour marker " << i;
            } else {
                EXPECT_TRUE(ColorDark(face, At(d, d.markerRadius, MarkerAngle(i)))) << "minute marker " << i;
                // Beyond its ends the face is white again.
                EXPECT_TRUE(ColorNear(face, At(d, d.markerRadius + 5 * d.unit + 3, MarkerAngle(i)), White, 2))
                    << "minute marker " << i;
            }
        }
    }
}

// Each numeral, told apart by drawing the dial without any font, is one line of ink centred on
// its anchor and wholly inside its layout box: never wrapped, never cut, at any size.
TEST_F(RenderTest, NumeralsAreCentredOnOneLineAndNeverCut) {
    for (const auto& size : {std::pair<int, int>{1024, 768}, {1920, 1080}, {3840, 2160}}) {
        SCOPED_TRACE(testing::Message() << size.first << "x" << size.second);
        Clock clock(size.first, size.second);
        clock.Render(WithoutLogo(), TimeOf(3, 0, 0));
        const Picture withFont = clock.Canvas().ReadFace();
        clock.Render(WithFont(WithoutLogo(), MissingFont), TimeOf(3, 0, 0));
        const Picture withoutFont = clock.Canvas().ReadFace();
        const DialGeometry& d = clock.Dial();
        const int fontSize = NumeralFontSize(d);
        for (int numeral = 1; numeral <= 12; ++numeral) {
            SCOPED_TRACE(testing::Message() << "numeral " << numeral);
            const FloatBox box = NumeralBox(d, numeral);
            const InkBox ink = Difference(withFont, withoutFont, d, numeral);
            ASSERT_GT(ink.count, fontSize);
            const int width = ink.right - ink.left + 1, height = ink.bottom - ink.top + 1;
            EXPECT_LT(height, fontSize * 9 / 10);  // one line of digits
            if (numeral >= 10) {
                EXPECT_GT(width, height);
            }
            EXPECT_GE(ink.left, box.left + 2);
            EXPECT_GE(ink.top, box.top + 2);
            EXPECT_LE(ink.right, box.left + box.width - 2);
            EXPECT_LE(ink.bottom, box.top + box.height - 2);
            const IntPoint anchor = NumeralAnchor(d, numeral);
            EXPECT_NEAR((ink.left + ink.right) / 2.0, anchor.x, fontSize * 0.15);
            EXPECT_NEAR((ink.top + ink.bottom) / 2.0, anchor.y, fontSize * 0.2);
        }
    }
}

TEST_F(RenderTest, AMissingFontLeavesOutNumeralsAndLogoAndDrawsTheRest) {
    Clock clock(1024, 768);
    clock.Render(DefaultSettings(), TimeOf(3, 0, 0));
    const Picture normal = clock.Canvas().ReadFace();
    EXPECT_EQ(LastRenderStatus().gdiplusFailures, 0) << LastRenderStatus().firstFailedGdiplus;

    clock.Render(WithFont(DefaultSettings(), MissingFont), TimeOf(3, 0, 0));
    const Picture missing = clock.Canvas().ReadFace();
    ASSERT_NE(LastRenderStatus().firstFailedGdiplus, nullptr);
    EXPECT_STREQ(LastRenderStatus().firstFailedGdiplus, "GdipCreateFontFamilyFromName");
    clock.Render(WithFont(WithoutLogo(), MissingFont), TimeOf(3, 0, 0));
    const Picture missingNoLogo = clock.Canvas().ReadFace();

    const DialGeometry& d = clock.Dial();
    // No numeral and no logo: the same face as with the logo switched off.
    EXPECT_EQ(missing.pixels, missingNoLogo.pixels);
    for (int numeral = 1; numeral <= 12; ++numeral) {
        EXPECT_GT(Difference(normal, missing, d, numeral).count, 100) << numeral;
    }
    // Rings and markers as usual.
    int differentOutsideText = 0;
    for (int y = 0; y < 768; ++y) {
        for (int x = 0; x < 1024; ++x) {
            const double r = std::hypot(x - d.centerX, y - d.centerY);
            if (r < d.markerRadius - 5 * d.unit - 1) continue;  // numerals and logo live inside
            differentOutsideText += normal.At(x, y) != missing.At(x, y);
        }
    }
    // Numeral boxes reach past the markers' inner ends, but their glyphs hardly do.
    EXPECT_LT(differentOutsideText, 50);
}

TEST_F(RenderTest, TextLogoIsFilledInTheMarkerColourAndOutlinedBelowTheCentre) {
    Clock clock(1024, 768);
    ClockSettings settings = DefaultSettings();
    settings.colorOfMarkers = 0x000000FF;  // pure red
    SetText(settings.logoText, L"WWWW");
    clock.Render(settings, TimeOf(3, 0, 0));
    const Picture face = clock.Canvas().ReadFace();
    const DialGeometry& d = clock.Dial();
    const IntBox logo = LogoBox(d);
    int red = 0, dark = 0, redAbove = 0;
    for (int y = logo.top; y < logo.top + logo.height; ++y) {
        for (int x = d.centerX - 120; x < d.centerX + 120; ++x) {
            red += Near(face.At(x, y), 0xFF0000, 40);
            dark += IsDark(face.At(x, y));
            redAbove += Near(face.At(x, 2 * d.centerY - y), 0xFF0000, 40);
        }
    }
    EXPECT_GT(red, 500);
    EXPECT_GT(dark, 200);  // the outline
    EXPECT_EQ(redAbove, 0);

    // Any mode other than 0 and 1 shows the text.
    settings.showLogo = 5;
    clock.Render(settings, TimeOf(3, 0, 0));
    EXPECT_EQ(clock.Canvas().ReadFace().pixels, face.pixels);
    // An empty text draws no logo.
    SetText(settings.logoText, L"");
    clock.Render(settings, TimeOf(3, 0, 0));
    const Picture empty = clock.Canvas().ReadFace();
    settings.showLogo = 0;
    clock.Render(settings, TimeOf(3, 0, 0));
    EXPECT_EQ(clock.Canvas().ReadFace().pixels, empty.pixels);
}

TEST_F(RenderTest, DateLogoShowsTheLocalDateAsTheLocaleWritesIt) {
    Clock clock(1024, 768);
    ClockSettings settings = DefaultSettings();
    settings.showLogo = 1;
    const SYSTEMTIME time = TimeOf(9, 41, 0, 14);
    clock.Render(settings, time);
    const Picture dated = clock.Canvas().ReadFace();

    wchar_t expected[SettingsTextCapacity];
    ASSERT_GT(GetDateFormatW(LOCALE_USER_DEFAULT, 0, &time, nullptr, expected, SettingsTextCapacity), 0);
    settings.showLogo = 2;
    SetText(settings.logoText, expected);
    clock.Render(settings, time);
    EXPECT_EQ(clock.Canvas().ReadFace().pixels, dated.pixels) << "the date logo differs from the text logo of '"
                                                              << std::string(expected, expected + wcslen(expected))
                                                              << "'";
    // Another day draws another date.
    settings.showLogo = 1;
    clock.Render(settings, TimeOf(9, 41, 0, 15));
    EXPECT_NE(clock.Canvas().ReadFace().pixels, dated.pixels);
}

TEST_F(RenderTest, CleanFaceIsLeftUntouched) {
    Clock clock(640, 480);
    clock.Render(DefaultSettings(), TimeOf(3, 0, 0));
    const Picture face = clock.Canvas().ReadFace();
    clock.Canvas().Canvas().faceDirty = false;
    ClockSettings changed = DefaultSettings();
    changed.colorOfMarkers = 0x000000FF;
    changed.showLogo = 1;
    clock.Render(changed, TimeOf(4, 5, 6, 20));
    EXPECT_EQ(clock.Canvas().ReadFace().pixels, face.pixels);
}
