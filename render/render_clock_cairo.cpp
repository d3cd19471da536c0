#include "render/render_clock_cairo.h"

#include <cstring>
#include <cwchar>

#include "render/cairo_painter_cairo.h"
#include "render/clock_recipe.h"

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

}  // namespace

CairoCanvas::CairoCanvas(int32_t width, int32_t height)
    : width_(width), height_(height), face_(OpaqueLayer(width, height)), frame_(OpaqueLayer(width, height)) {}

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
}

void ComposeFrame(CairoCanvas& canvas, const ClockCall& call) {
    if (!canvas.Valid()) return;
    // Both layers have one format and size, so the copy is one block of memory.
    cairo_surface_flush(canvas.Face());
    cairo_surface_flush(canvas.Frame());
    std::memcpy(cairo_image_surface_get_data(canvas.Frame()), cairo_image_surface_get_data(canvas.Face()),
                static_cast<size_t>(canvas.Stride()) * canvas.Height());
    cairo_surface_mark_dirty(canvas.Frame());
    CairoPainter painter(canvas.Frame());
    PaintHands(painter, SceneOf(canvas, call, u""));
}

void RenderClockWith(CairoCanvas& canvas, const ClockCall& call) {
    if (canvas.faceDirty) DrawDialFace(canvas, call);
    ComposeFrame(canvas, call);
}

bool SaveFrameAsPng(const CairoCanvas& canvas, const char* path) {
    return canvas.Valid() && cairo_surface_write_to_png(canvas.Frame(), path) == CAIRO_STATUS_SUCCESS;
}
