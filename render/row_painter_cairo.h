// A frame painter that draws nothing at once: it takes a gliding needle's steps down, then lays
// them, with the dial under them, into the frame within an area, each row in one pass. Cairo
// passes over the rows once a step, each time through memory gone cold since the last frame,
// thirty times a second. The steps come out as the Cairo painter with the canvas's masks lays
// them, to the pixel.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "render/cairo_painter_cairo.h"
#include "render/polygon_coverage.h"

// The dial as the frame shows it, laid at an offset: the ground's colour where it does not reach.
struct ShiftedDial {
    const unsigned char* data;
    int32_t stride, width, height;
    IntPoint offset;
    uint32_t ground;
    // Lays it into the frame's row y over columns [from, to).
    void CopyRow(uint32_t* row, int32_t y, int32_t from, int32_t to) const;
};

class RowPainter final : public ClockPainter {
public:
    // Columns [from, to) of a row.
    struct Range {
        int32_t from, to;
    };

    // Where in each row the figures and masks of a frame (all but the held layers) lie.
    struct MovingRows {
        int32_t top = 0;
        std::vector<Range> rows;
    };

    RowPainter(FrameMasks& masks, const std::vector<IntBox>& area);

    // A step it cannot lay reached into the area: nothing must be laid.
    bool Failed() const { return failed_; }
    // Lays the steps into the frame's rows (32-bit pixels, `stride` bytes apart), each pixel of
    // the area once, over the dial laid into it first. With
    // `last`, the last frame's moving rows over the same held layers and dial, a row is laid only
    // round where this frame's or the last one's figures lie: elsewhere the frame holds the last
    // frame's pixels, which are this one's. Returns this frame's moving rows; `drawn` gets the
    // boxes laid.
    MovingRows Lay(unsigned char* frame, int stride, const ShiftedDial& dial, const MovingRows* last,
                   std::vector<IntBox>& drawn);

    void ClipTo(const std::vector<IntBox>*) override {}
    void FillRectangle(const IntBox& box, uint32_t argb) override;
    void FillEllipse(const IntBox& box, uint32_t argb) override;
    void DrawEllipse(const IntBox& box, uint32_t argb, int32_t width) override;
    void FillEllipseGradient(const IntBox& box, IntPoint from, IntPoint to, uint32_t fromArgb,
                             uint32_t toArgb) override;
    void DrawLine(FloatPoint from, FloatPoint to, uint32_t argb, int32_t width) override;
    void FillPolygon(const FloatPoint* points, int count, uint32_t argb) override;
    void FillUnion(const UnionShape* shapes, int count, uint32_t argb) override;
    void PutHeldHands(const HeldStill& held) override;
    bool UseFontFamily(const char16_t*) override { return true; }
    void DrawCentredText(const char16_t* text, const FloatBox& box, float emSize, uint32_t argb) override;
    void DrawOutlinedText(const char16_t* text, const IntBox& box, float emSize, uint32_t fillArgb,
                          uint32_t outlineArgb, float outlineWidth) override;
    void DrawBannerText(const char* text, const IntBox& strip, const char* fontFamily, int32_t fontHeight,
                        uint32_t argb) override;

private:
    // A coverage: an A8 layer with its corner at box's, or a polygon read moved by (dx, dy).
    struct Source {
        const unsigned char* data;  // null: the polygon
        int stride;
        IntBox box;
        PolygonCoverage* polygon;
        int32_t dx, dy;
        const std::vector<std::pair<int32_t, int32_t>>* rows;  // a layer's columns row by row, if known
        bool moving;  // not a held layer
        // In the row being laid: where the source may cover, and its values indexed by column.
        Range cols{0, 0};
        const unsigned char* line = nullptr;
    };
    // A colour laid through its sources' coverage added up to full, or an ARGB layer laid over.
    struct Step {
        uint32_t color;  // premultiplied; unused for a layer
        std::vector<Source> sources;
        Source image;  // data non-null: the ARGB layer
        Range rows;    // outside which it lays nothing, once Lay starts
    };
    // Finds the step's sources in row y; false if it lays nothing there.
    static bool Enter(Step& step, int32_t y);
    // Lays the entered step into the row's columns within the range; `buffer` holds a row's coverage.
    static void LayStep(const Step& step, uint32_t* row, Range within, uint8_t* buffer);
    // A step drawn otherwise than through masks: where it reaches into the area, the painter fails.
    void Unsupported(const std::function<void(ClockPainter&)>& step);
    bool AddMask(Step& step, const IntBox& box, int32_t lineWidth);
    PolygonCoverage* AddPolygon(const FloatPoint* points, int count);

    FrameMasks& masks_;
    const std::vector<IntBox>& area_;
    std::vector<Step> steps_;
    std::vector<std::unique_ptr<PolygonCoverage>> polygons_;
    // The union's first polygon: a polygon of the same shape moved by whole pixels is read from it.
    std::vector<FloatPoint> figurePoints_;
    PolygonCoverage* figure_ = nullptr;
    bool failed_ = false;
};
