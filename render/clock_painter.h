// The few drawing operations the clock is made of. The recipe (clock_recipe.h) says what to draw
// in which order; a painter carries each step out with one 2-D library. Platform-free: colours
// are ARGB, boxes and points come from the dial and hand geometry, texts are UTF-16.
#pragma once

#include <cstdint>
#include <vector>

#include "render/dial_geometry.h"

// One figure of a union fill: a closed polygon, an ellipse in its bounding box, or the coverage
// of figures that the painter holds (see HeldStill), laid at the box.
struct UnionShape {
    enum class Kind { Polygon, Ellipse, Held } kind;
    const FloatPoint* points;  // Polygon: pointCount corners, in order
    int pointCount;
    IntBox box;                // Ellipse, Held
};

// Where a canvas holds, apart from its frames, what the hour and minute hands draw: their
// shadows' coverage together with the cap's, and the two hands over transparency. They stand
// still for a minute while a needle glides, and are put on instead of drawn anew. Only the
// painters of a canvas that holds them are given Held figures.
struct HeldStill {
    IntBox shadows;
    IntBox hands;
    std::vector<IntBox> handParts;  // where within `hands` the hands lie
};

class ClockPainter {
public:
    virtual ~ClockPainter() = default;

    // The steps that follow draw only within the boxes (which may overlap); null: everywhere,
    // as a painter starts.
    virtual void ClipTo(const std::vector<IntBox>* boxes) = 0;

    virtual void FillRectangle(const IntBox& box, uint32_t argb) = 0;
    virtual void FillEllipse(const IntBox& box, uint32_t argb) = 0;
    // The ellipse's outline, a line of the given width centred on it.
    virtual void DrawEllipse(const IntBox& box, uint32_t argb, int32_t width) = 0;
    // The ellipse filled with a linear gradient from fromArgb at `from` to toArgb at `to`; the
    // gradient repeats beyond its axis.
    virtual void FillEllipseGradient(const IntBox& box, IntPoint from, IntPoint to, uint32_t fromArgb,
                                     uint32_t toArgb) = 0;
    // A straight line of the given width with flat caps: it covers the rectangle of that width
    // centred on the segment, and nothing beyond its ends.
    virtual void DrawLine(FloatPoint from, FloatPoint to, uint32_t argb, int32_t width) = 0;
    // The polygon through the points, closed and filled.
    virtual void FillPolygon(const FloatPoint* points, int count, uint32_t argb) = 0;
    // Every shape filled once together: where they overlap the colour is laid down only once.
    virtual void FillUnion(const UnionShape* shapes, int count, uint32_t argb) = 0;
    // Lays the held hour and minute hands over what is drawn.
    virtual void PutHeldHands(const HeldStill& held) { (void)held; }

    // Chooses the font family of the text steps that follow; false, with no family chosen, when
    // the system has no family of that name (the text steps then draw nothing).
    virtual bool UseFontFamily(const char16_t* family) = 0;
    // One line of text at the given pixel em size, centred both ways in the box and clipped to it.
    virtual void DrawCentredText(const char16_t* text, const FloatBox& box, float emSize, uint32_t argb) = 0;
    // The text's glyph outlines, centred in the box: filled, then outlined with a line of the
    // given width.
    virtual void DrawOutlinedText(const char16_t* text, const IntBox& box, float emSize, uint32_t fillArgb,
                                  uint32_t outlineArgb, float outlineWidth) = 0;
    // One line of text in its own font, of the given pixel height, centred vertically in the
    // strip and set against its right edge. The last step of a frame.
    virtual void DrawBannerText(const char* text, const IntBox& strip, const char* fontFamily, int32_t fontHeight,
                                uint32_t argb) = 0;
};

// Whether the closed polygon runs clockwise on the screen (y growing downwards), as ellipses do;
// a painter filling a union by the non-zero rule turns every figure the same way round.
bool RunsClockwise(const FloatPoint* points, int count);
