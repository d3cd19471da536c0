// Helpers of the renderer's component tests: clocks drawn off-screen at a chosen time, and
// colour checks with the tolerance that Wine's unsmoothed drawing needs.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>

#include "render/dial_geometry.h"
#include "tools/offscreen_canvas_win32.h"
#include "settings/clock_settings.h"

namespace render_test {

constexpr uint32_t White = 0xFFFFFF;
constexpr uint32_t Black = 0x000000;
// White under one coverage of black at alpha 0x20.
constexpr uint32_t ShadowOnWhite = 0xDFDFDF;

SYSTEMTIME TimeOf(int hour, int minute, int second, int day = 14);
ClockSettings DefaultSettings();
// The same text in a settings buffer.
void SetText(char16_t (&target)[SettingsTextCapacity], const wchar_t* text);

// A canvas with its own layers; Render draws one call into it and reads the frame back.
class Clock {
public:
    Clock(int32_t width, int32_t height);
    Picture Render(const ClockSettings& settings, const SYSTEMTIME& time, bool fullScreen = true);
    OffscreenCanvas& Canvas() { return canvas_; }
    const DialGeometry& Dial() const { return dial_; }

private:
    OffscreenCanvas canvas_;
    DialGeometry dial_;
};

// Each channel within the tolerance of the expected colour (both 0x00RRGGBB).
bool Near(uint32_t color, uint32_t expected, int tolerance = 12);
bool IsDark(uint32_t color);
// The COLORREF 0x00BBGGRR as a picture colour 0x00RRGGBB.
uint32_t PictureColor(uint32_t colorRef);
int Gray(uint32_t color);

// A matcher-like check with a readable message.
testing::AssertionResult ColorNear(const Picture& picture, IntPoint at, uint32_t expected, int tolerance = 12);
testing::AssertionResult ColorDark(const Picture& picture, IntPoint at);

// The point of the dial at radius r and angle t (clock radians), rounded to the pixel grid.
IntPoint At(const DialGeometry& dial, double r, double t);

// Runs GDI+ for one test.
class RenderTest : public testing::Test {
protected:
    GdiplusSession gdiplus_;
};

}  // namespace render_test
