// The renderer as an output uses it: the output's composed picture, black with a clock canvas over
// each clock's rectangle, drawn in place and incrementally into whichever of the output's buffers
// is free. Every use of the renderer's interface is in clock_frame_wayland.cpp.
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

    int Width() const { return width_; }
    // Draws every clock at `now` (their dials anew first when `dialDirty`) into `pixels`, rows of
    // `stride` bytes of the picture's size that hold the last frame composed (black before the
    // first), and adds to `changed` what differs from that frame: the whole picture the first
    // time; and to `drawn` the part of it that was drawn (the rest holds that frame's pixels).
    // A clock whose layers cannot be made stays black.
    // The clocks of a monitor are its local clock and its world clocks, in order.
    void Compose(unsigned char* pixels, int stride, const ClockSettings& settings, const WorldClocks& world,
                 const ClockReading& now, const char* homePage, bool dialDirty, cairo_region_t* changed,
                 cairo_region_t* drawn);

private:
    int width_;
    int height_;
    std::vector<ScreenRect> rects_;
    std::vector<OutputCanvas> canvases_;
};
