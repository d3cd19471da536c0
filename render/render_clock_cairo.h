// The clock renderer on Linux: the recipe carried out by the Cairo painter on two image
// surfaces of one size, a cached dial and the frame built over it.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <ctime>
#include <memory>

#include "settings/clock_settings.h"

struct CairoSurfaceRelease {
    void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
using CairoSurface = std::unique_ptr<cairo_surface_t, CairoSurfaceRelease>;

struct CairoRegionRelease {
    void operator()(cairo_region_t* region) const { cairo_region_destroy(region); }
};
using CairoRegion = std::unique_ptr<cairo_region_t, CairoRegionRelease>;

// Two opaque layers of the canvas size and the dial-cache flag. Pixels are 32-bit words
// 0x00RRGGBB, rows from the top, `Stride()` bytes apart.
class CairoCanvas {
public:
    // The frame layer may live in memory the caller owns (e.g. shared with a display), of
    // Stride() times height bytes; it must outlive the canvas.
    CairoCanvas(int32_t width, int32_t height, unsigned char* frameMemory = nullptr);
    bool Valid() const;
    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }
    int Stride() const;
    cairo_surface_t* Face() const { return face_.get(); }
    cairo_surface_t* Frame() const { return frame_.get(); }
    // The frame's pixel at (x, y) as 0x00RRGGBB; 0xFFFFFFFF outside the canvas.
    uint32_t FramePixel(int32_t x, int32_t y) const;

    bool faceDirty = true;
    // Where the frame differs from the dial: what the last composed frame drew over it. Null
    // while that is unknown (no frame yet, or a dial drawn since).
    CairoRegion overDial;

private:
    int32_t width_;
    int32_t height_;
    CairoSurface face_;
    CairoSurface frame_;
};

// One render call's inputs: the settings, one reading of the local time (its date for the
// date logo), whether the run is full-screen (the banner) and the banner's address.
struct ClockCall {
    const ClockSettings& settings;
    std::tm time;
    bool fullScreen;
    const char* homePage;
};

// The short date of the time in the user's locale (LC_TIME, as setlocale set it up), as UTF-16.
std::u16string ShortDateOf(const std::tm& time);

// Draws the static dial into the face layer.
void DrawDialFace(CairoCanvas& canvas, const ClockCall& call);
// Copies the dial into the frame and draws the shadow, hands, cap and banner over it.
void ComposeFrame(CairoCanvas& canvas, const ClockCall& call);
// The same frame, pixel for pixel, built by restoring the dial and redrawing only where the last
// frame or this one draws. Returns that region: what a window must be shown anew (the whole
// canvas when the frame over the dial is unknown).
CairoRegion ComposeFrameChanges(CairoCanvas& canvas, const ClockCall& call);
// Both phases: the dial first while faceDirty is set, then the frame. Never clears faceDirty:
// the caller does, once the frame has been shown.
void RenderClockWith(CairoCanvas& canvas, const ClockCall& call);
// Both phases, the frame by its changes; returns the region that changed.
CairoRegion RenderClockChanges(CairoCanvas& canvas, const ClockCall& call);

// Writes the frame as a PNG; false when it cannot be written.
bool SaveFrameAsPng(const CairoCanvas& canvas, const char* path);
