#include "host/wayland/clock_frame_wayland.h"

#include "render/render_clock_cairo.h"

void OutputCanvasRelease::operator()(CairoCanvas* canvas) const { delete canvas; }

cairo_surface_t* DrawClockFrame(OutputCanvas& canvas, int width, int height, const ClockSettings& settings,
                                const LocalDateTime& now, const char* homePage, bool dialDue) {
    if (canvas == nullptr || canvas->Width() != width || canvas->Height() != height) {
        canvas.reset(new CairoCanvas(width, height));
    }
    if (!canvas->Valid()) return nullptr;
    if (dialDue) canvas->faceDirty = true;
    RenderClockFrame(*canvas, SceneOf(*canvas, settings, now, true, homePage));
    return canvas->Frame();
}
