// Each frame: the cached dial, then one shadow under all hands, the hands, the cap and, in
// minute 7 of a full-screen run, the maker's address.
#include "render/clock_layers_win32.h"
#include "render/hand_geometry.h"
#include "tarnwick_config.h"

namespace {

using Gdiplus::GpGraphics;
using Gdiplus::GpPath;

constexpr int BannerMinute = 7;
constexpr int BannerFontHeight = 24;
constexpr int BannerStripHeight = 40;
constexpr char BannerFontName[] = "Palatino Linotype";

const Gdiplus::GpPointF* AsPoints(const FloatPoint* points) {
    static_assert(sizeof(FloatPoint) == sizeof(Gdiplus::GpPointF), "points are passed as they are");
    return reinterpret_cast<const Gdiplus::GpPointF*>(points);
}

void AddEllipse(GpPath* path, const IntBox& box) {
    Gdip(gdip::GdipAddPathEllipseI(path, box.left, box.top, box.width, box.height), "GdipAddPathEllipseI");
}

// All shadows as one path whose figures wind the same way, filled once by the non-zero rule:
// their union, so that crossing shadows are no darker than single ones.
void DrawShadow(GpGraphics* graphics, const ClockHands& hands) {
    SolidFillHolder shadowFill;
    CreateInto(shadowFill, "GdipCreateSolidFill", gdip::GdipCreateSolidFill, ShadowColor);
    PathHolder shadowPath;
    CreateInto(shadowPath, "GdipCreatePath", gdip::GdipCreatePath, Gdiplus::FillModeAlternate);
    GpPath* path = shadowPath.Get();
    if (hands.second.shown) {
        Gdip(gdip::GdipAddPathPolygon(path, AsPoints(hands.second.needleShadow), 4), "GdipAddPathPolygon");
        // Ellipses run clockwise, the quadrilaterals the other way: the disc is reversed now,
        // and everything once more below, so that the cap joins them the same way round.
        PathHolder discPath;
        CreateInto(discPath, "GdipCreatePath", gdip::GdipCreatePath, Gdiplus::FillModeAlternate);
        AddEllipse(discPath.Get(), hands.second.discShadow);
        Gdip(gdip::GdipReversePath(discPath.Get()), "GdipReversePath");
        Gdip(gdip::GdipAddPathPath(path, discPath.Get(), FALSE), "GdipAddPathPath");
    }
    Gdip(gdip::GdipAddPathPolygon(path, AsPoints(hands.hour.shadow), 4), "GdipAddPathPolygon");
    Gdip(gdip::GdipAddPathPolygon(path, AsPoints(hands.minute.shadow), 4), "GdipAddPathPolygon");
    Gdip(gdip::GdipReversePath(path), "GdipReversePath");
    AddEllipse(path, hands.capShadow);
    Gdip(gdip::GdipSetPathFillMode(path, Gdiplus::FillModeWinding), "GdipSetPathFillMode");
    Gdip(gdip::GdipFillPath(graphics, shadowFill.Get(), path), "GdipFillPath");
}

void DrawLine(GpGraphics* graphics, Gdiplus::GpPen* pen, uint32_t color, int32_t width, FloatPoint from,
              FloatPoint to) {
    Gdip(gdip::GdipSetPenColor(pen, color), "GdipSetPenColor");
    Gdip(gdip::GdipSetPenWidth(pen, static_cast<Gdiplus::REAL>(width)), "GdipSetPenWidth");
    Gdip(gdip::GdipDrawLine(graphics, pen, from.x, from.y, to.x, to.y), "GdipDrawLine");
}

// A black body from tip to tail with a stripe in the marker colour along it.
void DrawHand(GpGraphics* graphics, RenderCall& call, const Hand& hand, const HandSizes& sizes) {
    DrawLine(graphics, call.inkPen.Get(), OpaqueBlack, sizes.handWidth, hand.tip, hand.tail);
    DrawLine(graphics, call.inkPen.Get(), ColorRefToArgb(call.settings.colorOfMarkers), sizes.stripeWidth,
             hand.stripeOuter, hand.stripeInner);
}

// The needle as an open figure (filling closes it), then its disc in the marker colour.
void DrawSecondHand(GpGraphics* graphics, RenderCall& call, const SecondHand& second, const HandSizes& sizes) {
    PathHolder needlePath;
    CreateInto(needlePath, "GdipCreatePath", gdip::GdipCreatePath, Gdiplus::FillModeAlternate);
    Gdip(gdip::GdipAddPathLine2(needlePath.Get(), AsPoints(second.needle), 4), "GdipAddPathLine2");
    Gdip(gdip::GdipFillPath(graphics, call.inkFill.Get(), needlePath.Get()), "GdipFillPath");

    const IntBox& d = second.disc;
    Gdip(gdip::GdipSetSolidFillColor(call.backgroundFill.Get(), ColorRefToArgb(call.settings.colorOfMarkers)),
         "GdipSetSolidFillColor");
    Gdip(gdip::GdipFillEllipseI(graphics, call.backgroundFill.Get(), d.left, d.top, d.width, d.height),
         "GdipFillEllipseI");
    Gdip(gdip::GdipSetPenColor(call.inkPen.Get(), OpaqueBlack), "GdipSetPenColor");
    Gdip(gdip::GdipSetPenWidth(call.inkPen.Get(), static_cast<Gdiplus::REAL>(sizes.outlineWidth)),
         "GdipSetPenWidth");
    Gdip(gdip::GdipDrawEllipseI(graphics, call.inkPen.Get(), d.left, d.top, d.width, d.height), "GdipDrawEllipseI");
}

void DrawHands(HDC frame, RenderCall& call) {
    GraphicsHolder graphics;
    CreateInto(graphics, "GdipCreateFromHDC", gdip::GdipCreateFromHDC, frame);
    GpGraphics* g = graphics.Get();
    Gdip(gdip::GdipSetSmoothingMode(g, Gdiplus::SmoothingModeHighQuality), "GdipSetSmoothingMode");
    // The dial may have left the fill in the marker colour.
    Gdip(gdip::GdipSetSolidFillColor(call.inkFill.Get(), OpaqueBlack), "GdipSetSolidFillColor");

    const ClockTime time{call.time.wHour, call.time.wMinute, call.time.wSecond};
    const ClockHands hands = ClockHandsOf(call.dial, time, call.settings.showSeconds);
    DrawShadow(g, hands);
    DrawHand(g, call, hands.hour, hands.sizes);
    DrawHand(g, call, hands.minute, hands.sizes);
    if (hands.second.shown) DrawSecondHand(g, call, hands.second, hands.sizes);
    const IntBox& cap = hands.cap;
    Gdip(gdip::GdipFillEllipseI(g, call.inkFill.Get(), cap.left, cap.top, cap.width, cap.height), "GdipFillEllipseI");
}

}  // namespace

void ComposeFrame(RenderCall& call) {
    const SaverCanvas& canvas = call.canvas;
    NoteGdiResult(BitBlt(canvas.frameLayer, 0, 0, canvas.width, canvas.height, canvas.faceLayer, 0, 0, SRCCOPY) !=
                      FALSE,
                  "BitBlt");
    DrawHands(canvas.frameLayer, call);
    if (call.time.wMinute == BannerMinute) {
        const RECT canvasRect{0, 0, canvas.width, canvas.height};
        DrawAddressBanner(canvas.frameLayer, canvasRect, call.fullScreen, call.settings.colorOfInk);
    }
}

void DrawAddressBanner(HDC frame, const RECT& canvasRect, bool fullScreen, COLORREF ink) {
    if (!fullScreen) return;
    GdiObjectHolder font(CreateFontA(BannerFontHeight, 0, 0, 0, FW_DONTCARE, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                                     DEFAULT_PITCH | FF_DONTCARE, BannerFontName));
    NoteGdiResult(font.Get() != nullptr, "CreateFontA");
    SelectionGuard selection(frame, font.Get());
    RECT strip;
    SetRect(&strip, 0, 0, canvasRect.right, BannerStripHeight);
    SetTextColor(frame, ink);
    SetBkMode(frame, TRANSPARENT);
    SetTextAlign(frame, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    NoteGdiResult(DrawTextA(frame, TARNWICK_HOME_PAGE, -1, &strip, DT_SINGLELINE | DT_VCENTER | DT_RIGHT) != 0,
                  "DrawTextA");
}
