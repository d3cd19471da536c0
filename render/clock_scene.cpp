#include "render/clock_scene.h"

const FacePalette LightPalette = {
    OpaqueWhite, BezelLightColor, BezelDarkColor, OpaqueWhite, RimDarkColor, RimLightColor,
    OpaqueWhite, OpaqueBlack,     OpaqueBlack,    ShadowColor,
};

// Ink 0x8C on a face of 0x10 reads at a contrast of 5.6 : 1 without glare; the ground is black,
// so an OLED panel leaves those pixels off.
const FacePalette DarkPalette = {
    0xFF000000, 0xFF262626, 0xFF0A0A0A, 0xFF000000, 0xFF000000, 0xFF1C1C1C,
    0xFF101010, 0xFF8C8C8C, 0xFFB0B0B0, 0x80000000,
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

}  // namespace

IntPoint DriftOffset(const LocalDateTime& time, int32_t unit) {
    const int32_t side = 4 * unit;  // -2 units to 2 units less a pixel: always even
    if (side < 2) return {0, 0};
    const int64_t minutes = DaysFromCivil(time.year, time.month, time.day) * MinutesPerDay + time.hour * 60 + time.minute;
    // Minutes before 1970 count from the path's far end, never negative.
    const int64_t cycle = int64_t{side} * side;
    const IntPoint point = DriftPathPoint(((minutes % cycle) + cycle) % cycle, side);
    return {point.x - 2 * unit, point.y - 2 * unit};
}

ClockScene MakeClockScene(int32_t width, int32_t height, const ClockSettings& settings, const LocalDateTime& time,
                          bool fullScreen, const char* homePage, ShortDateFormatter formatDate) {
    const bool dark = IsDarkFace(settings, time.hour * 60 + time.minute);
    const DialGeometry dial = DialGeometryOf(width, height);
    ClockScene scene{width,    height,
                     settings, time,
                     fullScreen, u"",
                     homePage, dark ? DarkPalette : LightPalette,
                     dark ? DarkBannerColor : ColorRefToArgb(settings.colorOfInk), {0, 0},
                     dial,     {}};
    if (LogoModeOf(settings.showLogo) == LogoMode::Date && formatDate != nullptr) scene.dateText = formatDate(time);
    // Drift guards the full screen only: the preview and the settings' miniature stand still.
    if (fullScreen && settings.drift != 0) scene.offset = DriftOffset(time, dial.unit);
    // The hands stand where the offset has moved the dial to.
    DialGeometry moved = dial;
    moved.centerX += scene.offset.x;
    moved.centerY += scene.offset.y;
    scene.hands = ClockHandsOf(moved, ClockTimeOf(time), settings.showSeconds);
    return scene;
}

ClockTime ClockTimeOf(const LocalDateTime& time) { return ClockTime{time.hour, time.minute, time.second}; }
