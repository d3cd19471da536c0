#include "render/cairo_painter_cairo.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "common/utf8_text.h"
#include "render/clock_front.h"
#include "render/extents_painter.h"
#include "render/polygon_coverage.h"
#include "settings/clock_settings.h"

namespace {

struct FontDescriptionRelease {
    void operator()(PangoFontDescription* description) const { pango_font_description_free(description); }
};
using FontDescription = std::unique_ptr<PangoFontDescription, FontDescriptionRelease>;

struct FontMetricsRelease {
    void operator()(PangoFontMetrics* metrics) const { pango_font_metrics_unref(metrics); }
};

constexpr double FullCircle = 2 * M_PI;

FontDescription DescriptionOf(const std::string& family, double emSize) {
    FontDescription description(pango_font_description_new());
    pango_font_description_set_family(description.get(), family.c_str());
    pango_font_description_set_absolute_size(description.get(), emSize * PANGO_SCALE);
    return description;
}

bool SameFamily(const char* a, const char* b) {
    return a != nullptr && b != nullptr && g_ascii_strcasecmp(a, b) == 0;
}

// The ellipse in its box as a closed figure running clockwise on the screen, as cairo_arc
// runs with y pointing down. An empty box adds nothing: a scale of 0 would break the context.
void AddEllipse(cairo_t* cr, const IntBox& box) {
    if (box.width <= 0 || box.height <= 0) return;
    cairo_save(cr);
    cairo_translate(cr, box.left + box.width / 2.0, box.top + box.height / 2.0);
    cairo_scale(cr, box.width / 2.0, box.height / 2.0);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, FullCircle);
    cairo_close_path(cr);
    cairo_restore(cr);
}

void AddPolygon(cairo_t* cr, const FloatPoint* points, int count, bool reversed) {
    if (count <= 0) return;
    for (int k = 0; k < count; ++k) {
        const FloatPoint& p = points[reversed ? count - 1 - k : k];
        if (k == 0) {
            cairo_move_to(cr, p.x, p.y);
        } else {
            cairo_line_to(cr, p.x, p.y);
        }
    }
    cairo_close_path(cr);
}

void AddBox(cairo_t* cr, double left, double top, double width, double height) {
    cairo_rectangle(cr, left, top, width, height);
}

// Clips the context to the boxes; boxes that overlap stay in the clip only by the non-zero rule.
void ClipToBoxes(cairo_t* cr, const std::vector<IntBox>& boxes) {
    for (const IntBox& box : boxes) AddBox(cr, box.left, box.top, box.width, box.height);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    cairo_clip(cr);
}

// Zeroes the A8 layer, whose corner stands at `at`, within the boxes.
void ClearWithin(cairo_surface_t* layer, const std::vector<IntBox>& boxes, const IntBox& at) {
    cairo_surface_flush(layer);
    unsigned char* data = cairo_image_surface_get_data(layer);
    const int stride = cairo_image_surface_get_stride(layer);
    const IntBox all{0, 0, cairo_image_surface_get_width(layer), cairo_image_surface_get_height(layer)};
    for (const IntBox& box : boxes) {
        IntBox part{box.left - at.left, box.top - at.top, box.width, box.height};
        if (!CutBox(part, all)) continue;
        for (int y = part.top; y < part.top + part.height; ++y) {
            std::memset(data + static_cast<ptrdiff_t>(y) * stride + part.left, 0, static_cast<size_t>(part.width));
        }
    }
    cairo_surface_mark_dirty(layer);
}

// Lays the polygon's exact coverage into the A8 layer, whose corner stands at `at`, within the
// boxes and nothing round them.
void LayFigure(cairo_surface_t* layer, const FloatPoint* points, int count, const std::vector<IntBox>& boxes,
               const IntBox& at) {
    cairo_surface_flush(layer);
    unsigned char* data = cairo_image_surface_get_data(layer);
    const int stride = cairo_image_surface_get_stride(layer);
    PolygonCoverage coverage(points, count);
    // Boxes may overlap: each pixel is laid once.
    const CairoRegion region = RegionOf(boxes);
    for (int i = 0; i < cairo_region_num_rectangles(region.get()); ++i) {
        cairo_rectangle_int_t r;
        cairo_region_get_rectangle(region.get(), i, &r);
        for (int y = r.y; y < r.y + r.height; ++y) {
            unsigned char* row = data + static_cast<ptrdiff_t>(y - at.top) * stride + (r.x - at.left);
            std::memset(row, 0, static_cast<size_t>(r.width));
            coverage.AddRow(y, r.x, r.width, row);
        }
    }
    cairo_surface_mark_dirty(layer);
}

// The layout's line box in pixels.
PangoRectangle LogicalExtents(PangoLayout* layout) {
    PangoRectangle logical{};
    pango_layout_get_pixel_extents(layout, nullptr, &logical);
    return logical;
}

}  // namespace

CairoRegion RegionOf(const std::vector<IntBox>& boxes) {
    // All at once: a gliding frame's boxes run to hundreds, and joining them one by one costs
    // far more than sorting them into bands once.
    std::vector<cairo_rectangle_int_t> rects;
    rects.reserve(boxes.size());
    for (const IntBox& box : boxes) rects.push_back({box.left, box.top, box.width, box.height});
    return CairoRegion(cairo_region_create_rectangles(rects.data(), static_cast<int>(rects.size())));
}

void SetSourceArgb(cairo_t* cr, uint32_t argb) {
    const auto channel = [argb](int shift) { return ((argb >> shift) & 0xFF) / 255.0; };
    cairo_set_source_rgba(cr, channel(16), channel(8), channel(0), channel(24));
}

bool MovedByWholePixels(const std::vector<FloatPoint>& figure, const FloatPoint* points, int count, int32_t& dx,
                        int32_t& dy) {
    if (figure.empty() || figure.size() != static_cast<size_t>(count)) return false;
    const double x = std::round(figure[0].x - points[0].x), y = std::round(figure[0].y - points[0].y);
    constexpr double Near = 1e-3;
    for (int i = 0; i < count; ++i) {
        if (std::abs(figure[i].x - points[i].x - x) > Near || std::abs(figure[i].y - points[i].y - y) > Near) return false;
    }
    dx = static_cast<int32_t>(x);
    dy = static_cast<int32_t>(y);
    return true;
}

std::string PangoFamilyFor(const std::string& family) {
    if (family == Utf8Of(DefaultNameOfFont)) return family + ",serif";
    return family;
}

bool FontFamilyPresent(const std::string& family) {
    static const char* const Generic[] = {"serif", "sans-serif", "sans", "monospace"};
    for (const char* name : Generic) {
        if (SameFamily(family.c_str(), name)) return true;
    }
    if (family.empty()) return false;
    if (family == Utf8Of(DefaultNameOfFont)) return true;
    PangoFontMap* map = pango_cairo_font_map_get_default();
    GObjectHolder<PangoContext> context(pango_font_map_create_context(map));
    const FontDescription asked = DescriptionOf(family, 12);
    GObjectHolder<PangoFont> font(pango_font_map_load_font(map, context.get(), asked.get()));
    if (font == nullptr) return false;
    const FontDescription loaded(pango_font_describe(font.get()));
    return SameFamily(pango_font_description_get_family(loaded.get()), family.c_str());
}

FrameMasks::Placed FrameMasks::MaskFor(const IntBox& box, int32_t lineWidth) {
    // Larger ellipses are the dial's rings, drawn once with it.
    constexpr int32_t LargestSide = 256;
    // Sizes change only with the canvas or the settings: the old ones are let go.
    constexpr size_t MostEntries = 8;
    const int32_t width = box.width, height = box.height;
    if (width <= 0 || height <= 0 || width > LargestSide || height > LargestSide) return {nullptr, 0, 0};
    const int32_t margin = lineWidth / 2 + 1;
    const auto placed = [&](cairo_surface_t* mask) { return Placed{mask, box.left - margin, box.top - margin}; };
    for (const Entry& entry : entries_) {
        if (entry.width == width && entry.height == height && entry.lineWidth == lineWidth) {
            return placed(entry.mask.get());
        }
    }
    if (entries_.size() == MostEntries) entries_.clear();
    CairoSurface mask(cairo_image_surface_create(CAIRO_FORMAT_A8, width + 2 * margin, height + 2 * margin));
    CairoContext cr(cairo_create(mask.get()));
    cairo_set_antialias(cr.get(), CAIRO_ANTIALIAS_GRAY);
    AddEllipse(cr.get(), {margin, margin, width, height});
    if (lineWidth > 0) {
        cairo_set_line_width(cr.get(), lineWidth);
        cairo_stroke(cr.get());
    } else {
        cairo_fill(cr.get());
    }
    cr.reset();
    if (cairo_surface_status(mask.get()) != CAIRO_STATUS_SUCCESS) return {nullptr, 0, 0};
    cairo_surface_flush(mask.get());
    entries_.push_back({width, height, lineWidth, std::move(mask)});
    return placed(entries_.back().mask.get());
}

cairo_surface_t* FrameMasks::Coverage(int32_t width, int32_t height, int layer) {
    if (width <= 0 || height <= 0 || layer < 0 || layer > 1) return nullptr;
    CairoSurface& coverage = coverage_[layer];
    const bool fits = coverage != nullptr && cairo_image_surface_get_width(coverage.get()) >= width &&
                      cairo_image_surface_get_height(coverage.get()) >= height;
    if (!fits) {
        // Grown a little beyond the asked size, so that a needle turning does not regrow it often.
        constexpr int32_t Step = 64;
        const auto rounded = [](int32_t side) { return (side + Step - 1) / Step * Step; };
        coverage.reset(cairo_image_surface_create(CAIRO_FORMAT_A8, rounded(width), rounded(height)));
    }
    if (cairo_surface_status(coverage.get()) != CAIRO_STATUS_SUCCESS) {
        coverage.reset();
        return nullptr;
    }
    return coverage.get();
}

uint32_t FrameMasks::Premultiplied(uint32_t argb) {
    for (const auto& [color, premultiplied] : colors_) {
        if (color == argb) return premultiplied;
    }
    // Painted into a pixel of its own: the value Cairo puts through a mask, to the bit.
    CairoSurface pixel(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1));
    {
        CairoContext cr(cairo_create(pixel.get()));
        cairo_set_operator(cr.get(), CAIRO_OPERATOR_SOURCE);
        SetSourceArgb(cr.get(), argb);
        cairo_paint(cr.get());
    }
    cairo_surface_flush(pixel.get());
    uint32_t premultiplied = 0;
    std::memcpy(&premultiplied, cairo_image_surface_get_data(pixel.get()), sizeof premultiplied);
    constexpr size_t MostColors = 16;
    if (colors_.size() == MostColors) colors_.clear();
    colors_.emplace_back(argb, premultiplied);
    return premultiplied;
}

CairoPainter::CairoPainter(cairo_surface_t* target, FrameMasks* masks) : cr_(cairo_create(target)), masks_(masks) {
    cairo_set_antialias(cr_.get(), CAIRO_ANTIALIAS_GRAY);
    cairo_set_line_cap(cr_.get(), CAIRO_LINE_CAP_BUTT);
}

bool CairoPainter::PutEllipse(const IntBox& box, int32_t lineWidth, uint32_t argb) {
    if (masks_ == nullptr) return false;
    const FrameMasks::Placed placed = masks_->MaskFor(box, lineWidth);
    if (placed.mask == nullptr) return false;
    SetColor(argb);
    cairo_mask_surface(cr_.get(), placed.mask, placed.left, placed.top);
    return true;
}

void CairoPainter::ClipTo(const std::vector<IntBox>* boxes) {
    cairo_reset_clip(cr_.get());
    clipped_ = boxes != nullptr;
    clip_.clear();
    if (boxes == nullptr) return;
    clip_ = *boxes;
    ClipToBoxes(cr_.get(), clip_);
}

void CairoPainter::SetColor(uint32_t argb) { SetSourceArgb(cr_.get(), argb); }

void CairoPainter::FillRectangle(const IntBox& box, uint32_t argb) {
    AddBox(cr_.get(), box.left, box.top, box.width, box.height);
    SetColor(argb);
    cairo_fill(cr_.get());
}

void CairoPainter::FillEllipse(const IntBox& box, uint32_t argb) {
    if (PutEllipse(box, 0, argb)) return;
    AddEllipse(cr_.get(), box);
    SetColor(argb);
    cairo_fill(cr_.get());
}

void CairoPainter::DrawEllipse(const IntBox& box, uint32_t argb, int32_t width) {
    if (width > 0 && PutEllipse(box, width, argb)) return;
    AddEllipse(cr_.get(), box);
    SetColor(argb);
    cairo_set_line_width(cr_.get(), width);
    cairo_stroke(cr_.get());
}

void CairoPainter::FillEllipseGradient(const IntBox& box, IntPoint from, IntPoint to, uint32_t fromArgb,
                                       uint32_t toArgb) {
    std::unique_ptr<cairo_pattern_t, decltype(&cairo_pattern_destroy)> gradient(
        cairo_pattern_create_linear(from.x, from.y, to.x, to.y), cairo_pattern_destroy);
    const auto stop = [&](double offset, uint32_t argb) {
        const auto channel = [argb](int shift) { return ((argb >> shift) & 0xFF) / 255.0; };
        cairo_pattern_add_color_stop_rgba(gradient.get(), offset, channel(16), channel(8), channel(0), channel(24));
    };
    stop(0, fromArgb);
    stop(1, toArgb);
    // Beyond its axis the gradient starts over, as a tiled one does on Windows.
    cairo_pattern_set_extend(gradient.get(), CAIRO_EXTEND_REPEAT);
    AddEllipse(cr_.get(), box);
    cairo_set_source(cr_.get(), gradient.get());
    cairo_fill(cr_.get());
}

void CairoPainter::DrawLine(FloatPoint from, FloatPoint to, uint32_t argb, int32_t width) {
    cairo_move_to(cr_.get(), from.x, from.y);
    cairo_line_to(cr_.get(), to.x, to.y);
    SetColor(argb);
    cairo_set_line_width(cr_.get(), width);
    cairo_stroke(cr_.get());
}

void CairoPainter::FillPolygon(const FloatPoint* points, int count, uint32_t argb) {
    if (PutFromFigure(points, count, argb)) return;
    // With a canvas's layers, a polygon is laid from its exact coverage as the union's figure is.
    IntBox extent{0, 0, 0, 0};
    if (masks_ != nullptr && count >= 3) {
        ExtentsPainter probe;
        probe.FillPolygon(points, count, argb);
        extent = probe.Boxes()[0];
        for (const IntBox& box : probe.Boxes()) extent = HullOf(extent, box);
    }
    std::vector<IntBox> boxes;
    for (IntBox box : clipped_ ? clip_ : std::vector<IntBox>{extent}) {
        if (CutBox(box, extent)) boxes.push_back(box);
    }
    cairo_surface_t* layer = masks_ == nullptr || boxes.empty() ? nullptr : masks_->Coverage(extent.width, extent.height, 1);
    if (layer != nullptr) {
        figure_ = {};
        LayFigure(layer, points, count, boxes, extent);
        SetColor(argb);
        cairo_save(cr_.get());
        if (!clipped_) ClipToBoxes(cr_.get(), boxes);
        cairo_mask_surface(cr_.get(), layer, extent.left, extent.top);
        cairo_restore(cr_.get());
        return;
    }
    if (masks_ != nullptr && count >= 3 && boxes.empty()) return;  // nothing of it within the clip
    AddPolygon(cr_.get(), points, count, false);
    SetColor(argb);
    cairo_set_fill_rule(cr_.get(), CAIRO_FILL_RULE_EVEN_ODD);
    cairo_fill(cr_.get());
}

void CairoPainter::FillUnion(const UnionShape* shapes, int count, uint32_t argb) {
    // Clipped, a translucent fill costs Cairo a composite per row and box; its coverage laid into
    // a layer round the clip and put on at once comes out the same, sooner. There the small
    // ellipses' coverage and any held coverage are added to the polygons' up to full: only where
    // two edges cross is it a few levels above the exact union's.
    const bool holds = masks_ != nullptr && std::any_of(shapes, shapes + std::max(count, 0), [](const UnionShape& s) {
        return s.kind == UnionShape::Kind::Held;
    });
    // Held coverage is only ever added in a layer: unclipped, the layer spans the figures.
    std::vector<IntBox> within = clipped_ ? clip_ : std::vector<IntBox>();
    if (!clipped_ && holds) {
        ExtentsPainter extents;
        extents.FillUnion(shapes, count, argb);
        within.push_back(extents.Boxes()[0]);
        for (const IntBox& box : extents.Boxes()) within[0] = HullOf(within[0], box);
    }
    IntBox extent = within.empty() ? IntBox{0, 0, 0, 0} : within[0];
    for (const IntBox& box : within) extent = HullOf(extent, box);
    cairo_surface_t* layer =
        masks_ != nullptr && !within.empty() ? masks_->Coverage(extent.width, extent.height) : nullptr;
    // The layer is kept from frame to frame: only the clip's boxes are cleared and used. Cleared
    // here row by row: Cairo clears through a clip of many boxes at a cost that grows with them.
    if (layer != nullptr) ClearWithin(layer, within, extent);
    CairoContext coverage(layer != nullptr ? cairo_create(layer) : nullptr);
    cairo_t* cr = layer != nullptr ? coverage.get() : cr_.get();
    if (layer != nullptr) {
        cairo_set_antialias(cr, CAIRO_ANTIALIAS_GRAY);
        cairo_translate(cr, -extent.left, -extent.top);
        ClipToBoxes(cr, within);
    }
    // The first polygon (a needle's shadow) gets a layer of its own, added to the rest: the needle,
    // the same figure moved by whole pixels, is then put on from it rather than rasterized again.
    figure_ = {};
    int apart = -1;
    cairo_surface_t* figure = nullptr;
    for (int i = 0; layer != nullptr && i < count && apart < 0; ++i) {
        if (shapes[i].kind == UnionShape::Kind::Polygon) apart = i;
    }
    if (apart >= 0) figure = masks_->Coverage(extent.width, extent.height, 1);
    if (figure == nullptr) apart = -1;
    std::vector<FrameMasks::Placed> ellipses, held;
    // By the non-zero rule the figures cover their union once only if they all run the same way
    // round: ellipses run clockwise, so every polygon is added clockwise too.
    for (int i = 0; i < count; ++i) {
        const UnionShape& shape = shapes[i];
        if (shape.kind == UnionShape::Kind::Polygon) {
            if (i == apart) continue;
            AddPolygon(cr, shape.points, shape.pointCount, !RunsClockwise(shape.points, shape.pointCount));
            continue;
        }
        if (shape.kind == UnionShape::Kind::Held) {
            if (layer != nullptr && masks_->heldShadows != nullptr) {
                held.push_back({masks_->heldShadows.get(), shape.box.left, shape.box.top});
            }
            continue;
        }
        const FrameMasks::Placed placed =
            layer != nullptr ? masks_->MaskFor(shape.box, 0) : FrameMasks::Placed{nullptr, 0, 0};
        if (placed.mask != nullptr) {
            ellipses.push_back(placed);
        } else {
            AddEllipse(cr, shape.box);
        }
    }
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    if (layer == nullptr) {
        SetColor(argb);
        cairo_fill(cr);
        return;
    }
    cairo_set_source_rgba(cr, 0, 0, 0, 1);
    cairo_fill(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
    if (figure != nullptr) {
        LayFigure(figure, shapes[apart].points, shapes[apart].pointCount, within, extent);
        held.push_back({figure, extent.left, extent.top});
        figure_ = {std::vector<FloatPoint>(shapes[apart].points, shapes[apart].points + shapes[apart].pointCount),
                   figure, extent, within};
    }
    const auto add = [cr](const std::vector<FrameMasks::Placed>& masks) {
        for (const FrameMasks::Placed& each : masks) {
            cairo_set_source_surface(cr, each.mask, each.left, each.top);
            cairo_paint(cr);
        }
    };
    // Held coverage and the figure apart span beyond the clip: added within it only.
    add(held);
    // What the small ellipses add beyond the clip, the clipped mask leaves out.
    cairo_reset_clip(cr);
    add(ellipses);
    coverage.reset();
    SetColor(argb);
    // The layer may be larger than the extent, and holds old coverage beyond it.
    cairo_save(cr_.get());
    if (!clipped_) ClipToBoxes(cr_.get(), within);
    cairo_mask_surface(cr_.get(), layer, extent.left, extent.top);
    cairo_restore(cr_.get());
}

void CairoPainter::PutHeldHands(const HeldStill& held) {
    if (masks_ == nullptr || masks_->heldHands == nullptr) return;
    cairo_set_source_surface(cr_.get(), masks_->heldHands.get(), held.hands.left, held.hands.top);
    cairo_paint(cr_.get());
}

bool CairoPainter::PutFromFigure(const FloatPoint* points, int count, uint32_t argb) {
    int32_t dx = 0, dy = 0;
    if (!MovedByWholePixels(figure_.points, points, count, dx, dy)) return false;
    cairo_t* cr = cr_.get();
    cairo_save(cr);
    // Its coverage holds only within the union's clip.
    for (const IntBox& box : figure_.within) AddBox(cr, box.left - dx, box.top - dy, box.width, box.height);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    cairo_clip(cr);
    SetColor(argb);
    cairo_mask_surface(cr, figure_.coverage, figure_.extent.left - dx, figure_.extent.top - dy);
    cairo_restore(cr);
    return true;
}

bool CairoPainter::UseFontFamily(const char16_t* family) {
    const std::string name = Utf8Of(family);
    family_ = FontFamilyPresent(name) ? PangoFamilyFor(name) : std::string();
    return !family_.empty();
}

GObjectHolder<PangoLayout> CairoPainter::Layout(const std::string& text, const std::string& family, double emSize) {
    GObjectHolder<PangoLayout> layout(pango_cairo_create_layout(cr_.get()));
    std::unique_ptr<cairo_font_options_t, decltype(&cairo_font_options_destroy)> options(
        cairo_font_options_create(), cairo_font_options_destroy);
    cairo_font_options_set_hint_style(options.get(), CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options.get(), CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_antialias(options.get(), CAIRO_ANTIALIAS_GRAY);
    PangoContext* context = pango_layout_get_context(layout.get());
    pango_cairo_context_set_font_options(context, options.get());
    pango_layout_context_changed(layout.get());
    const FontDescription description = DescriptionOf(family, emSize);
    pango_layout_set_font_description(layout.get(), description.get());
    pango_layout_set_text(layout.get(), text.c_str(), -1);
    return layout;
}

void CairoPainter::DrawCentredText(const char16_t* text, const FloatBox& box, float emSize, uint32_t argb) {
    if (family_.empty()) return;
    cairo_t* cr = cr_.get();
    const GObjectHolder<PangoLayout> layout = Layout(Utf8Of(text), family_, emSize);
    const PangoRectangle line = LogicalExtents(layout.get());
    cairo_save(cr);
    AddBox(cr, box.left, box.top, box.width, box.height);
    cairo_clip(cr);
    cairo_move_to(cr, box.left + (box.width - line.width) / 2.0 - line.x, box.top + (box.height - line.height) / 2.0 - line.y);
    SetColor(argb);
    pango_cairo_show_layout(cr, layout.get());
    cairo_restore(cr);
}

void CairoPainter::DrawOutlinedText(const char16_t* text, const IntBox& box, float emSize, uint32_t fillArgb,
                                    uint32_t outlineArgb, float outlineWidth) {
    if (family_.empty() || box.width <= 0) return;
    cairo_t* cr = cr_.get();
    const GObjectHolder<PangoLayout> layout = Layout(Utf8Of(text), family_, emSize);
    // Lines wider than the box wrap, and every line is centred in it.
    pango_layout_set_width(layout.get(), box.width * PANGO_SCALE);
    pango_layout_set_wrap(layout.get(), PANGO_WRAP_WORD_CHAR);
    pango_layout_set_alignment(layout.get(), PANGO_ALIGN_CENTER);
    const PangoRectangle lines = LogicalExtents(layout.get());
    cairo_move_to(cr, box.left, box.top + (box.height - lines.height) / 2.0 - lines.y);
    pango_cairo_layout_path(cr, layout.get());
    // Overlapping glyph parts cancel out, as the alternate fill rule has it.
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    SetColor(fillArgb);
    cairo_fill_preserve(cr);
    SetColor(outlineArgb);
    cairo_set_line_width(cr, outlineWidth);
    cairo_stroke(cr);
}

void CairoPainter::DrawBannerText(const char* text, const IntBox& strip, const char* fontFamily, int32_t fontHeight,
                                  uint32_t argb) {
    cairo_t* cr = cr_.get();
    const std::string family = PangoFamilyFor(fontFamily);
    // The height is the font's whole cell, ascent and descent, as Windows reads a font height:
    // the em is scaled down to fit it.
    double emSize = fontHeight;
    {
        const GObjectHolder<PangoLayout> probe = Layout(text, family, fontHeight);
        const FontDescription description = DescriptionOf(family, fontHeight);
        std::unique_ptr<PangoFontMetrics, FontMetricsRelease> metrics(
            pango_context_get_metrics(pango_layout_get_context(probe.get()), description.get(), nullptr));
        const double cell = static_cast<double>(pango_font_metrics_get_ascent(metrics.get()) +
                                                pango_font_metrics_get_descent(metrics.get())) /
                            PANGO_SCALE;
        if (cell > 0) emSize = fontHeight * fontHeight / cell;
    }
    const GObjectHolder<PangoLayout> layout = Layout(text, family, emSize);
    const PangoRectangle line = LogicalExtents(layout.get());
    cairo_save(cr);
    AddBox(cr, strip.left, strip.top, strip.width, strip.height);
    cairo_clip(cr);
    cairo_move_to(cr, strip.left + strip.width - line.width - line.x, strip.top + (strip.height - line.height) / 2.0 - line.y);
    SetColor(argb);
    pango_cairo_show_layout(cr, layout.get());
    cairo_restore(cr);
}
