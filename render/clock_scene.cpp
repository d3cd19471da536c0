#include "render/clock_scene.h"

#include <algorithm>

const FacePalette LightPalette = {
    OpaqueWhite, BezelLightColor, BezelDarkColor, OpaqueWhite, RimDarkColor, RimLightColor,
    OpaqueWhite, OpaqueBlack,     OpaqueBlack,    ShadowColor, OpaqueBlack,    OpaqueBlack,
};

// Ink 0x8C on a face of 0x10 reads at a contrast of 5.6 : 1 without glare; the ground is black,
// so an OLED panel leaves those pixels off.
const FacePalette DarkPalette = {
    0xFF000000, 0xFF262626, 0xFF0A0A0A, 0xFF000000, 0xFF000000, 0xFF1C1C1C,
    0xFF101010, 0xFF8C8C8C, 0xFFB0B0B0, 0x80000000, 0xFF8C8C8C, 0xFFB0B0B0,
};

namespace {

// Banner text on the dark ground: as legible as the ink, no brighter.
constexpr uint32_t DarkBannerColor = 0xFF8C8C8C;

// Days from 1970-01-01 of a proleptic Gregorian date.
int64_t DaysFromCivil(int64_t year, int64_t month, int64_t day) {
    year -= month <= 2;
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const int64_t yearOfEra = year - era * 400;
    const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

// The n x n grid (n even) as one closed path of single steps: along the top row, snaking down
// through the columns right of the first, then up the first column back to the start.
IntPoint DriftPathPoint(int64_t step, int32_t n) {
    const int64_t k = step % (int64_t{n} * n);
    if (k < n) return {static_cast<int32_t>(k), 0};
    if (k < int64_t{n} * n - (n - 1)) {
        const int64_t inSnake = k - n;
        const int32_t row = static_cast<int32_t>(1 + inSnake / (n - 1));
        const int32_t along = static_cast<int32_t>(inSnake % (n - 1));
        return {row % 2 == 1 ? n - 1 - along : 1 + along, row};
    }
    return {0, static_cast<int32_t>(n - 1 - (k - (int64_t{n} * n - (n - 1))))};
}

// Where a point bouncing between 0 and `span` stands after `travel`.
int64_t Bounced(int64_t travel, int64_t span) {
    if (span <= 0) return 0;
    const int64_t k = travel % (2 * span);
    return k <= span ? k : 2 * span - k;
}

int64_t MinutesOf(const LocalDateTime& time) {
    return DaysFromCivil(time.year, time.month, time.day) * MinutesPerDay + time.hour * 60 + time.minute;
}

// A number of the settings within its rule, else its default: a record that was never loaded
// (all zeros) still draws today's clock.
int32_t Within(int32_t value, SettingRange rule, int32_t fallback) {
    return value >= rule.low && value <= rule.high ? value : fallback;
}

// A clock in a row: its square above a caption strip of an eighth of the cell, the layer the
// square and the caption under it, so that the caption is cached with the dial and a frame copies
// no more than the clock.
void PlaceInRow(ClockScene& scene, int32_t size) {
    const int32_t strip = scene.height / 8;
    const int32_t half = Scaled(std::min(scene.width / 2, (scene.height - strip) / 2), size / 100.0);
    scene.dial = DialGeometryOf(2 * half, 2 * half);
    scene.shadowOffset = std::max(1, ShadowOffset * size / FullClockSize);
    // The caption just under the dial, on two lines' height of its own size.
    scene.captionEmSize = std::max(12.0f, scene.dial.radius * 0.12f);
    const int32_t top = scene.dial.centerY + scene.dial.radius;
    scene.faceOrigin = {scene.width / 2 - half, (scene.height - strip) / 2 - half};
    scene.faceWidth = 2 * half;
    scene.faceHeight = std::max(2 * half, std::min(top + static_cast<int32_t>(2 * scene.captionEmSize),
                                                   scene.height - scene.faceOrigin.y));
    scene.captionBox = {0, static_cast<float>(top), static_cast<float>(scene.faceWidth),
                        static_cast<float>(scene.faceHeight - top)};
    // Dark text on a light ground, light text on a dark one.
    const uint32_t g = scene.palette.ground;
    const uint32_t luma = ((g >> 16) & 0xFF) * 3 + ((g >> 8) & 0xFF) * 6 + (g & 0xFF);
    scene.captionArgb = luma >= 128 * 10 ? OpaqueBlack : 0xFFE0E0E0;
}

// The dial, its layer and where the layer stands in a width x height frame.
void PlaceClock(ClockScene& scene, const ClockSettings& settings, bool fullScreen, bool inRow) {
    const int32_t size = Within(settings.size, ClockSizeRange, FullClockSize);
    const auto place = static_cast<ClockPlace>(Within(settings.place, ClockPlaceRange, 0));
    const DialGeometry whole = DialGeometryOf(scene.width, scene.height);
    if (inRow) {
        PlaceInRow(scene, size);
    } else if (size == FullClockSize && place == ClockPlace::Centre) {
        scene.dial = whole;
        scene.faceWidth = scene.width;
        scene.faceHeight = scene.height;
        scene.faceOrigin = {0, 0};
        scene.shadowOffset = ShadowOffset;
    } else {
        // A smaller clock is the clock of a smaller screen: every length follows from its square.
        const int32_t half = Scaled(std::min(whole.centerX, whole.centerY), size / 100.0);
        scene.dial = DialGeometryOf(2 * half, 2 * half);
        scene.faceWidth = scene.faceHeight = 2 * half;
        scene.shadowOffset = std::max(1, ShadowOffset * size / FullClockSize);
        // One clock unit from the edges.
        const int32_t reach = scene.dial.radius + scene.dial.unit;
        const IntPoint low{reach, reach}, high{scene.width - reach, scene.height - reach};
        const IntPoint middle{whole.centerX, whole.centerY};
        IntPoint centre = middle;
        switch (place) {
        case ClockPlace::Centre: break;
        case ClockPlace::TopLeft: centre = low; break;
        case ClockPlace::Top: centre = {middle.x, low.y}; break;
        case ClockPlace::TopRight: centre = {high.x, low.y}; break;
        case ClockPlace::Right: centre = {high.x, middle.y}; break;
        case ClockPlace::BottomRight: centre = high; break;
        case ClockPlace::Bottom: centre = {middle.x, high.y}; break;
        case ClockPlace::BottomLeft: centre = {low.x, high.y}; break;
        case ClockPlace::Left: centre = {low.x, middle.y}; break;
        case ClockPlace::Wandering: centre = WanderingCentre(scene.time, low, high, scene.dial.unit); break;
        }
        // A screen too small for the margin keeps the clock centred on that axis.
        if (high.x < low.x) centre.x = middle.x;
        if (high.y < low.y) centre.y = middle.y;
        scene.faceOrigin = {centre.x - half, centre.y - half};
    }
    // Drift guards the full screen only: the preview and the settings' miniature stand still.
    if (fullScreen && settings.drift != 0) scene.offset = DriftOffset(scene.time, scene.dial.unit);
    scene.faceOrigin.x += scene.offset.x;
    scene.faceOrigin.y += scene.offset.y;
}

}  // namespace

FacePalette LightPaletteOf(const ClockSettings& settings) {
    FacePalette palette = LightPalette;
    palette.face = ColorRefToArgb(settings.colorOfFace);
    palette.numerals = ColorRefToArgb(settings.colorOfNumerals);
    palette.hands = ColorRefToArgb(settings.colorOfHands);
    palette.ground = ColorRefToArgb(settings.colorOfGround);
    return palette;
}

IntPoint WanderingCentre(const LocalDateTime& time, IntPoint low, IntPoint high, int32_t step) {
    const int64_t travel = MinutesOf(time) * step;
    // Minutes before 1970 count back along the same path, never negative.
    const auto along = [&](int32_t from, int32_t to) {
        const int64_t span = to - from;
        if (span <= 0) return from;
        const int64_t cycle = 2 * span;
        return static_cast<int32_t>(from + Bounced(((travel % cycle) + cycle) % cycle, span));
    };
    return {along(low.x, high.x), along(low.y, high.y)};
}

IntPoint DriftOffset(const LocalDateTime& time, int32_t unit) {
    const int32_t side = 4 * unit;  // -2 units to 2 units less a pixel: always even
    if (side < 2) return {0, 0};
    const int64_t minutes = MinutesOf(time);
    // Minutes before 1970 count from the path's far end, never negative.
    const int64_t cycle = int64_t{side} * side;
    const IntPoint point = DriftPathPoint(((minutes % cycle) + cycle) % cycle, side);
    return {point.x - 2 * unit, point.y - 2 * unit};
}

ClockScene MakeClockScene(int32_t width, int32_t height, const ClockSettings& settings, const LocalDateTime& time,
                          bool fullScreen, const char* homePage, ShortDateFormatter formatDate, const ClockRole& role) {
    const bool dark = IsDarkFace(settings, time.hour * 60 + time.minute);
    ClockScene scene{width,    height,
                     settings, time,
                     fullScreen, u"",
                     homePage, dark ? DarkPalette : LightPaletteOf(settings),
                     dark ? DarkBannerColor : ColorRefToArgb(settings.colorOfInk), {0, 0},
                     {},       0, 0, {0, 0}, ShadowOffset, {}, role.inRow, role.caption, {0, 0, 0, 0}, 0, 0};
    if (LogoModeOf(settings.showLogo) == LogoMode::Date && formatDate != nullptr) scene.dateText = formatDate(time);
    PlaceClock(scene, settings, fullScreen, role.inRow);
    // The hands stand where the frame shows the dial.
    DialGeometry shown = scene.dial;
    shown.centerX += scene.faceOrigin.x;
    shown.centerY += scene.faceOrigin.y;
    scene.hands = ClockHandsOf(shown, ClockTimeOf(time, settings.glide != 0), settings.showSeconds, scene.shadowOffset);
    return scene;
}

ClockTime ClockTimeOf(const LocalDateTime& time, bool glide) {
    return ClockTime{time.hour, time.minute, time.second, glide ? time.millisecond : 0};
}
