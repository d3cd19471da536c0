#include "render/row_painter_cairo.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>

#include <emmintrin.h>

#include "render/clock_front.h"
#include "render/extents_painter.h"

namespace {

// Each byte times a / 255, rounded as pixman rounds it, two bytes at a time.
inline uint32_t Scale(uint32_t x, uint32_t a) {
    uint32_t rb = (x & 0xFF00FF) * a + 0x800080;
    rb = ((rb + ((rb >> 8) & 0xFF00FF)) >> 8) & 0xFF00FF;
    uint32_t ag = ((x >> 8) & 0xFF00FF) * a + 0x800080;
    ag = (ag + ((ag >> 8) & 0xFF00FF)) & 0xFF00FF00;
    return rb | ag;
}

// Each byte the sum of the two, at most 255.
inline uint32_t AddBytes(uint32_t x, uint32_t y) {
    uint32_t rb = (x & 0xFF00FF) + (y & 0xFF00FF);
    rb = (rb | (0x1000100 - ((rb >> 8) & 0xFF00FF))) & 0xFF00FF;
    uint32_t ag = ((x >> 8) & 0xFF00FF) + ((y >> 8) & 0xFF00FF);
    ag = (ag | (0x1000100 - ((ag >> 8) & 0xFF00FF))) & 0xFF00FF;
    return rb | (ag << 8);
}

// Premultiplied source over the pixel.
inline uint32_t Over(uint32_t source, uint32_t pixel) { return AddBytes(source, Scale(pixel, 255 - (source >> 24))); }

// Four pixels of 16-bit channels, two in each half, times four coverages a / 255, rounded as
// pixman rounds them.
inline void Scale4(__m128i& lo, __m128i& hi, __m128i aLo, __m128i aHi) {
    const __m128i half = _mm_set1_epi16(0x80), spread = _mm_set1_epi16(0x101);
    lo = _mm_mulhi_epu16(_mm_adds_epu16(_mm_mullo_epi16(lo, aLo), half), spread);
    hi = _mm_mulhi_epu16(_mm_adds_epu16(_mm_mullo_epi16(hi, aHi), half), spread);
}

// Each 16-bit pixel's alpha in all four of its channels.
inline __m128i AlphaOf(__m128i pixels) {
    return _mm_shufflehi_epi16(_mm_shufflelo_epi16(pixels, _MM_SHUFFLE(3, 3, 3, 3)), _MM_SHUFFLE(3, 3, 3, 3));
}

// Four premultiplied source pixels over four pixels of the row: the source packed, and 255 less
// each source pixel's alpha in its four 16-bit channels.
inline void Over4(uint32_t* row, __m128i source, __m128i lessLo, __m128i lessHi) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row));
    __m128i dLo = _mm_unpacklo_epi8(d, zero), dHi = _mm_unpackhi_epi8(d, zero);
    Scale4(dLo, dHi, lessLo, lessHi);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(row), _mm_adds_epu8(source, _mm_packus_epi16(dLo, dHi)));
}

// The same, the source in 16-bit channels.
inline void Over4(uint32_t* row, __m128i sLo, __m128i sHi) {
    const __m128i full = _mm_set1_epi16(0xFF);
    Over4(row, _mm_packus_epi16(sLo, sHi), _mm_xor_si128(AlphaOf(sLo), full), _mm_xor_si128(AlphaOf(sHi), full));
}

// The premultiplied colour through the coverages over the row's pixels [from, to).
void LayColor(uint32_t* row, const uint8_t* cover, int32_t from, int32_t to, uint32_t color) {
    const bool opaque = color >> 24 == 0xFF;
    const __m128i zero = _mm_setzero_si128(), full = _mm_set1_epi8(-1);
    const __m128i solid = _mm_set1_epi32(static_cast<int>(color)), c = _mm_unpacklo_epi8(solid, zero);
    const __m128i less = _mm_xor_si128(AlphaOf(c), _mm_set1_epi16(0xFF));
    // Four pixels under full coverage.
    const auto whole = [&](int32_t at) {
        if (opaque) {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(row + at), solid);
        } else {
            Over4(row + at, solid, less, less);
        }
    };
    const auto four = [&](int32_t at) {
        uint32_t m4;
        std::memcpy(&m4, cover + at, sizeof m4);
        if (m4 == 0) return;
        if (m4 == 0xFFFFFFFF) return whole(at);
        const __m128i m8 = _mm_unpacklo_epi8(_mm_cvtsi32_si128(static_cast<int>(m4)), zero);
        const __m128i m = _mm_unpacklo_epi16(m8, m8);
        __m128i sLo = c, sHi = c;
        Scale4(sLo, sHi, _mm_unpacklo_epi32(m, m), _mm_unpackhi_epi32(m, m));
        Over4(row + at, sLo, sHi);
    };
    int32_t x = from;
    // Sixteen at a time where the coverage is none or full.
    for (; x + 16 <= to; x += 16) {
        const __m128i sixteen = _mm_loadu_si128(reinterpret_cast<const __m128i*>(cover + x));
        if (_mm_movemask_epi8(_mm_cmpeq_epi8(sixteen, zero)) == 0xFFFF) continue;
        if (_mm_movemask_epi8(_mm_cmpeq_epi8(sixteen, full)) == 0xFFFF) {
            for (int32_t k = 0; k < 16; k += 4) whole(x + k);
            continue;
        }
        for (int32_t k = 0; k < 16; k += 4) four(x + k);
    }
    for (; x + 4 <= to; x += 4) four(x);
    for (; x < to; ++x) {
        const uint32_t m = cover[x];
        if (m != 0) row[x] = m == 255 && opaque ? color : Over(m == 255 ? color : Scale(color, m), row[x]);
    }
}

// The premultiplied layer's pixels [from, to) over the row's.
void LayImage(uint32_t* row, const uint32_t* source, int32_t from, int32_t to) {
    const __m128i zero = _mm_setzero_si128();
    int32_t x = from;
    for (; x + 4 <= to; x += 4) {
        const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + x));
        if (_mm_movemask_epi8(_mm_cmpeq_epi32(s, zero)) == 0xFFFF) continue;
        if ((_mm_movemask_epi8(_mm_cmpeq_epi8(s, _mm_set1_epi32(-1))) & 0x8888) == 0x8888) {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(row + x), s);
            continue;
        }
        const __m128i full = _mm_set1_epi16(0xFF);
        Over4(row + x, s, _mm_xor_si128(AlphaOf(_mm_unpacklo_epi8(s, zero)), full),
              _mm_xor_si128(AlphaOf(_mm_unpackhi_epi8(s, zero)), full));
    }
    for (; x < to; ++x) {
        if (source[x] != 0) row[x] = Over(source[x], row[x]);
    }
}

// Adds the coverages up to full.
void AddCoverage(uint8_t* into, const uint8_t* from, int32_t count) {
    int32_t x = 0;
    for (; x + 16 <= count; x += 16) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(into + x));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + x));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(into + x), _mm_adds_epu8(a, b));
    }
    for (; x < count; ++x) into[x] = static_cast<uint8_t>(std::min(255, into[x] + from[x]));
}

using Range = RowPainter::Range;

// The smallest range holding both; an empty one adds nothing.
Range Joined(Range a, Range b) {
    if (a.from >= a.to) return b;
    if (b.from >= b.to) return a;
    return {std::min(a.from, b.from), std::max(a.to, b.to)};
}

// The range within the other.
Range Clipped(Range r, Range within) { return {std::max(r.from, within.from), std::min(r.to, within.to)}; }

}  // namespace

RowPainter::RowPainter(FrameMasks& masks, const std::vector<IntBox>& area) : masks_(masks), area_(area) {}

void RowPainter::Unsupported(const std::function<void(ClockPainter&)>& step) {
    ExtentsPainter probe;
    step(probe);
    for (const IntBox& part : probe.Boxes()) {
        for (IntBox box : area_) failed_ = failed_ || CutBox(box, part);
    }
}

bool RowPainter::AddMask(Step& step, const IntBox& box, int32_t lineWidth) {
    const FrameMasks::Placed placed = masks_.MaskFor(box, lineWidth);
    if (placed.mask == nullptr) return false;
    step.sources.push_back({cairo_image_surface_get_data(placed.mask), cairo_image_surface_get_stride(placed.mask),
                            {placed.left, placed.top, cairo_image_surface_get_width(placed.mask),
                             cairo_image_surface_get_height(placed.mask)},
                            nullptr, 0, 0, nullptr, true});
    return true;
}

PolygonCoverage* RowPainter::AddPolygon(const FloatPoint* points, int count) {
    polygons_.push_back(std::make_unique<PolygonCoverage>(points, count));
    return polygons_.back().get();
}

void RowPainter::FillRectangle(const IntBox& box, uint32_t argb) {
    Unsupported([&](ClockPainter& p) { p.FillRectangle(box, argb); });
}

void RowPainter::FillEllipse(const IntBox& box, uint32_t argb) {
    Step step{masks_.Premultiplied(argb), {}, {}, {}};
    if (!AddMask(step, box, 0)) return Unsupported([&](ClockPainter& p) { p.FillEllipse(box, argb); });
    steps_.push_back(std::move(step));
}

void RowPainter::DrawEllipse(const IntBox& box, uint32_t argb, int32_t width) {
    Step step{masks_.Premultiplied(argb), {}, {}, {}};
    if (width <= 0 || !AddMask(step, box, width)) {
        return Unsupported([&](ClockPainter& p) { p.DrawEllipse(box, argb, width); });
    }
    steps_.push_back(std::move(step));
}

void RowPainter::FillEllipseGradient(const IntBox& box, IntPoint from, IntPoint to, uint32_t fromArgb,
                                     uint32_t toArgb) {
    Unsupported([&](ClockPainter& p) { p.FillEllipseGradient(box, from, to, fromArgb, toArgb); });
}

void RowPainter::DrawLine(FloatPoint from, FloatPoint to, uint32_t argb, int32_t width) {
    Unsupported([&](ClockPainter& p) { p.DrawLine(from, to, argb, width); });
}

void RowPainter::FillPolygon(const FloatPoint* points, int count, uint32_t argb) {
    Step step{masks_.Premultiplied(argb), {}, {}, {}};
    // The Cairo painter puts the union's figure on again, moved by whole pixels (the needle over
    // its shadow): read from it, the coverage is the same to the last bit.
    int32_t dx = 0, dy = 0;
    if (figure_ != nullptr && MovedByWholePixels(figurePoints_, points, count, dx, dy)) {
        step.sources.push_back({nullptr, 0, {}, figure_, dx, dy, nullptr, true});
    } else {
        step.sources.push_back({nullptr, 0, {}, AddPolygon(points, count), 0, 0, nullptr, true});
    }
    steps_.push_back(std::move(step));
}

void RowPainter::FillUnion(const UnionShape* shapes, int count, uint32_t argb) {
    Step step{masks_.Premultiplied(argb), {}, {}, {}};
    figure_ = nullptr;
    figurePoints_.clear();
    for (int i = 0; i < count; ++i) {
        const UnionShape& shape = shapes[i];
        if (shape.kind == UnionShape::Kind::Held) {
            cairo_surface_t* held = masks_.heldShadows.get();
            if (held == nullptr) continue;
            step.sources.push_back({cairo_image_surface_get_data(held), cairo_image_surface_get_stride(held), shape.box,
                                    nullptr, 0, 0, &masks_.heldShadowRows, false});
            step.sources.back().box.width = cairo_image_surface_get_width(held);
            step.sources.back().box.height = cairo_image_surface_get_height(held);
        } else if (shape.kind == UnionShape::Kind::Ellipse) {
            if (!AddMask(step, shape.box, 0)) return Unsupported([&](ClockPainter& p) { p.FillUnion(shapes, count, argb); });
        } else if (figure_ == nullptr) {
            figure_ = AddPolygon(shape.points, shape.pointCount);
            figurePoints_.assign(shape.points, shape.points + shape.pointCount);
            step.sources.push_back({nullptr, 0, {}, figure_, 0, 0, nullptr, true});
        } else {
            // Further polygons the Cairo painter rasterizes together, by its own rule.
            figure_ = nullptr;
            return Unsupported([&](ClockPainter& p) { p.FillUnion(shapes, count, argb); });
        }
    }
    steps_.push_back(std::move(step));
}

void RowPainter::PutHeldHands(const HeldStill& held) {
    cairo_surface_t* hands = masks_.heldHands.get();
    if (hands == nullptr) return;
    steps_.push_back({0, {}, {cairo_image_surface_get_data(hands), cairo_image_surface_get_stride(hands),
                              {held.hands.left, held.hands.top, cairo_image_surface_get_width(hands),
                               cairo_image_surface_get_height(hands)},
                              nullptr, 0, 0, &masks_.heldHandRows, false},
                      {}});
}

void RowPainter::DrawCentredText(const char16_t* text, const FloatBox& box, float emSize, uint32_t argb) {
    Unsupported([&](ClockPainter& p) { p.DrawCentredText(text, box, emSize, argb); });
}

void RowPainter::DrawOutlinedText(const char16_t* text, const IntBox& box, float emSize, uint32_t fillArgb,
                                  uint32_t outlineArgb, float outlineWidth) {
    Unsupported([&](ClockPainter& p) { p.DrawOutlinedText(text, box, emSize, fillArgb, outlineArgb, outlineWidth); });
}

void RowPainter::DrawBannerText(const char* text, const IntBox& strip, const char* fontFamily, int32_t fontHeight,
                                uint32_t argb) {
    Unsupported([&](ClockPainter& p) { p.DrawBannerText(text, strip, fontFamily, fontHeight, argb); });
}

void ShiftedDial::CopyRow(uint32_t* row, int32_t y, int32_t from, int32_t to) const {
    const int32_t sourceY = y - offset.y;
    const int32_t left = std::clamp(offset.x, from, to), right = std::clamp(width + offset.x, left, to);
    if (sourceY < 0 || sourceY >= height || left >= right) {
        std::fill(row + from, row + to, ground);
        return;
    }
    std::fill(row + from, row + left, ground);
    std::memcpy(row + left, data + static_cast<ptrdiff_t>(sourceY) * stride + static_cast<ptrdiff_t>(left - offset.x) * 4,
                static_cast<size_t>(right - left) * sizeof(uint32_t));
    std::fill(row + right, row + to, ground);
}

RowPainter::MovingRows RowPainter::Lay(unsigned char* frame, int stride, const ShiftedDial& dial,
                                       const MovingRows* last, std::vector<IntBox>& drawn) {
    // The area's boxes may overlap: each pixel is laid once. The region's rectangles come in
    // bands of rows; a band's rows are laid one by one across its rectangles, so that a polygon's
    // row is computed once.
    const CairoRegion region = RegionOf(area_);
    std::vector<cairo_rectangle_int_t> rects(static_cast<size_t>(cairo_region_num_rectangles(region.get())));
    for (size_t i = 0; i < rects.size(); ++i) cairo_region_get_rectangle(region.get(), static_cast<int>(i), &rects[i]);
    // The rows each step reaches, so that a row passes over the others at once.
    const auto rowsOf = [](const Source& s) {
        return s.polygon != nullptr ? Range{s.polygon->Top() - s.dy, s.polygon->Bottom() - s.dy}
                                    : Range{s.box.top, s.box.top + s.box.height};
    };
    for (Step& step : steps_) {
        step.rows = step.image.data != nullptr ? rowsOf(step.image) : Range{0, 0};
        for (const Source& s : step.sources) {
            const Range r = rowsOf(s);
            step.rows = Joined(step.rows, r);
        }
    }
    MovingRows moving;
    cairo_rectangle_int_t extent;
    cairo_region_get_extents(region.get(), &extent);
    moving.top = extent.y;
    moving.rows.assign(static_cast<size_t>(extent.height), {0, 0});
    drawn.clear();
    // A rectangle's rows laid over the same columns, grown into one box while they stay so.
    std::vector<IntBox> open(rects.size(), IntBox{0, 0, 0, 0});
    const auto close = [&](size_t i) {
        if (open[i].width > 0 && open[i].height > 0) drawn.push_back(open[i]);
        open[i] = {0, 0, 0, 0};
    };
    std::vector<uint8_t> coverage;
    std::vector<Step*> entered;
    for (size_t first = 0; first < rects.size();) {
        size_t end = first;
        int32_t widest = 0;
        while (end < rects.size() && rects[end].y == rects[first].y) widest = std::max(widest, rects[end++].width);
        coverage.resize(std::max(coverage.size(), static_cast<size_t>(widest)));
        for (int32_t y = rects[first].y; y < rects[first].y + rects[first].height; ++y) {
            auto* row = reinterpret_cast<uint32_t*>(frame + static_cast<ptrdiff_t>(y) * stride);
            // Where the figures lie in this row, this frame and the last.
            Range now{0, 0};
            entered.clear();
            for (Step& step : steps_) {
                if (!Enter(step, y)) continue;
                entered.push_back(&step);
                for (const Source& s : step.sources) {
                    if (s.moving) now = Joined(now, s.cols);
                }
            }
            moving.rows[static_cast<size_t>(y - moving.top)] = now;
            Range round{INT32_MIN / 2, INT32_MAX / 2};
            if (last != nullptr) {
                const Range before = y >= last->top && y - last->top < static_cast<int32_t>(last->rows.size())
                                         ? last->rows[static_cast<size_t>(y - last->top)]
                                         : Range{0, 0};
                round = Joined(now, before);
                // Whole lines of the cache: a few pixels more cost nothing, and more rows share a box.
                constexpr int32_t Line = 16;
                const auto down = [](int32_t x) { return x >= 0 ? x / Line * Line : -((-x + Line - 1) / Line) * Line; };
                if (round.from < round.to) round = {down(round.from), down(round.to + Line - 1)};
            }
            for (size_t i = first; i < end; ++i) {
                const Range within{std::max(rects[i].x, round.from), std::min(rects[i].x + rects[i].width, round.to)};
                const bool laid = within.from < within.to;
                if (!laid || open[i].left != within.from || open[i].width != within.to - within.from) {
                    close(i);
                    if (laid) open[i] = {within.from, y, within.to - within.from, 0};
                }
                if (!laid) continue;
                ++open[i].height;
                dial.CopyRow(row, y, within.from, within.to);
                for (const Step* step : entered) LayStep(*step, row, within, coverage.data());
            }
        }
        for (size_t i = first; i < end; ++i) close(i);
        first = end;
    }
    return moving;
}

bool RowPainter::Enter(Step& step, int32_t y) {
    if (y < step.rows.from || y >= step.rows.to) return false;
    bool any = false;
    const auto enter = [&](Source& s, ptrdiff_t pixelBytes) {
        s.cols = {0, 0};
        if (s.polygon != nullptr) {
            PolygonCoverage::Span span{};
            const uint8_t* coverage = s.polygon->RowOf(y + s.dy, span);
            if (span.from < span.to) s.cols = {span.from - s.dx, span.to - s.dx}, s.line = coverage + s.dx;
        } else if (y >= s.box.top && y < s.box.top + s.box.height) {
            s.cols = {s.box.left, s.box.left + s.box.width};
            if (s.rows != nullptr && static_cast<size_t>(y - s.box.top) < s.rows->size()) {
                const auto& [from, to] = (*s.rows)[static_cast<size_t>(y - s.box.top)];
                s.cols = {s.box.left + from, s.box.left + to};
            }
            s.line = s.data + static_cast<ptrdiff_t>(y - s.box.top) * s.stride - s.box.left * pixelBytes;
        }
        any = any || s.cols.from < s.cols.to;
    };
    if (step.image.data != nullptr) enter(step.image, 4);
    for (Source& s : step.sources) enter(s, 1);
    return any;
}

void RowPainter::LayStep(const Step& step, uint32_t* row, Range within, uint8_t* buffer) {
    const Source& image = step.image;
    if (image.data != nullptr) {
        const Range cols = Clipped(image.cols, within);
        if (cols.from < cols.to) LayImage(row, reinterpret_cast<const uint32_t*>(image.line), cols.from, cols.to);
        return;
    }
    Range all{within.to, within.from};
    const Source* only = nullptr;
    int meeting = 0;
    for (const Source& s : step.sources) {
        const Range cols = Clipped(s.cols, within);
        if (cols.from >= cols.to) continue;
        all = Joined(all, cols);
        only = &s;
        ++meeting;
    }
    if (meeting == 0) return;
    // One source alone in the row: its coverage is laid as it stands.
    if (meeting == 1) return LayColor(row, only->line, all.from, all.to, step.color);
    uint8_t* cover = buffer - all.from;
    std::memset(cover + all.from, 0, static_cast<size_t>(all.to - all.from));
    for (const Source& s : step.sources) {
        const Range cols = Clipped(s.cols, all);
        if (cols.from < cols.to) AddCoverage(cover + cols.from, s.line + cols.from, cols.to - cols.from);
    }
    LayColor(row, cover, all.from, all.to, step.color);
}
