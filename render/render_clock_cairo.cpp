#include "render/render_clock_cairo.h"

#include <algorithm>
#include <cstring>
#include <cwchar>

#include "render/cairo_painter_cairo.h"
#include "render/clock_recipe.h"
#include "render/extents_painter.h"
#include "render/row_painter_cairo.h"

namespace {

CairoSurface OpaqueLayer(int32_t width, int32_t height) {
    return CairoSurface(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height));
}

ShiftedDial DialOf(const CairoCanvas& canvas, IntPoint offset, uint32_t ground) {
    cairo_surface_t* face = canvas.Face();
    return {cairo_image_surface_get_data(face), cairo_image_surface_get_stride(face), cairo_image_surface_get_width(face),
            cairo_image_surface_get_height(face), offset, ground};
}

// Copies the dial, laid at `offset`, into the frame within the rectangle, row by row. The frame's
// rows may be longer than the dial's (a canvas in a rectangle of a larger picture).
void CopyShifted(const CairoCanvas& canvas, const cairo_rectangle_int_t& r, IntPoint offset, uint32_t ground) {
    const ShiftedDial dial = DialOf(canvas, offset, ground);
    unsigned char* frame = cairo_image_surface_get_data(canvas.Frame());
    for (int y = r.y; y < r.y + r.height; ++y) {
        dial.CopyRow(reinterpret_cast<uint32_t*>(frame + static_cast<ptrdiff_t>(y) * canvas.Stride()), y, r.x, r.x + r.width);
    }
}

// Draws what `paint` draws into a new layer of the format round where it draws, and keeps it
// with the box it is laid at.
template <typename Paint>
bool HoldLayer(CairoSurface& held, IntBox& box, cairo_format_t format, const Paint& paint,
               std::vector<IntBox>* parts = nullptr) {
    held.reset();
    ExtentsPainter extents;
    paint(extents);
    if (parts != nullptr) *parts = extents.Boxes();
    if (extents.Boxes().empty()) return false;
    box = extents.Boxes()[0];
    for (const IntBox& each : extents.Boxes()) box = HullOf(box, each);
    CairoSurface layer(cairo_image_surface_create(format, box.width, box.height));
    if (cairo_surface_status(layer.get()) != CAIRO_STATUS_SUCCESS) return false;
    // Drawn where the frame has it; then laid at the box's corner.
    cairo_surface_set_device_offset(layer.get(), -box.left, -box.top);
    {
        CairoPainter painter(layer.get());
        paint(painter);
    }
    cairo_surface_flush(layer.get());
    cairo_surface_set_device_offset(layer.get(), 0, 0);
    held = std::move(layer);
    return true;
}

using RowSpans = std::vector<std::pair<int32_t, int32_t>>;

// For each row of the layer, the columns outside which its pixels are 0.
template <typename Pixel>
RowSpans RowsOf(cairo_surface_t* layer) {
    const unsigned char* data = cairo_image_surface_get_data(layer);
    const int stride = cairo_image_surface_get_stride(layer), width = cairo_image_surface_get_width(layer);
    RowSpans rows(static_cast<size_t>(cairo_image_surface_get_height(layer)), {0, 0});
    for (size_t y = 0; y < rows.size(); ++y) {
        const auto* row = reinterpret_cast<const Pixel*>(data + y * stride);
        int32_t from = 0, to = width;
        while (from < to && row[from] == 0) ++from;
        while (to > from && row[to - 1] == 0) --to;
        rows[y] = {from, to};
    }
    return rows;
}

}  // namespace

CairoCanvas::CairoCanvas(int32_t width, int32_t height, unsigned char* frameMemory, int frameStride)
    : width_(width), height_(height), face_(OpaqueLayer(width, height)) {
    if (frameStride == 0) frameStride = cairo_format_stride_for_width(CAIRO_FORMAT_RGB24, width);
    frame_.reset(frameMemory == nullptr
                     ? cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height)
                     : cairo_image_surface_create_for_data(frameMemory, CAIRO_FORMAT_RGB24, width, height, frameStride));
}

void CairoCanvas::MoveFrame(unsigned char* frameMemory, int frameStride) {
    if (cairo_image_surface_get_data(frame_.get()) == frameMemory) return;
    ForgetGround();
    frame_.reset(cairo_image_surface_create_for_data(frameMemory, CAIRO_FORMAT_RGB24, width_, height_, frameStride));
}

bool CairoCanvas::Valid() const {
    return cairo_surface_status(face_.get()) == CAIRO_STATUS_SUCCESS &&
           cairo_surface_status(frame_.get()) == CAIRO_STATUS_SUCCESS;
}

bool CairoCanvas::PrepareFace(int32_t width, int32_t height) {
    if (cairo_image_surface_get_width(face_.get()) == width && cairo_image_surface_get_height(face_.get()) == height) {
        return false;
    }
    face_ = OpaqueLayer(width, height);
    return true;
}

std::unique_ptr<ClockPainter> CairoCanvas::FacePainter() { return std::make_unique<CairoPainter>(face_.get()); }

std::unique_ptr<ClockPainter> CairoCanvas::FramePainter() {
    return std::make_unique<CairoPainter>(frame_.get(), &masks_);
}

bool CairoCanvas::HoldStill(const ClockScene& scene, HeldStill& held) {
    held = {};
    const bool holds =
        HoldLayer(masks_.heldShadows, held.shadows, CAIRO_FORMAT_A8,
                  [&](ClockPainter& p) { PaintStillShadows(p, scene); }) &&
        HoldLayer(
            masks_.heldHands, held.hands, CAIRO_FORMAT_ARGB32, [&](ClockPainter& p) { PaintStillHands(p, scene); },
            &held.handParts);
    masks_.heldShadowRows = holds ? RowsOf<uint8_t>(masks_.heldShadows.get()) : RowSpans();
    masks_.heldHandRows = holds ? RowsOf<uint32_t>(masks_.heldHands.get()) : RowSpans();
    ++masks_.heldCount;
    return holds;
}

CairoRegion CairoCanvas::ChangedRegion() const { return RegionOf(ChangedArea()); }

void CairoCanvas::CopyFaceToFrame(const ClockScene& scene, const std::vector<IntBox>* area) {
    cairo_surface_flush(face_.get());
    cairo_surface_flush(frame_.get());
    const IntPoint offset = scene.faceOrigin;
    const uint32_t ground = scene.palette.ground & 0xFFFFFF;
    const bool wholeFace = cairo_image_surface_get_width(face_.get()) == width_ &&
                           cairo_image_surface_get_height(face_.get()) == height_;
    if (area != nullptr) {
        // The front clipped the boxes to the canvas.
        for (const IntBox& box : *area) CopyShifted(*this, {box.left, box.top, box.width, box.height}, offset, ground);
    } else if (wholeFace && offset.x == 0 && offset.y == 0 && Stride() == cairo_image_surface_get_stride(face_.get())) {
        // Both layers have one format, size and row length, so the copy is one block of memory.
        std::memcpy(cairo_image_surface_get_data(frame_.get()), cairo_image_surface_get_data(face_.get()),
                    static_cast<size_t>(Stride()) * height_);
    } else {
        CopyShifted(*this, {0, 0, width_, height_}, offset, ground);
    }
    cairo_surface_mark_dirty(frame_.get());
}

bool CairoCanvas::DrawWithin(const ClockScene& scene, const std::vector<IntBox>& area,
                             const std::function<void(ClockPainter&)>& paint) {
    RowPainter rows(masks_, area);
    paint(rows);
    if (rows.Failed()) return false;
    cairo_surface_flush(face_.get());
    cairo_surface_flush(frame_.get());
    const uint32_t ground = scene.palette.ground & 0xFFFFFF;
    // The last frame's figures are known only after a frame drawn so over the same held hands.
    const bool known = rowsLast_ && movingHeld_ == masks_.heldCount;
    moving_ = rows.Lay(
        cairo_image_surface_get_data(frame_.get()), Stride(),
        DialOf(*this, scene.faceOrigin, ground),
        known ? &moving_ : nullptr, drawn_);
    movingHeld_ = masks_.heldCount;
    rowsNow_ = true;
    cairo_surface_mark_dirty(frame_.get());
    return true;
}

void CairoCanvas::BeginFrame() {
    rowsLast_ = rowsNow_;
    rowsNow_ = false;
}

CairoRegion CairoCanvas::DrawnRegion() const { return RegionOf(rowsNow_ ? drawn_ : ChangedArea()); }

int CairoCanvas::Stride() const { return cairo_image_surface_get_stride(frame_.get()); }

uint32_t CairoCanvas::FramePixel(int32_t x, int32_t y) const {
    if (!Valid() || x < 0 || y < 0 || x >= width_ || y >= height_) return 0xFFFFFFFF;
    cairo_surface_flush(frame_.get());
    const unsigned char* row = cairo_image_surface_get_data(frame_.get()) + static_cast<size_t>(y) * Stride();
    uint32_t pixel;
    std::memcpy(&pixel, row + static_cast<size_t>(x) * sizeof pixel, sizeof pixel);
    return pixel & 0xFFFFFF;
}

LocalDateTime LocalDateTimeOf(const std::tm& time) {
    return {time.tm_year + 1900, time.tm_mon + 1, time.tm_mday, time.tm_wday, time.tm_hour, time.tm_min, time.tm_sec};
}

LocalDateTime LocalDateTimeOf(const std::tm& time, long nanoseconds) {
    LocalDateTime local = LocalDateTimeOf(time);
    local.millisecond = static_cast<int32_t>(nanoseconds / 1'000'000);
    return local;
}

std::tm TmOf(const LocalDateTime& time) {
    std::tm tm{};
    tm.tm_year = time.year - 1900;
    tm.tm_mon = time.month - 1;
    tm.tm_mday = time.day;
    tm.tm_wday = time.dayOfWeek;
    tm.tm_hour = time.hour;
    tm.tm_min = time.minute;
    tm.tm_sec = time.second;
    tm.tm_isdst = -1;
    return tm;
}

LocalDateTime LocalTimeNow() { return ReadClock().local; }

TickInstant InstantOf(const LocalDateTime& time) {
    std::tm tm = TmOf(time);
    return {static_cast<int64_t>(std::mktime(&tm)), int64_t{time.millisecond} * 1'000'000};
}

ClockReading ReadClock() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    std::tm local{};
    localtime_r(&now.tv_sec, &local);
    return {{now.tv_sec, now.tv_nsec}, LocalDateTimeOf(local, now.tv_nsec)};
}

// The user's locale is LC_TIME, as setlocale set it up.
std::u16string ShortDateOf(const LocalDateTime& time) {
    const std::tm tm = TmOf(time);
    wchar_t text[SettingsTextCapacity];
    if (std::wcsftime(text, SettingsTextCapacity, L"%x", &tm) == 0) return u"";
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

bool SaveFrameAsPng(const CairoCanvas& canvas, const char* path) {
    return canvas.Valid() && cairo_surface_write_to_png(canvas.Frame(), path) == CAIRO_STATUS_SUCCESS;
}
