#include "host/wayland/clock_frame_wayland.h"

#include "render/render_clock_cairo.h"

void OutputCanvasRelease::operator()(CairoCanvas* canvas) const { delete canvas; }

ClockPicture::ClockPicture(int width, int height, const std::vector<ScreenRect>& clocks)
    : picture_(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height)), rects_(clocks) {
    if (!Valid()) return;
    // Black where no clock is; each clock's canvas then draws in place in its rectangle.
    cairo_t* cr = cairo_create(picture_);
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_paint(cr);
    cairo_destroy(cr);
    cairo_surface_flush(picture_);
    const int stride = cairo_image_surface_get_stride(picture_);
    unsigned char* pixels = cairo_image_surface_get_data(picture_);
    for (const ScreenRect& r : rects_) {
        unsigned char* place = pixels + r.top * stride + r.left * static_cast<int>(sizeof(uint32_t));
        canvases_.emplace_back(new CairoCanvas(r.right - r.left, r.bottom - r.top, place, stride));
        canvases_.back()->incremental = true;
    }
}

ClockPicture::~ClockPicture() {
    canvases_.clear();
    cairo_surface_destroy(picture_);
}

bool ClockPicture::Valid() const { return cairo_surface_status(picture_) == CAIRO_STATUS_SUCCESS; }

void ClockPicture::Compose(const ClockSettings& settings, const WorldClocks& world, const ClockReading& now,
                           const char* homePage, bool dialDirty, cairo_region_t* changed) {
    for (size_t i = 0; i < canvases_.size(); ++i) {
        CairoCanvas& canvas = *canvases_[i];
        if (!canvas.Valid()) continue;
        if (dialDirty) canvas.faceDirty = true;
        const int clock = static_cast<int>(i) % world.Count();
        const LocalDateTime time = world.TimeOf(clock, now);
        const ClockRole role{world.Count() > 1, world.CaptionOf(clock, time, now.local)};
        RenderClockFrame(canvas, SceneOf(canvas, settings, time, true, homePage, role));
        if (CairoRegion region = canvas.ChangedRegion(); region != nullptr) {
            cairo_region_translate(region.get(), rects_[i].left, rects_[i].top);
            cairo_region_union(changed, region.get());
        }
    }
    if (!composed_) {
        const cairo_rectangle_int_t all{0, 0, cairo_image_surface_get_width(picture_),
                                        cairo_image_surface_get_height(picture_)};
        cairo_region_union_rectangle(changed, &all);
        composed_ = true;
    }
}
