#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "render/area_painter.h"
#include "render/clock_recipe.h"

namespace {

// Every step as one line of text, so whole sequences compare at once.
class RecordingPainter final : public ClockPainter {
public:
    bool fontInstalled = true;
    std::vector<std::string> steps;

    void ClipTo(const std::vector<IntBox>* b) override { Add(b == nullptr ? "clip all" : "clip " + std::to_string(b->size())); }
    void FillRectangle(const IntBox& b, uint32_t c) override { Add("rect " + Box(b) + Hex(c)); }
    void FillEllipse(const IntBox& b, uint32_t c) override { Add("ellipse " + Box(b) + Hex(c)); }
    void DrawEllipse(const IntBox& b, uint32_t c, int32_t w) override {
        Add("outline " + Box(b) + Hex(c) + " w" + std::to_string(w));
    }
    void FillEllipseGradient(const IntBox& b, IntPoint f, IntPoint t, uint32_t c1, uint32_t c2) override {
        Add("gradient " + Box(b) + " axis " + Point(f) + Point(t) + Hex(c1) + Hex(c2));
    }
    void DrawLine(FloatPoint, FloatPoint, uint32_t c, int32_t w) override { Add("line" + Hex(c) + " w" + std::to_string(w)); }
    void FillPolygon(const FloatPoint*, int n, uint32_t c) override { Add("polygon " + std::to_string(n) + Hex(c)); }
    void FillUnion(const UnionShape* shapes, int n, uint32_t c) override {
        std::string kinds;
        for (int i = 0; i < n; ++i) kinds += shapes[i].kind == UnionShape::Kind::Polygon ? 'P' : 'E';
        Add("union " + kinds + Hex(c));
    }
    bool UseFontFamily(const char16_t* family) override {
        Add("font " + Narrow(family));
        return fontInstalled;
    }
    void DrawCentredText(const char16_t* text, const FloatBox&, float em, uint32_t c) override {
        Add("text " + Narrow(text) + " em" + std::to_string(static_cast<int>(em)) + Hex(c));
    }
    void DrawOutlinedText(const char16_t* text, const IntBox& b, float em, uint32_t fill, uint32_t outline,
                          float w) override {
        Add("logo " + Narrow(text) + " " + Box(b) + " em" + std::to_string(static_cast<int>(em)) + Hex(fill) +
            Hex(outline) + " w" + std::to_string(static_cast<int>(w)));
    }
    void DrawBannerText(const char* text, const IntBox& b, const char* font, int32_t height, uint32_t c) override {
        Add(std::string("banner ") + text + " " + Box(b) + " " + font + " h" + std::to_string(height) + Hex(c));
    }

    // The steps whose text starts with the prefix.
    std::vector<std::string> Only(const std::string& prefix) const {
        std::vector<std::string> found;
        for (const std::string& s : steps) {
            if (s.rfind(prefix, 0) == 0) found.push_back(s);
        }
        return found;
    }

private:
    void Add(std::string step) { steps.push_back(std::move(step)); }
    static std::string Box(const IntBox& b) {
        return std::to_string(b.left) + "," + std::to_string(b.top) + "," + std::to_string(b.width) + "," +
               std::to_string(b.height);
    }
    static std::string Point(IntPoint p) { return "(" + std::to_string(p.x) + "," + std::to_string(p.y) + ")"; }
    static std::string Hex(uint32_t c) {
        char text[12];
        std::snprintf(text, sizeof text, " %08X", c);
        return text;
    }
    static std::string Narrow(const char16_t* text) { return std::string(text, text + std::char_traits<char16_t>::length(text)); }
};

ClockSettings Settings(int32_t showSeconds, int32_t showLogo) {
    ClockSettings settings{};
    SetDefaultSettings(settings);
    settings.colorOfMarkers = 0x002020C0;  // red 0xC0: ARGB 0xFFC02020
    settings.showSeconds = showSeconds;
    settings.showLogo = showLogo;
    return settings;
}

std::u16string FixedDate(const LocalDateTime&) { return u"14/03/2026"; }

ClockScene SceneOf(const ClockSettings& settings, ClockTime time, bool fullScreen = true) {
    const LocalDateTime local{2026, 3, 14, 6, time.hour, time.minute, time.second};
    return MakeClockScene(1024, 768, settings, local, fullScreen, "https://example.test/clock", FixedDate);
}

}  // namespace

TEST(ClockRecipe, DialIsLaidDownRingsMarkersNumeralsLogo) {
    const ClockSettings settings = Settings(1, 2);
    RecordingPainter painter;
    PaintDial(painter, SceneOf(settings, {10, 10, 30}));

    // 1024 x 768: centre (512, 384), R 364, bezel 345, rim 310, face 300, e 2.
    const std::vector<std::string> rings(painter.steps.begin(), painter.steps.begin() + 5);
    EXPECT_EQ(rings, (std::vector<std::string>{
                         "rect 0,0,1024,768 FFFFFFFF",
                         "gradient 167,39,690,690 axis (148,20)(876,748) 60000000 C0000000",
                         "ellipse 202,74,620,620 FFFFFFFF",
                         "gradient 202,74,620,620 axis (148,20)(876,748) FF000000 40000000",
                         "ellipse 212,84,600,600 FFFFFFFF",
                     }));
    // Marker 0 is an hour disc of half size 5e round (512, 111); minute markers are black lines.
    EXPECT_EQ(painter.steps[5], "ellipse 502,101,20,20 FFC02020");
    EXPECT_EQ(painter.steps[6], "outline 502,101,20,20 FF000000 w2");
    EXPECT_EQ(painter.Only("ellipse").size(), 12u + 2u);
    EXPECT_EQ(painter.Only("outline").size(), 12u);
    EXPECT_EQ(painter.Only("line"), std::vector<std::string>(48, "line FF000000 w2"));

    const std::vector<std::string> texts = painter.Only("text");
    ASSERT_EQ(texts.size(), 12u);
    EXPECT_EQ(texts.front(), "text 12 em80 FF000000");
    EXPECT_EQ(texts[1], "text 1 em80 FF000000");
    EXPECT_EQ(texts.back(), "text 11 em80 FF000000");
    EXPECT_EQ(painter.steps[painter.steps.size() - 14], "font Palatino Linotype");
    EXPECT_EQ(painter.steps.back(), "logo Brevant 148,384,728,242 em50 FFC02020 FF000000 w1");
}

TEST(ClockRecipe, LogoModesAndMissingFont) {
    struct Case {
        int32_t showLogo;
        bool fontInstalled;
        size_t texts;
        const char* logo;  // null: no logo step
    };
    const Case cases[] = {
        {0, true, 12, nullptr},
        {1, true, 12, "logo 14/03/2026 "},
        {2, true, 12, "logo Brevant "},
        {7, true, 12, "logo Brevant "},   // any other value is the text mode
        {2, false, 0, nullptr},           // no such family: no numerals, no logo
    };
    for (const Case& c : cases) {
        const ClockSettings settings = Settings(1, c.showLogo);
        RecordingPainter painter;
        painter.fontInstalled = c.fontInstalled;
        PaintDial(painter, SceneOf(settings, {10, 10, 30}));
        EXPECT_EQ(painter.Only("text").size(), c.texts) << c.showLogo;
        const std::vector<std::string> logo = painter.Only("logo");
        if (c.logo == nullptr) {
            EXPECT_TRUE(logo.empty()) << c.showLogo;
        } else {
            ASSERT_EQ(logo.size(), 1u) << c.showLogo;
            EXPECT_EQ(logo[0].rfind(c.logo, 0), 0u) << logo[0];
        }
        EXPECT_EQ(painter.Only("rect").size() + painter.Only("gradient").size(), 3u);
    }
}

TEST(ClockRecipe, FrameOrderAndWhatSettingsLeaveOut) {
    struct Case {
        int32_t showSeconds;
        ClockTime time;
        bool fullScreen;
        std::vector<std::string> steps;
    };
    const std::string banner = "banner https://example.test/clock 0,0,1024,40 Palatino Linotype h24 FF000000";
    const std::vector<std::string> hands = {"line FF000000 w12", "line FFC02020 w8", "line FF000000 w12",
                                            "line FFC02020 w8"};
    auto join = [](std::vector<std::string> a, std::vector<std::string> b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    };
    const std::vector<std::string> needle = {"polygon 4 FF000000", "ellipse 333,374,20,20 FFC02020",
                                             "outline 333,374,20,20 FF000000 w2"};
    const std::string cap = "ellipse 494,366,36,36 FF000000";
    const Case cases[] = {
        // 12:07:45 full screen: the needle at 45 s points to nine o'clock, its disc 170 left of the centre.
        {1, {12, 7, 45}, true, join(join(join({"union PEPPE 20000000"}, hands), needle), {cap, banner})},
        {1, {12, 7, 45}, false, join(join(join({"union PEPPE 20000000"}, hands), needle), {cap})},
        {1, {12, 6, 45}, true, join(join(join({"union PEPPE 20000000"}, hands), needle), {cap})},
        {1, {12, 8, 45}, true, join(join(join({"union PEPPE 20000000"}, hands), needle), {cap})},
        // Full back at 15 s is where normal draws 45 s.
        {2, {12, 8, 15}, true, join(join(join({"union PEPPE 20000000"}, hands), needle), {cap})},
        {0, {12, 7, 45}, true, join(join({"union PPE 20000000"}, hands), {cap, banner})},
    };
    for (const Case& c : cases) {
        const ClockSettings settings = Settings(c.showSeconds, 2);
        RecordingPainter painter;
        PaintHands(painter, SceneOf(settings, c.time, c.fullScreen));
        EXPECT_EQ(painter.steps, c.steps) << c.showSeconds << " " << c.time.minute << " " << c.fullScreen;
    }
}

// Through an area a frame draws only the steps that reach into it, each clipped to the part of
// the area round it (unclipped when it lies within one box), and a union only with its figures there.
TEST(ClockRecipe, AnAreaDrawsOnlyWhatReachesIntoIt) {
    const ClockSettings settings = Settings(1, 0);
    const ClockScene scene = SceneOf(settings, {12, 7, 45}, false);  // the needle runs left of the centre
    const struct {
        IntBox area;
        std::vector<std::string> steps;
    } cases[] = {
        {{0, 0, 20, 20}, {"clip all"}},
        // The needle's middle: its shadow and itself.
        {{400, 370, 30, 30}, {"clip 1", "union P 20000000", "clip 1", "polygon 4 FF000000", "clip all"}},
        // Above the cap: the hour and minute hands' shadows and bodies, not their stripes.
        {{505, 300, 30, 60},
         {"clip 1", "union PP 20000000", "clip 1", "line FF000000 w12", "clip 1", "line FF000000 w12", "clip all"}},
        // Round the needle's disc: the disc lies wholly within, so it needs no clip.
        {{325, 366, 36, 36},
         {"clip 1", "union PE 20000000", "clip 1", "polygon 4 FF000000", "clip all", "ellipse 333,374,20,20 FFC02020",
          "outline 333,374,20,20 FF000000 w2", "clip all"}},
    };
    for (const auto& c : cases) {
        RecordingPainter painter;
        {
            const std::vector<IntBox> area{c.area};
            AreaPainter within(painter, area);
            PaintHands(within, scene);
        }
        EXPECT_EQ(painter.steps, c.steps) << c.area.left << "," << c.area.top;
    }
}

// The union painters rely on the hand shadows all turning against the ellipses' way round.
TEST(ClockRecipe, ShadowPolygonsRunAnticlockwiseAtEveryTime) {
    const DialGeometry dial = DialGeometryOf(1024, 768);
    for (int minute = 0; minute < 24 * 60; minute += 7) {
        for (int32_t seconds : {1, 2}) {
            const ClockHands hands = ClockHandsOf(dial, {minute / 60, minute % 60, minute % 60}, seconds);
            EXPECT_FALSE(RunsClockwise(hands.hour.shadow, 4)) << minute;
            EXPECT_FALSE(RunsClockwise(hands.minute.shadow, 4)) << minute;
            EXPECT_FALSE(RunsClockwise(hands.second.needleShadow, 4)) << minute;
        }
    }
    const FloatPoint square[4] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};  // right, then down: clockwise
    EXPECT_TRUE(RunsClockwise(square, 4));
}

// One round of the drift at 1920 x 1080 (unit 3): every offset from -6 to 5 on each axis once,
// one pixel along one axis a minute, closed, and on across midnight.
TEST(ClockScene, DriftVisitsEveryOffsetOnceByOnePixelSteps) {
    const int32_t unit = DialGeometryOf(1920, 1080).unit;
    ASSERT_EQ(unit, 3);
    std::vector<IntPoint> path;
    for (int minute = 0; minute <= 144; ++minute) {
        // 2026-03-14 22:00 onwards: the round crosses midnight into the 15th.
        const int total = 22 * 60 + minute;
        const LocalDateTime time{2026, 3, 14 + total / 1440, 0, total % 1440 / 60, total % 60, 0};
        path.push_back(DriftOffset(time, unit));
    }
    std::vector<bool> seen(144, false);
    for (size_t i = 0; i < 144; ++i) {
        const IntPoint p = path[i], q = path[i + 1];
        ASSERT_TRUE(p.x >= -6 && p.x <= 5 && p.y >= -6 && p.y <= 5) << i;
        EXPECT_FALSE(seen[(p.y + 6) * 12 + p.x + 6]) << "offset visited twice at minute " << i;
        seen[(p.y + 6) * 12 + p.x + 6] = true;
        EXPECT_EQ(std::abs(p.x - q.x) + std::abs(p.y - q.y), 1) << "minute " << i;
    }
    EXPECT_EQ(path[0].x * 100 + path[0].y, path[144].x * 100 + path[144].y) << "the round closes";
    EXPECT_EQ(DriftOffset({2026, 3, 14, 6, 10, 0, 0}, 0).x, 0);
}

// At 1920 x 1080 a clock of a smaller size, or away from the centre, is the dial of its own
// square: its centre and the hands' one unit beyond its radius from the edges at its anchor (so
// inside the canvas), its shadow in proportion. The full centred clock is today's, its face the
// whole canvas.
TEST(ClockScene, SizeAndPlacePutTheClocksSquareAtItsAnchor) {
    const LocalDateTime time{2026, 3, 14, 6, 10, 10, 30};
    ClockSettings settings = Settings(1, 0);
    // Per place, across and down: -1 the near edge, 0 the middle, 1 the far edge.
    const int anchors[][2] = {{0, 0}, {-1, -1}, {0, -1}, {1, -1}, {1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}};
    for (const int32_t size : {100, 50, 30}) {
        const int32_t side = 2 * Scaled(540, size / 100.0);
        const DialGeometry own = DialGeometryOf(side, side);
        const auto At = [&](int anchor, int32_t length) {
            return anchor == 0 ? length / 2 : anchor < 0 ? own.radius + own.unit : length - own.radius - own.unit;
        };
        for (int place = 0; place < 9; ++place) {
            settings.size = size;
            settings.place = place;
            const ClockScene s = MakeClockScene(1920, 1080, settings, time, true, "", FixedDate);
            const int32_t x = At(anchors[place][0], 1920), y = At(anchors[place][1], 1080);
            const bool whole = size == 100 && place == 0;
            EXPECT_EQ(std::vector<int32_t>({s.dial.radius, s.dial.unit, s.faceOrigin.x + s.dial.centerX,
                                            s.faceOrigin.y + s.dial.centerY, s.faceWidth, s.faceHeight, s.shadowOffset,
                                            s.hands.cap.left + s.hands.cap.width / 2,
                                            s.hands.cap.top + s.hands.cap.height / 2}),
                      std::vector<int32_t>({own.radius, own.unit, x, y, whole ? 1920 : side, whole ? 1080 : side,
                                            ShadowOffset * size / 100, x, y}))
                << size << " % at place " << place;
        }
    }
}

// A wandering 50 % clock at 1920 x 1080 (unit 2) over a day and on across midnight: within its
// free area and reaching each of its edges, at most a unit along each axis a minute, the same
// anywhere in a minute.
TEST(ClockScene, WanderingStaysInItsFreeAreaAndStepsAUnitAMinute) {
    ClockSettings settings = Settings(1, 0);
    settings.size = 50;
    settings.place = static_cast<int32_t>(ClockPlace::Wandering);
    const auto CentreAt = [&](int total, int second) {
        const LocalDateTime time{2026, 3, 14 + total / 1440, 0, total % 1440 / 60, total % 60, second};
        const ClockScene scene = MakeClockScene(1920, 1080, settings, time, true, "", FixedDate);
        return IntPoint{scene.faceOrigin.x + scene.dial.centerX, scene.faceOrigin.y + scene.dial.centerY};
    };
    const int32_t reach = DialGeometryOf(540, 540).radius + 2;
    IntPoint low{1920, 1080}, high{0, 0}, last = CentreAt(0, 0);
    for (int total = 1; total <= 1440 + 60; ++total) {
        const IntPoint p = CentreAt(total, 0), q = CentreAt(total, 59);
        ASSERT_TRUE(p.x == q.x && p.y == q.y && std::abs(p.x - last.x) <= 2 && std::abs(p.y - last.y) <= 2) << total;
        low = {std::min(low.x, p.x), std::min(low.y, p.y)};
        high = {std::max(high.x, p.x), std::max(high.y, p.y)};
        last = p;
    }
    EXPECT_EQ(std::vector<int32_t>({low.x, low.y, high.x, high.y}),
              std::vector<int32_t>({reach, reach, 1920 - reach, 1080 - reach}));
}
