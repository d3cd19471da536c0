// The clock renderer as the layer surfaces use it: one canvas per output and one call that draws
// a frame on it. Every use of the renderer's interface is in clock_frame_wayland.cpp.
#pragma once

#include <cairo.h>

#include <ctime>
#include <memory>

#include "common/local_time.h"
#include "settings/clock_settings.h"

class CairoCanvas;
struct OutputCanvasRelease {
    void operator()(CairoCanvas* canvas) const;
};
using OutputCanvas = std::unique_ptr<CairoCanvas, OutputCanvasRelease>;

// Draws the full-screen clock for `now` on a canvas of width × height pixels, making the canvas
// anew when it has another size (the dial is then drawn too, as it is when `dialDue`). Returns
// the frame, owned by the canvas; null when no canvas of that size can be made.
cairo_surface_t* DrawClockFrame(OutputCanvas& canvas, int width, int height, const ClockSettings& settings,
                                const LocalDateTime& now, const char* homePage, bool dialDue);
