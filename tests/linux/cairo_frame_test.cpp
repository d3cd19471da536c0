// Frames of the Cairo renderer, checked by their pixels with anti-aliasing tolerances: hands,
// shadow, banner, fonts, the date logo, and memory over many frames.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <unistd.h>

#include "render/hand_geometry.h"
#include "render/render_clock_cairo.h"

namespace {

constexpr uint32_t White = 0xFFFFFF;
constexpr uint32_t Green = 0x00FF00;        // COLORREF and picture colour alike
constexpr uint32_t ShadowOnWhite = 0xDFDFDF;  // white under one coverage of black at alpha 0x20
constexpr int32_t Off = 0, Normal = 1;

LocalDateTime TimeOf(int hour, int minute, int second, int day = 14) {
    return {2026, 3, day, 0, hour, minute, second};
}

constexpr char HomePage[] = "https://brevant.example/tarnwick";

void Render(CairoCanvas& canvas, const ClockSettings& settings, const LocalDateTime& time, bool fullScreen = true) {
    RenderClockFrame(canvas, SceneOf(canvas, settings, time, fullScreen, HomePage));
}

ClockSettings Plain(int32_t showSeconds, int32_t showLogo = 0) {
    ClockSettings settings{};
    SetDefaultSettings(settings);
    settings.showSeconds = showSeconds;
    settings.showLogo = showLogo;
    settings.colorOfMarkers = Green;
    return settings;
}

bool Near(uint32_t color, uint32_t expected, int tolerance) {
    for (int shift : {0, 8, 16}) {
        if (std::abs(static_cast<int>((color >> shift) & 0xFF) - static_cast<int>((expected >> shift) & 0xFF)) >
            tolerance) {
            return false;
        }
    }
    return true;
}

// A canvas that draws the whole picture, dial included, for each call.
struct Clock {
    Clock(int32_t width, int32_t height) : canvas(width, height), dial(DialGeometryOf(width, height)) {}
    const Clock& Render(const ClockSettings& settings, const LocalDateTime& time, bool fullScreen = true) {
        canvas.faceDirty = true;
        ::Render(canvas, settings, time, fullScreen);
        return *this;
    }
    testing::AssertionResult Is(FloatPoint at, uint32_t expected, int tolerance = 16) const {
        const uint32_t got = canvas.FramePixel(static_cast<int32_t>(at.x + 0.5f), static_cast<int32_t>(at.y + 0.5f));
        if (Near(got, expected, tolerance)) return testing::AssertionSuccess();
        char text[96];
        std::snprintf(text, sizeof text, "at %.0f,%.0f: %06X, expected %06X", at.x, at.y, got, expected);
        return testing::AssertionFailure() << text;
    }
    testing::AssertionResult Dark(FloatPoint at) const { return Is(at, 0, 80); }
    FloatPoint At(double r, double t) const { return DialPoint(dial, r, t); }
    // Pixels in the box that are not white.
    int Inked(int left, int top, int right, int bottom) const {
        int inked = 0;
        for (int y = top; y < bottom; ++y) {
            for (int x = left; x < right; ++x) inked += !Near(canvas.FramePixel(x, y), White, 40);
        }
        return inked;
    }
    CairoCanvas canvas;
    DialGeometry dial;
};

}  // namespace

TEST(CairoFrame, HandsPointWhereTheTimeSays) {
    struct Case {
        int hour, minute, second;
    };
    Clock clock(1024, 768);
    for (const Case& c : {Case{3, 0, 40}, Case{10, 10, 30}, Case{7, 48, 20}, Case{13, 30, 50}, Case{0, 20, 45}}) {
        SCOPED_TRACE(testing::Message() << c.hour << ":" << c.minute << ":" << c.second);
        clock.Render(Plain(Normal), TimeOf(c.hour, c.minute, c.second));
        const ClockHands hands = ClockHandsOf(clock.dial, {c.hour, c.minute, c.second}, Normal);
        const HandSizes& s = hands.sizes;
        const HandAngles& a = hands.angles;
        EXPECT_TRUE(clock.Is(clock.At((s.hourStripeOuter + s.stripeInner) / 2.0, a.hour), Green));
        EXPECT_TRUE(clock.Is(clock.At((s.minuteStripeOuter + s.stripeInner) / 2.0, a.minute), Green));
        EXPECT_TRUE(clock.Dark(clock.At(s.stripeInner - 2 * clock.dial.unit - 4, a.hour)));
        EXPECT_TRUE(clock.Dark(clock.At(s.tailLength - 4, a.minute + HalfTurn)));
        EXPECT_TRUE(clock.Dark(clock.At(s.secondLength * 0.6, a.second)));
        EXPECT_TRUE(clock.Is(clock.At(s.hourLength, a.second), Green));  // the needle's disc
        EXPECT_TRUE(clock.Is(clock.At(s.secondLength * 0.6, a.second + HalfTurn), White, 40));
        EXPECT_TRUE(clock.Dark({512, 384}));  // the cap
    }
    // Off leaves the needle, its disc and their shadows out.
    clock.Render(Plain(Off), TimeOf(5, 30, 15));
    const FloatPoint disc = clock.At(HandSizesOf(clock.dial).hourLength, QuarterTurn);
    EXPECT_TRUE(clock.Is(disc, White, 2));
    EXPECT_TRUE(clock.Is({disc.x + 7, disc.y + 7}, White, 2));
}

// At 3:00 the hour hand lies flat to the right: body y 378 to 390, shadow y 384 to 396. At
// midnight both hands point up and their shadows lie on each other, as the needle's does at
// 0:00:00: where shadows cross the shade is the same as where one falls alone.
TEST(CairoFrame, OneShadowSevenPixelsOffCoveredOnce) {
    Clock clock(1024, 768);
    clock.Render(Plain(Off), TimeOf(3, 0, 0));
    EXPECT_TRUE(clock.Dark({600, 384}));
    EXPECT_TRUE(clock.Is({600, 394}, ShadowOnWhite, 3));
    EXPECT_TRUE(clock.Is({600, 399}, White, 2));
    EXPECT_TRUE(clock.Is({533, 394}, ShadowOnWhite, 3));  // hand and cap shadows meet without a seam
    for (const auto& size : {std::pair<int, int>{1024, 768}, {3840, 2160}}) {
        Clock big(size.first, size.second);
        const DialGeometry& d = big.dial;
        const HandSizes s = HandSizesOf(d);
        const float x = d.centerX + 3 * d.unit + 4;
        for (int32_t seconds : {Off, Normal}) {
            big.Render(Plain(seconds), TimeOf(0, 0, 0));
            EXPECT_TRUE(big.Is({x, d.centerY - s.hourLength / 2.0f}, ShadowOnWhite, 3)) << seconds;
            EXPECT_TRUE(big.Is({x, d.centerY - (s.hourLength - ShadowOffset + 8.0f * d.unit)}, ShadowOnWhite, 3));
        }
    }
}

TEST(CairoFrame, BannerOnlyInMinuteSevenOfAFullScreenFrame) {
    Clock clock(1024, 768);
    const auto banner = [&] { return clock.Inked(1024 - 360, 0, 1024, 40); };
    EXPECT_GT(clock.Render(Plain(Normal), TimeOf(12, 7, 30)).Inked(1024 - 360, 0, 1024, 40), 100);
    // Set against the right edge of the top 40 pixels, nothing of it beyond (the bezel reaches up
    // to y 39 at x 486 to 538, and into y 40 to 80 left of x 675).
    EXPECT_GT(clock.Inked(1024 - 16, 0, 1024, 40), 0);
    EXPECT_EQ(clock.Inked(0, 0, 480, 40) + clock.Inked(700, 40, 1024, 80), 0);
    EXPECT_GT(clock.Render(Plain(Off), TimeOf(3, 7, 0)).Inked(1024 - 360, 0, 1024, 40), 100);
    clock.Render(Plain(Normal), TimeOf(12, 7, 30), false);
    EXPECT_EQ(banner(), 0) << "preview";
    clock.Render(Plain(Normal), TimeOf(12, 6, 59));
    EXPECT_EQ(banner(), 0);
    clock.Render(Plain(Normal), TimeOf(12, 8, 0));
    EXPECT_EQ(banner(), 0);
}

// A family fontconfig lacks leaves numerals and logo out (Pango would silently draw another);
// the generic and the Windows default names always draw.
TEST(CairoFrame, MissingFontLeavesOutNumeralsAndLogo) {
    const struct {
        const char16_t* font;
        bool drawn;
    } cases[] = {{u"DejaVu Serif", true}, {u"Palatino Linotype", true}, {u"sans-serif", true},
                 {u"Tarnwick Missing Face", false}};
    Clock clock(1024, 768);
    for (const auto& c : cases) {
        ClockSettings settings = Plain(Off, 2);
        CopySettingsText(settings.nameOfFont, c.font);
        clock.Render(settings, TimeOf(3, 15, 0));  // hands clear of the 12 and the logo
        const int numeral12 = clock.Inked(512 - 30, 166 - 25, 512 + 30, 166 + 25);  // anchor (512, 166)
        const int logo = clock.Inked(512 - 150, 384 + 90, 512 + 150, 384 + 150);
        EXPECT_EQ(numeral12 > 200, c.drawn) << numeral12;
        EXPECT_EQ(logo > 200, c.drawn) << logo;
        if (!c.drawn) {
            EXPECT_EQ(numeral12 + logo, 0);
        }
    }
}

// The date logo is the short date of LC_TIME: the same picture as that text in text mode.
TEST(CairoFrame, DateLogoShowsTheLocaleShortDate) {
    const LocalDateTime day = TimeOf(10, 10, 0, 14);
    char date[64];
    const std::tm tm = TmOf(day);
    ASSERT_GT(std::strftime(date, sizeof date, "%x", &tm), 0u);
    ClockSettings asText = Plain(Off, 2);
    for (int i = 0; date[i] != '\0'; ++i) asText.logoText[i] = static_cast<char16_t>(date[i]);
    Clock byDate(640, 480), byText(640, 480), nextDay(640, 480);
    byDate.Render(Plain(Off, 1), day);
    byText.Render(asText, day);
    nextDay.Render(Plain(Off, 1), TimeOf(10, 10, 0, 28));
    const size_t bytes = static_cast<size_t>(byDate.canvas.Stride()) * 480;
    cairo_surface_flush(byDate.canvas.Frame());
    EXPECT_EQ(std::memcmp(cairo_image_surface_get_data(byDate.canvas.Frame()),
                          cairo_image_surface_get_data(byText.canvas.Frame()), bytes),
              0);
    EXPECT_NE(std::memcmp(cairo_image_surface_get_data(byDate.canvas.Frame()),
                          cairo_image_surface_get_data(nextDay.canvas.Frame()), bytes),
              0);
}

// A frame's small ellipses, put on from masks kept between frames, are the ones drawn in place.
TEST(CairoFrame, EllipsesFromMasksMatchEllipsesDrawn) {
    // Filled and outlined, odd and even sizes, a mask used again at another place.
    const struct {
        IntBox box;
        int32_t lineWidth;
    } cases[] = {{{10, 12, 20, 20}, 0}, {{41, 7, 37, 23}, 0}, {{90, 30, 20, 20}, 0},
                 {{11, 50, 21, 21}, 3}, {{60, 52, 40, 40}, 1}};
    CairoSurface drawn(cairo_image_surface_create(CAIRO_FORMAT_RGB24, 128, 100));
    CairoSurface put(cairo_image_surface_create(CAIRO_FORMAT_RGB24, 128, 100));
    FrameMasks masks;
    for (const auto& c : cases) {
        for (auto* target : {&drawn, &put}) {
            CairoPainter painter(target->get(), target == &put ? &masks : nullptr);
            if (c.lineWidth == 0) {
                painter.FillEllipse(c.box, 0xFF00FF00);
            } else {
                painter.DrawEllipse(c.box, 0xC0FFFFFF, c.lineWidth);
            }
        }
    }
    const auto* a = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(drawn.get()));
    const auto* b = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(put.get()));
    int inked = 0;
    for (int p = 0; p < 128 * 100; ++p) {
        ASSERT_TRUE(Near(a[p], b[p], 1)) << "pixel " << p % 128 << "," << p / 128;
        inked += (a[p] & 0xFFFFFF) != 0;
    }
    EXPECT_GT(inked, 1500);
}

// The X11 program rebuilds a frame only where the last one or this one draws, in place in a
// monitor's rectangle of the window's picture: a run of such frames (the banner coming and going,
// the dial redrawn, the drift moving it) equals frames composed whole, changes nothing outside the
// area it names, and leaves the picture round the rectangle untouched. A gliding needle's frames,
// drawn only within that area, may differ from whole ones by a few levels where the area cuts an
// anti-aliased edge, and nowhere by more. The Wayland program draws them into two buffers in turn,
// each taking in afterwards what the other one's frames drew and this frame did not.
TEST(CairoFrame, FramesByTheirChangesEqualWholeFrames) {
    constexpr int Left = 24, Top = 8, PictureWidth = 900, Row = PictureWidth, Around = 0x123456;
    const struct {
        int32_t glide, size;
        int buffers, frames, millisecondsApart, tolerance;
    } cases[] = {{0, 100, 1, 150, 7000, 0}, {1, 100, 1, 150, 1000 / 30, 20}, {1, 70, 2, 150, 1000 / 30, 20}};
    for (const auto& c : cases) {
        const std::vector<uint32_t> blank(static_cast<size_t>(Row) * (600 + 2 * Top), Around);
        std::vector<uint32_t> pictures[2] = {blank, blank};
        std::vector<bool> stale[2] = {std::vector<bool>(800 * 600, true), std::vector<bool>(800 * 600, true)};
        const auto memory = [&](int k) { return reinterpret_cast<unsigned char*>(&pictures[k][Top * Row + Left]); };
        CairoCanvas changes(800, 600, memory(0), Row * 4);
        Clock whole(800, 600);
        changes.incremental = true;
        ClockSettings settings = Plain(Normal);
        settings.drift = 1;
        settings.face = 1;
        settings.glide = c.glide;
        settings.size = c.size;
        int differing = 0;
        for (int i = 0; i < c.frames; ++i) {
            const int64_t at = int64_t{i} * c.millisecondsApart + 9 * 3'600'000 + 6 * 60'000 - 2'000;
            LocalDateTime time = TimeOf(static_cast<int>(at / 3'600'000), at / 60'000 % 60, at / 1000 % 60);
            time.millisecond = static_cast<int32_t>(at % 1000);
            // The second buffer's first frame redraws the dial too.
            changes.faceDirty = whole.canvas.faceDirty = i % 50 == 0 || i == 1;
            const int k = i % c.buffers;
            std::vector<uint32_t>& picture = pictures[k];
            changes.MoveFrame(memory(k), Row * 4);
            const std::vector<uint32_t> before = picture;
            Render(changes, settings, time);
            Render(whole.canvas, settings, time);
            cairo_surface_flush(changes.Frame());
            // What the frame says it changed is all that a window must be shown anew; the other
            // buffer's changes it did not draw are taken in afterwards.
            std::vector<bool> shown(800 * 600, false), drawn(800 * 600, false);
            for (const IntBox& b : changes.ChangedArea()) {
                for (int y = b.top; y < b.top + b.height; ++y) std::fill_n(shown.begin() + y * 800 + b.left, b.width, true);
            }
            const CairoRegion drawnRegion = changes.DrawnRegion();
            for (int r = 0; r < cairo_region_num_rectangles(drawnRegion.get()); ++r) {
                cairo_rectangle_int_t b;
                cairo_region_get_rectangle(drawnRegion.get(), r, &b);
                for (int y = b.y; y < b.y + b.height; ++y) std::fill_n(drawn.begin() + y * 800 + b.x, b.width, true);
            }
            const auto* built = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(whole.canvas.Frame()));
            for (int p = 0; p < 800 * 600; ++p) {
                const size_t here = static_cast<size_t>(Top + p / 800) * Row + Left + p % 800;
                ASSERT_TRUE(shown[p] || picture[here] == before[here]) << "frame " << i << ", pixel " << p % 800 << "," << p / 800;
                if (c.buffers == 2) {
                    ASSERT_TRUE(shown[p] || !drawn[p]) << "frame " << i;
                    if (i > 0 && stale[k][p] && !drawn[p]) picture[here] = pictures[1 - k][here];
                    stale[k][p] = false;
                    stale[1 - k][p] = stale[1 - k][p] || drawn[p];
                }
                const uint32_t expected = built[static_cast<size_t>(p / 800) * whole.canvas.Stride() / 4 + p % 800];
                ASSERT_TRUE(Near(picture[here], expected, c.tolerance))
                    << "glide " << c.glide << ", frame " << i << ", pixel " << p % 800 << "," << p / 800;
                differing += (picture[here] & 0xFFFFFF) != (expected & 0xFFFFFF);
            }
        }
        // Only edge pixels here and there (a needle's trail would be thousands).
        EXPECT_LT(differing, c.frames * 100) << "glide " << c.glide;
        const auto around = static_cast<long>(blank.size()) - 800 * 600;
        for (int k = 0; k < c.buffers; ++k) EXPECT_EQ(std::count(pictures[k].begin(), pictures[k].end(), Around), around);
    }
}

TEST(CairoFrame, ManyFramesLeaveMemoryFlat) {
    const auto residentKiB = [] {
        long pages = 0, resident = 0;
        FILE* statm = std::fopen("/proc/self/statm", "r");
        if (statm == nullptr || std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) resident = -1;
        if (statm != nullptr) std::fclose(statm);
        return resident * (sysconf(_SC_PAGESIZE) / 1024);
    };
    Clock clock(640, 480);
    ClockSettings settings = Plain(2, 1);
    long warm = 0;
    for (int i = 0; i < 3000; ++i) {
        clock.canvas.faceDirty = i % 10 == 0;
        settings.nameOfFont[0] = i % 100 == 50 ? u'X' : u'P';  // now and then a missing font
        Render(clock.canvas, settings, TimeOf(i / 60 % 24, 7, i % 60, 1 + i % 28));
        if (i == 300) warm = residentKiB();
    }
    const long end = residentKiB();
    EXPECT_LT(end - warm, 4096) << "resident " << warm << " KiB after warm-up, " << end << " KiB at the end";
}
