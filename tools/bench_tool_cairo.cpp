// tarnwick-bench (Linux): times the dial draw and the frame compose at three screen sizes,
// against one plain copy of a frame-sized buffer as the yardstick of what this machine can move.
#include <cairo.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "render/render_clock_cairo.h"
#include "tarnwick_config.h"
#include "tools/bench_timing.h"

namespace {

// The frame is rebuilt every second, so at 4K it should cost little more than moving its pixels.
constexpr double FrameGoalTimesCopy = 2.0;

// A busy minute of the hour with every part of the picture shown.
constexpr LocalDateTime BenchTime{2026, 3, 14, 6, 10, 8, 37};

// The frame's pixels: the face layer of a smaller clock is only its square.
std::vector<uint32_t> FramePixels(const CairoCanvas& canvas) {
    cairo_surface_flush(canvas.Frame());
    const auto* data = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(canvas.Frame()));
    return std::vector<uint32_t>(data, data + static_cast<size_t>(canvas.Stride() / 4) * canvas.Height());
}

// Prints one line of timings and returns its medians.
BenchResult BenchOneSize(BenchSize size, const ClockSettings& settings) {
    CairoCanvas canvas(size.width, size.height);
    if (!canvas.Valid()) return {-1, 0};
    const ClockScene scene = SceneOf(canvas, settings, BenchTime, true, TARNWICK_HOME_PAGE);
    const Timing dial = TimeRuns(DialRuns, [&] {
        RenderDial(canvas, scene);
        cairo_surface_flush(canvas.Face());
    });
    const Timing frame = TimeRuns(FrameRuns, [&] {
        RenderFrameOverDial(canvas, scene);
        cairo_surface_flush(canvas.Frame());
    });
    const Timing copy = TimeFrameCopy(FramePixels(canvas));
    return PrintBenchLine(size, settings.size, dial, frame, copy);
}

// A gliding needle at 4K: each step rebuilds only the needle's area.
void BenchGlideSteps(ClockSettings settings) {
    settings.glide = 1;
    CairoCanvas canvas(GlideBenchSize.width, GlideBenchSize.height);
    if (!canvas.Valid()) return;
    BenchGlide(
        [&](const LocalDateTime& time) {
            RenderClockFrame(canvas, SceneOf(canvas, settings, time, true, TARNWICK_HOME_PAGE));
            cairo_surface_flush(canvas.Frame());
        },
        [&] { canvas.incremental = true; });
}

// Five world clocks at 4K against one full clock.
void BenchRowOfClocks(const ClockSettings& settings) {
    BenchRow([&](int32_t width, int32_t height, const ClockRole& role) -> std::function<void()> {
        auto canvas = std::make_shared<CairoCanvas>(width, height);
        auto scene = std::make_shared<ClockScene>(SceneOf(*canvas, settings, BenchTime, true, TARNWICK_HOME_PAGE, role));
        RenderDial(*canvas, *scene);
        return [canvas, scene] {
            RenderFrameOverDial(*canvas, *scene);
            cairo_surface_flush(canvas->Frame());
        };
    });
}

}  // namespace

int main(int argc, char** argv) {
    ClockSettings settings{};
    int code = 0;
    if (!ReadBenchSettings({argv + 1, argv + argc}, settings, code)) return code;
    const int result = BenchAllSizes(FrameGoalTimesCopy, settings, BenchOneSize);
    BenchZones(settings, {u"Asia/Tokyo", u"America/New_York", u"Europe/London", u"Australia/Sydney"});
    BenchGlideSteps(settings);
    BenchRowOfClocks(settings);
    return result;
}
