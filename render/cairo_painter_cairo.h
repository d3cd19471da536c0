// The clock painter over Cairo, with Pango for the text, drawing into one image surface. Its
// context lives as long as the painter: one render phase.
#pragma once

#include <cairo.h>
#include <pango/pangocairo.h>

#include <memory>
#include <string>
#include <vector>

#include "render/clock_painter.h"

struct CairoContextRelease {
    void operator()(cairo_t* cr) const { cairo_destroy(cr); }
};
using CairoContext = std::unique_ptr<cairo_t, CairoContextRelease>;

struct CairoSurfaceRelease {
    void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
using CairoSurface = std::unique_ptr<cairo_surface_t, CairoSurfaceRelease>;

struct CairoRegionRelease {
    void operator()(cairo_region_t* region) const { cairo_region_destroy(region); }
};
using CairoRegion = std::unique_ptr<cairo_region_t, CairoRegionRelease>;

// The boxes as one region, where overlapping boxes count once.
CairoRegion RegionOf(const std::vector<IntBox>& boxes);

// Sets the ARGB colour as the context's source.
void SetSourceArgb(cairo_t* cr, uint32_t argb);

// Whether the polygon is the figure moved by whole pixels, the figure standing (dx, dy) from it;
// the same figure so moved covers the same share of each pixel.
bool MovedByWholePixels(const std::vector<FloatPoint>& figure, const FloatPoint* points, int count, int32_t& dx,
                        int32_t& dy);

struct GObjectRelease {
    void operator()(void* object) const { g_object_unref(object); }
};
template <typename T>
using GObjectHolder = std::unique_ptr<T, GObjectRelease>;

// The family Pango is asked for when a font name is given. The Windows default family is
// rarely installed on Linux: it is asked for together with the generic serif family, so that
// fontconfig takes the real one or a Palatino-like substitute it knows of, else its serif face.
std::string PangoFamilyFor(const std::string& family);

// Whether fontconfig really has the family: Pango silently substitutes another for a name it
// lacks, so the family it loaded is compared with the one asked for. The generic names (serif,
// sans-serif, monospace) and the Windows default count as present.
bool FontFamilyPresent(const std::string& family);

// The masks a canvas keeps for its frames' painters. The coverage of small ellipses, one mask
// per size and outline width: a frame's ellipses (the needle's disc, the cap) come back at every
// frame, a gliding needle's thirty times a second; an ellipse in a box of whole pixels covers the
// same pixels wherever the box stands, so each size is rasterized once and its mask put on where
// the next one stands. And one layer for a clipped union's coverage, made once, not every frame.
class FrameMasks {
public:
    // A mask and where its corner goes.
    struct Placed {
        cairo_surface_t* mask;  // null for an ellipse too large to keep
        int32_t left;
        int32_t top;
    };
    // The mask of the ellipse in the box, filled (line width 0) or outlined, placed over the box.
    Placed MaskFor(const IntBox& box, int32_t lineWidth);
    // A coverage layer (A8) of at least width × height, kept for the next frames; its pixels are
    // whatever was last drawn in them. Null when it cannot be made. Layer 1 holds one figure of
    // a union apart (see CairoPainter::FillUnion).
    cairo_surface_t* Coverage(int32_t width, int32_t height, int layer = 0);
    // The colour premultiplied, as Cairo lays it.
    uint32_t Premultiplied(uint32_t argb);

    // What the canvas holds of the still hands, each laid at its box of HeldStill.
    CairoSurface heldShadows;  // A8 coverage
    CairoSurface heldHands;    // premultiplied ARGB over transparency
    // For each row of a held layer, the columns [first, second) outside which it is empty.
    std::vector<std::pair<int32_t, int32_t>> heldShadowRows, heldHandRows;
    // Counts the held layers drawn: frames over the same ones differ only where the figures move.
    uint64_t heldCount = 0;

private:
    struct Entry {
        int32_t width;
        int32_t height;
        int32_t lineWidth;
        CairoSurface mask;
    };
    std::vector<Entry> entries_;
    CairoSurface coverage_[2];
    std::vector<std::pair<uint32_t, uint32_t>> colors_;  // argb, premultiplied
};

class CairoPainter final : public ClockPainter {
public:
    // With masks, ellipses small enough are put on from them.
    explicit CairoPainter(cairo_surface_t* target, FrameMasks* masks = nullptr);
    CairoPainter(const CairoPainter&) = delete;
    CairoPainter& operator=(const CairoPainter&) = delete;

    void ClipTo(const std::vector<IntBox>* boxes) override;
    void FillRectangle(const IntBox& box, uint32_t argb) override;
    void FillEllipse(const IntBox& box, uint32_t argb) override;
    void DrawEllipse(const IntBox& box, uint32_t argb, int32_t width) override;
    void FillEllipseGradient(const IntBox& box, IntPoint from, IntPoint to, uint32_t fromArgb,
                             uint32_t toArgb) override;
    void DrawLine(FloatPoint from, FloatPoint to, uint32_t argb, int32_t width) override;
    void FillPolygon(const FloatPoint* points, int count, uint32_t argb) override;
    void FillUnion(const UnionShape* shapes, int count, uint32_t argb) override;
    void PutHeldHands(const HeldStill& held) override;
    bool UseFontFamily(const char16_t* family) override;
    void DrawCentredText(const char16_t* text, const FloatBox& box, float emSize, uint32_t argb) override;
    void DrawOutlinedText(const char16_t* text, const IntBox& box, float emSize, uint32_t fillArgb,
                          uint32_t outlineArgb, float outlineWidth) override;
    void DrawBannerText(const char* text, const IntBox& strip, const char* fontFamily, int32_t fontHeight,
                        uint32_t argb) override;

private:
    void SetColor(uint32_t argb);
    // Puts the ellipse on from its mask; false when it must be drawn.
    bool PutEllipse(const IntBox& box, int32_t lineWidth, uint32_t argb);
    // One layout of the text in the family at the pixel em size, laid out without hinting so
    // that its size does not depend on where it lands.
    GObjectHolder<PangoLayout> Layout(const std::string& text, const std::string& family, double emSize);

    // The union's first polygon, rasterized apart; a polygon of the same shape moved by whole
    // pixels is put on from its coverage.
    bool PutFromFigure(const FloatPoint* points, int count, uint32_t argb);

    CairoContext cr_;
    FrameMasks* masks_;
    struct Figure {
        std::vector<FloatPoint> points;
        cairo_surface_t* coverage = nullptr;  // the masks' layer 1, laid at the extent
        IntBox extent{0, 0, 0, 0};
        std::vector<IntBox> within;  // where its coverage holds
    } figure_;
    bool clipped_ = false;
    std::vector<IntBox> clip_;  // the boxes drawn within, while clipped_
    std::string family_;  // empty while no family is chosen
};
