// The clock painter over the GDI+ flat API (and GDI for the banner), drawing into one device
// context. Its objects live as long as the painter: one render phase.
#pragma once

#include <windows.h>

#include <vector>

#include "common/gdi_holders_win32.h"
#include "render/clock_painter.h"

class GdiplusPainter final : public ClockPainter {
public:
    explicit GdiplusPainter(HDC target);
    ~GdiplusPainter() override;
    GdiplusPainter(const GdiplusPainter&) = delete;
    GdiplusPainter& operator=(const GdiplusPainter&) = delete;

    void ClipTo(const std::vector<IntBox>* boxes) override;
    void FillRectangle(const IntBox& box, uint32_t argb) override;
    void FillEllipse(const IntBox& box, uint32_t argb) override;
    void DrawEllipse(const IntBox& box, uint32_t argb, int32_t width) override;
    void FillEllipseGradient(const IntBox& box, IntPoint from, IntPoint to, uint32_t fromArgb,
                             uint32_t toArgb) override;
    void DrawLine(FloatPoint from, FloatPoint to, uint32_t argb, int32_t width) override;
    void FillPolygon(const FloatPoint* points, int count, uint32_t argb) override;
    void FillUnion(const UnionShape* shapes, int count, uint32_t argb) override;
    bool UseFontFamily(const char16_t* family) override;
    void DrawCentredText(const char16_t* text, const FloatBox& box, float emSize, uint32_t argb) override;
    void DrawOutlinedText(const char16_t* text, const IntBox& box, float emSize, uint32_t fillArgb,
                          uint32_t outlineArgb, float outlineWidth) override;
    void DrawBannerText(const char* text, const IntBox& strip, const char* fontFamily, int32_t fontHeight,
                        uint32_t argb) override;

private:
    // The graphics object on the target, made on first use after each change of clip, with
    // high-quality smoothing.
    Gdiplus::GpGraphics* Graphics();
    Gdiplus::GpPen* Pen(uint32_t argb, float width);
    Gdiplus::GpBrush* Fill(uint32_t argb);
    Gdiplus::GpStringFormat* CentredFormat();

    HDC target_;
    // The clip of both GDI+ and GDI (the banner), as a region; null while drawing everywhere.
    gdi::Object clip_;
    GraphicsHolder graphics_;
    // One pen and one fill serve every step; each step sets their colour and width first.
    PenHolder pen_;
    SolidFillHolder fill_;
    LineGradientHolder gradient_;
    IntPoint gradientFrom_{};
    IntPoint gradientTo_{};
    FontFamilyHolder family_;
    FontHolder font_;
    float fontEmSize_ = 0;
    StringFormatHolder format_;
};
