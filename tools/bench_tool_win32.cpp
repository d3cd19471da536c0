// tarnwick-bench: times the dial draw and the frame compose at three screen sizes, against one
// plain copy of a frame-sized buffer as the yardstick of what this machine can move.
#include <windows.h>

#include <cstdio>

#include "common/utf16_win32.h"
#include "render/render_clock_win32.h"
#include "settings/clock_settings.h"
#include "tools/bench_timing.h"
#include "tools/offscreen_canvas_win32.h"
#include "tarnwick_config.h"

namespace {

// The frame is rebuilt every second, so at 4K it should cost little more than moving its pixels.
constexpr double FrameGoalTimesCopy = 2.5;

// A busy minute of the hour with every part of the picture shown.
constexpr LocalDateTime BenchTime{2026, 3, 14, 6, 10, 8, 37};

// Prints one line of timings and returns its medians.
BenchResult BenchOneSize(BenchSize size, const ClockSettings& settings) {
    OffscreenCanvas canvas(size.width, size.height);
    if (!canvas.Valid()) return {-1, 0};
    SaverCanvas& layers = canvas.Canvas();
    const ClockScene scene = SceneOf(layers, settings, BenchTime, true, TARNWICK_HOME_PAGE);
    const Timing dial = TimeRuns(DialRuns, [&] {
        RenderDial(layers, scene);
        GdiFlush();
    });
    const Timing frame = TimeRuns(FrameRuns, [&] {
        RenderFrameOverDial(layers, scene);
        GdiFlush();
    });
    const Timing copy = TimeFrameCopy(ReadPixels(canvas.Frame()));
    return PrintBenchLine(size, settings.size, dial, frame, copy);
}

// A gliding needle at 4K: each step rebuilds and flushes only the needle's area.
void BenchGlideSteps(ClockSettings settings) {
    settings.glide = 1;
    OffscreenCanvas canvas(GlideBenchSize.width, GlideBenchSize.height);
    if (!canvas.Valid()) return;
    SaverCanvas& layers = canvas.Canvas();
    BenchGlide(
        [&](const LocalDateTime& time) {
            RenderClockFrame(layers, SceneOf(layers, settings, time, true, TARNWICK_HOME_PAGE));
            GdiFlush();
        },
        [&] { layers.incremental = true; });
}

// Five world clocks at 4K against one full clock.
void BenchRowOfClocks(const ClockSettings& settings) {
    BenchRow([&](int32_t width, int32_t height, const ClockRole& role) -> std::function<void()> {
        auto canvas = std::make_shared<OffscreenCanvas>(width, height);
        SaverCanvas& layers = canvas->Canvas();
        auto scene = std::make_shared<ClockScene>(SceneOf(layers, settings, BenchTime, true, TARNWICK_HOME_PAGE, role));
        RenderDial(layers, *scene);
        return [canvas, scene] {
            RenderFrameOverDial(canvas->Canvas(), *scene);
            GdiFlush();
        };
    });
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::vector<std::string> words = Utf8Words(argc, argv);
    ClockSettings settings{};
    int code = 0;
    if (!ReadBenchSettings(words, settings, code)) return code;
    GdiplusSession gdiplus;
    if (!gdiplus.Started()) return 1;
    const int result = BenchAllSizes(FrameGoalTimesCopy, settings, BenchOneSize);
    BenchZones(settings, {u"Tokyo Standard Time", u"Eastern Standard Time", u"GMT Standard Time",
                          u"AUS Eastern Standard Time"});
    BenchGlideSteps(settings);
    BenchRowOfClocks(settings);
    return result;
}
