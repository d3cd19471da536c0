#include "host/wayland/clock_frame_wayland.h"

#include "render/render_clock_cairo.h"

void OutputCanvasRelease::operator()(CairoCanvas* canvas) const { delete canvas; }

ClockPicture::ClockPicture(int width, int height, const std::vector<ScreenRect>& clocks)
    : width_(width), height_(height), rects_(clocks) {}

ClockPicture::~ClockPicture() = default;

void ClockPicture::Compose(unsigned char* pixels, int stride, const ClockSettings& settings, const WorldClocks& world,
                           const ClockReading& now, const char* homePage, bool dialDirty, cairo_region_t* changed,
                           cairo_region_t* drawn) {
    const bool first = canvases_.empty();
    const auto place = [&](const ScreenRect& r) {
        return pixels + r.top * stride + r.left * static_cast<int>(sizeof(uint32_t));
    };
    if (first) {
        for (const ScreenRect& r : rects_) {
            canvases_.emplace_back(new CairoCanvas(r.right - r.left, r.bottom - r.top, place(r), stride));
            canvases_.back()->incremental = true;
        }
    }
    for (size_t i = 0; i < canvases_.size(); ++i) {
        CairoCanvas& canvas = *canvases_[i];
        canvas.MoveFrame(place(rects_[i]), stride);
        if (!canvas.Valid()) continue;
        if (dialDirty) canvas.faceDirty = true;
        const int clock = static_cast<int>(i) % world.Count();
        const LocalDateTime time = world.TimeOf(clock, now);
        const ClockRole role{world.Count() > 1, world.CaptionOf(clock, time, now.local)};
        RenderClockFrame(canvas, SceneOf(canvas, settings, time, true, homePage, role));
        for (const auto& [region, into] : {std::pair{canvas.ChangedRegion(), changed}, std::pair{canvas.DrawnRegion(), drawn}}) {
            if (region == nullptr) continue;
            cairo_region_translate(region.get(), rects_[i].left, rects_[i].top);
            cairo_region_union(into, region.get());
        }
    }
    if (first) {
        const cairo_rectangle_int_t all{0, 0, width_, height_};
        cairo_region_union_rectangle(changed, &all);
        cairo_region_union_rectangle(drawn, &all);
    }
}
