#include "render/render_clock_cairo.h"

#include <cstring>
#include <cwchar>

#include "render/cairo_painter_cairo.h"
#include "render/clock_recipe.h"
#include "render/extents_painter.h"

namespace {

CairoSurface OpaqueLayer(int32_t width, int32_t height) {
    return CairoSurface(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height));
}

ClockScene SceneOf(const CairoCanvas& canvas, const ClockCall& call, const char16_t* dateText) {
    return ClockScene{canvas.Width(),
                      canvas.Height(),
                      call.settings,
                      ClockTime{call.time.tm_hour, call.time.tm_min, call.time.tm_sec},
                      call.fullScreen,
                      dateText,
                      call.homePage};
}

CairoRegion WholeCanvas(const CairoCanvas& canvas) {
    const cairo_rectangle_int_t all{0, 0, canvas.Width(), canvas.Height()};
    return CairoRegion(cairo_region_create_rectangle(&all));
}

// The part of the canvas the frame steps of this scene draw into.
CairoRegion DrawnBy(const CairoCanvas& canvas, const ClockScene& scene) {
    ExtentsPainter extents;
    PaintHands(extents, scene);
    CairoRegion region(cairo_region_create());
    for (const IntBox& box : extents.Boxes()) {
        const cairo_rectangle_int_t rectangle{box.left, box.top, box.width, box.height};
        cairo_region_union_rectangle(region.get(), &rectangle);
    }
    const CairoRegion all = WholeCanvas(canvas);
    cairo_region_intersect(region.get(), all.get());
    return region;
}

// Copies the dial into the frame within the region, row by row.
void RestoreDial(const CairoCanvas& canvas, const cairo_region_t* region) {
    cairo_surface_flush(canvas.Face());
    cairo_surface_flush(canvas.Frame());
    const unsigned char* face = cairo_image_surface_get_data(canvas.Face());
    unsigned char* frame = cairo_image_surface_get_data(canvas.Frame());
    const size_t stride = canvas.Stride();
    for (int i = 0; i < cairo_region_num_rectangles(region); ++i) {
        cairo_rectangle_int_t r;
        cairo_region_get_rectangle(region, i, &r);
        for (int y = r.y; y < r.y + r.height; ++y) {
            const size_t offset = y * stride + static_cast<size_t>(r.x) * sizeof(uint32_t);
            std::memcpy(frame + offset, face + offset, static_cast<size_t>(r.width) * sizeof(uint32_t));
        }
    }
    cairo_surface_mark_dirty(canvas.Frame());
}

void PaintFrame(CairoCanvas& canvas, const ClockScene& scene) {
    CairoPainter painter(canvas.Frame());
    PaintHands(painter, scene);
}

}  // namespace

CairoCanvas::CairoCanvas(int32_t width, int32_t height, unsigned char* frameMemory)
    : width_(width), height_(height), face_(OpaqueLayer(width, height)) {
    frame_.reset(frameMemory == nullptr ? cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height)
                                        : cairo_image_surface_create_for_data(
                                              frameMemory, CAIRO_FORMAT_RGB24, width, height,
                                              cairo_format_stride_for_width(CAIRO_FORMAT_RGB24, width)));
}

bool CairoCanvas::Valid() const {
    return cairo_surface_status(face_.get()) == CAIRO_STATUS_SUCCESS &&
           cairo_surface_status(frame_.get()) == CAIRO_STATUS_SUCCESS;
}

int CairoCanvas::Stride() const { return cairo_image_surface_get_stride(frame_.get()); }

uint32_t CairoCanvas::FramePixel(int32_t x, int32_t y) const {
    if (!Valid() || x < 0 || y < 0 || x >= width_ || y >= height_) return 0xFFFFFFFF;
    cairo_surface_flush(frame_.get());
    const unsigned char* row = cairo_image_surface_get_data(frame_.get()) + static_cast<size_t>(y) * Stride();
    uint32_t pixel;
    std::memcpy(&pixel, row + static_cast<size_t>(x) * sizeof pixel, sizeof pixel);
    return pixel & 0xFFFFFF;
}

std::u16string ShortDateOf(const std::tm& time) {
    wchar_t text[SettingsTextCapacity];
    if (std::wcsftime(text, SettingsTextCapacity, L"%x", &time) == 0) return u"";
    std::u16string date;
    for (const wchar_t* c = text; *c != L'\0'; ++c) {
        const auto code = static_cast<char32_t>(*c);
        if (code >= 0x10000) {
            date += static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
            date += static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
        } else {
            date += static_cast<char16_t>(code);
        }
    }
    return date;
}

void DrawDialFace(CairoCanvas& canvas, const ClockCall& call) {
    if (!canvas.Valid()) return;
    std::u16string date;
    if (LogoModeOf(call.settings.showLogo) == LogoMode::Date) date = ShortDateOf(call.time);
    CairoPainter painter(canvas.Face());
    PaintDial(painter, SceneOf(canvas, call, date.c_str()));
    canvas.overDial.reset();
}

void ComposeFrame(CairoCanvas& canvas, const ClockCall& call) {
    if (!canvas.Valid()) return;
    // Both layers have one format and size, so the copy is one block of memory.
    cairo_surface_flush(canvas.Face());
    cairo_surface_flush(canvas.Frame());
    std::memcpy(cairo_image_surface_get_data(canvas.Frame()), cairo_image_surface_get_data(canvas.Face()),
                static_cast<size_t>(canvas.Stride()) * canvas.Height());
    cairo_surface_mark_dirty(canvas.Frame());
    const ClockScene scene = SceneOf(canvas, call, u"");
    canvas.overDial = DrawnBy(canvas, scene);
    PaintFrame(canvas, scene);
}

CairoRegion ComposeFrameChanges(CairoCanvas& canvas, const ClockCall& call) {
    if (!canvas.Valid()) return CairoRegion(cairo_region_create());
    if (canvas.overDial == nullptr) {
        ComposeFrame(canvas, call);
        return WholeCanvas(canvas);
    }
    // What the last frame drew goes back to the dial; the window then needs that and whatever
    // this frame draws.
    RestoreDial(canvas, canvas.overDial.get());
    const ClockScene scene = SceneOf(canvas, call, u"");
    CairoRegion drawn = DrawnBy(canvas, scene);
    CairoRegion changed(cairo_region_copy(drawn.get()));
    cairo_region_union(changed.get(), canvas.overDial.get());
    canvas.overDial = std::move(drawn);
    PaintFrame(canvas, scene);
    return changed;
}

void RenderClockWith(CairoCanvas& canvas, const ClockCall& call) {
    if (canvas.faceDirty) DrawDialFace(canvas, call);
    ComposeFrame(canvas, call);
}

CairoRegion RenderClockChanges(CairoCanvas& canvas, const ClockCall& call) {
    if (canvas.faceDirty) DrawDialFace(canvas, call);
    return ComposeFrameChanges(canvas, call);
}

bool SaveFrameAsPng(const CairoCanvas& canvas, const char* path) {
    return canvas.Valid() && cairo_surface_write_to_png(canvas.Frame(), path) == CAIRO_STATUS_SUCCESS;
}
