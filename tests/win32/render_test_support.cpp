#include "tests/win32/render_test_support.h"

#include "tarnwick_config.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "render/render_clock_win32.h"

namespace render_test {

SYSTEMTIME TimeOf(int hour, int minute, int second, int day) {
    SYSTEMTIME time{};
    time.wYear = 2026;
    time.wMonth = 3;
    time.wDay = static_cast<WORD>(day);
    time.wDayOfWeek = static_cast<WORD>((day + 6) % 7);  // 14 March 2026 is a Saturday
    time.wHour = static_cast<WORD>(hour);
    time.wMinute = static_cast<WORD>(minute);
    time.wSecond = static_cast<WORD>(second);
    return time;
}

ClockSettings DefaultSettings() {
    ClockSettings settings{};
    SetDefaultSettings(settings);
    return settings;
}

void SetText(char16_t (&target)[SettingsTextCapacity], const wchar_t* text) {
    int i = 0;
    for (; text[i] != L'\0' && i < SettingsTextCapacity - 1; ++i) target[i] = static_cast<char16_t>(text[i]);
    target[i] = u'\0';
}

Clock::Clock(int32_t width, int32_t height) : canvas_(width, height), dial_(DialGeometryOf(width, height)) {}

Picture Clock::Render(const ClockSettings& settings, const SYSTEMTIME& time, bool fullScreen) {
    SaverCanvas& canvas = canvas_.Canvas();
    // Each picture stands for its own settings: the dial flag stays as the test set it.
    const bool dialDue = canvas.faceDirty;
    RenderClockFrame(canvas, SceneOf(canvas, settings, LocalDateTimeOf(time), fullScreen, TARNWICK_HOME_PAGE));
    canvas.faceDirty = dialDue;
    return canvas_.ReadFrame();
}

bool Near(uint32_t color, uint32_t expected, int tolerance) {
    for (int shift = 0; shift < 24; shift += 8) {
        const int a = static_cast<int>((color >> shift) & 0xFF);
        const int b = static_cast<int>((expected >> shift) & 0xFF);
        if (std::abs(a - b) > tolerance) return false;
    }
    return true;
}

bool IsDark(uint32_t color) {
    return Near(color, Black, 80);
}

uint32_t PictureColor(uint32_t colorRef) {
    return ColorRefToArgb(colorRef) & 0x00FFFFFF;
}

int Gray(uint32_t color) {
    return static_cast<int>(((color >> 16) & 0xFF) + ((color >> 8) & 0xFF) + (color & 0xFF)) / 3;
}

testing::AssertionResult ColorNear(const Picture& picture, IntPoint at, uint32_t expected, int tolerance) {
    const uint32_t color = picture.At(at.x, at.y);
    if (Near(color, expected, tolerance)) return testing::AssertionSuccess();
    char text[128];
    std::snprintf(text, sizeof text, "pixel (%d, %d) is %06X, expected %06X within %d", at.x, at.y,
                  static_cast<unsigned>(color), static_cast<unsigned>(expected), tolerance);
    return testing::AssertionFailure() << text;
}

testing::AssertionResult ColorDark(const Picture& picture, IntPoint at) {
    return ColorNear(picture, at, Black, 80);
}

IntPoint At(const DialGeometry& dial, double r, double t) {
    const FloatPoint p = DialPoint(dial, r, t);
    return {static_cast<int32_t>(std::lround(p.x)), static_cast<int32_t>(std::lround(p.y))};
}

}  // namespace render_test
