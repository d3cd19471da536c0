// The renderer as an output uses it: the output's composed picture, black with a clock canvas over
// each clock's rectangle, drawn in place and incrementally. Every use of the renderer's interface
// is in clock_frame_wayland.cpp.
#pragma once

#include <cairo.h>

#include <memory>
#include <vector>

#include "common/local_time.h"
#include "host/clock_layout.h"
#include "host/world_clocks.h"
#include "settings/clock_settings.h"

class CairoCanvas;
struct OutputCanvasRelease {
    void operator()(CairoCanvas* canvas) const;
};
using OutputCanvas = std::unique_ptr<CairoCanvas, OutputCanvasRelease>;

class ClockPicture {
public:
    // A picture of width × height pixels with a clock in each rectangle (in its pixels).
    ClockPicture(int width, int height, const std::vector<ScreenRect>& clocks);
    ClockPicture(const ClockPicture&) = delete;
    ClockPicture& operator=(const ClockPicture&) = delete;
    ~ClockPicture();

    bool Valid() const;
    cairo_surface_t* Surface() const { return picture_; }
    // Draws every clock at `now` (their dials anew first when `dialDirty`) and adds to `changed`
    // what differs from the last frame: the whole picture the first time.
    // The clocks of a monitor are its local clock and its world clocks, in order.
    void Compose(const ClockSettings& settings, const WorldClocks& world, const ClockReading& now, const char* homePage,
                 bool dialDirty, cairo_region_t* changed);

private:
    cairo_surface_t* picture_;
    std::vector<ScreenRect> rects_;
    std::vector<OutputCanvas> canvases_;
    bool composed_ = false;
};
