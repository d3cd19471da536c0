#include "render/gdiplus_painter_win32.h"

#include <vector>

#include "common/utf16_win32.h"

namespace {

using Gdiplus::GpPath;

const Gdiplus::GpPointF* AsPoints(const FloatPoint* points) {
    static_assert(sizeof(FloatPoint) == sizeof(Gdiplus::GpPointF), "points are passed as they are");
    return reinterpret_cast<const Gdiplus::GpPointF*>(points);
}

// The COLORREF of an ARGB colour, for GDI; the alpha is dropped.
COLORREF ColorRefOf(uint32_t argb) {
    return RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF);
}

void AddEllipse(GpPath* path, const IntBox& box) {
    Gdip(gdip::GdipAddPathEllipseI(path, box.left, box.top, box.width, box.height), "GdipAddPathEllipseI");
}

// Adds the polygon running against the ellipses' clockwise way round, whichever way it was given.
void AddPolygonAnticlockwise(GpPath* path, const UnionShape& shape) {
    if (!RunsClockwise(shape.points, shape.pointCount)) {
        Gdip(gdip::GdipAddPathPolygon(path, AsPoints(shape.points), shape.pointCount), "GdipAddPathPolygon");
        return;
    }
    const std::vector<FloatPoint> reversed(std::make_reverse_iterator(shape.points + shape.pointCount),
                                           std::make_reverse_iterator(shape.points));
    Gdip(gdip::GdipAddPathPolygon(path, AsPoints(reversed.data()), shape.pointCount), "GdipAddPathPolygon");
}

}  // namespace

GdiplusPainter::GdiplusPainter(HDC target) : target_(target) {
    // The creation colours never reach the picture: every step sets its colour first.
    CreateInto(pen_, "GdipCreatePen1", gdip::GdipCreatePen1, OpaqueBlack, 1.0f, Gdiplus::UnitWorld);
    CreateInto(fill_, "GdipCreateSolidFill", gdip::GdipCreateSolidFill, OpaqueBlack);
}

GdiplusPainter::~GdiplusPainter() {
    // The graphics object goes before the context's clip does.
    graphics_.Reset();
    if (clip_ != nullptr) NoteGdiResult(SelectClipRgn(target_, nullptr) != ERROR, "SelectClipRgn");
}

void GdiplusPainter::ClipTo(const std::vector<IntBox>* boxes) {
    // A graphics object keeps the context's clip as it was when the object was made: the one made
    // under the last clip goes, before the context's clip changes.
    graphics_.Reset();
    clip_.reset();
    if (boxes != nullptr) {
        clip_ = gdi::Hold(CreateRectRgn(0, 0, 0, 0));
        NoteGdiResult(clip_ != nullptr, "CreateRectRgn");
        for (const IntBox& box : *boxes) {
            const gdi::Object part =
                gdi::Hold(CreateRectRgn(box.left, box.top, box.left + box.width, box.top + box.height));
            NoteGdiResult(part != nullptr && CombineRgn(static_cast<HRGN>(clip_.get()), static_cast<HRGN>(clip_.get()),
                                                        static_cast<HRGN>(part.get()), RGN_OR) != ERROR,
                          "CombineRgn");
        }
    }
    // The context keeps a copy of the region, which clips the banner's GDI text and the graphics
    // object made next. A clip of the graphics object's own would cost Wine a region built anew
    // for every call drawn through it.
    NoteGdiResult(SelectClipRgn(target_, static_cast<HRGN>(clip_.get())) != ERROR, "SelectClipRgn");
}

Gdiplus::GpGraphics* GdiplusPainter::Graphics() {
    if (graphics_.Get() == nullptr) {
        CreateInto(graphics_, "GdipCreateFromHDC", gdip::GdipCreateFromHDC, target_);
        Gdip(gdip::GdipSetSmoothingMode(graphics_.Get(), Gdiplus::SmoothingModeHighQuality), "GdipSetSmoothingMode");
    }
    return graphics_.Get();
}

Gdiplus::GpPen* GdiplusPainter::Pen(uint32_t argb, float width) {
    Gdip(gdip::GdipSetPenColor(pen_.Get(), argb), "GdipSetPenColor");
    Gdip(gdip::GdipSetPenWidth(pen_.Get(), width), "GdipSetPenWidth");
    return pen_.Get();
}

Gdiplus::GpBrush* GdiplusPainter::Fill(uint32_t argb) {
    Gdip(gdip::GdipSetSolidFillColor(fill_.Get(), argb), "GdipSetSolidFillColor");
    return fill_.Get();
}

Gdiplus::GpStringFormat* GdiplusPainter::CentredFormat() {
    if (format_.Get() == nullptr) {
        CreateInto(format_, "GdipCreateStringFormat", gdip::GdipCreateStringFormat, 0, static_cast<LANGID>(0));
        Gdip(gdip::GdipSetStringFormatAlign(format_.Get(), Gdiplus::StringAlignmentCenter),
             "GdipSetStringFormatAlign");
        Gdip(gdip::GdipSetStringFormatLineAlign(format_.Get(), Gdiplus::StringAlignmentCenter),
             "GdipSetStringFormatLineAlign");
    }
    return format_.Get();
}

void GdiplusPainter::FillRectangle(const IntBox& box, uint32_t argb) {
    Gdip(gdip::GdipFillRectangleI(Graphics(), Fill(argb), box.left, box.top, box.width, box.height),
         "GdipFillRectangleI");
}

void GdiplusPainter::FillEllipse(const IntBox& box, uint32_t argb) {
    Gdip(gdip::GdipFillEllipseI(Graphics(), Fill(argb), box.left, box.top, box.width, box.height), "GdipFillEllipseI");
}

void GdiplusPainter::DrawEllipse(const IntBox& box, uint32_t argb, int32_t width) {
    Gdip(gdip::GdipDrawEllipseI(Graphics(), Pen(argb, static_cast<float>(width)), box.left, box.top, box.width,
                                box.height),
         "GdipDrawEllipseI");
}

void GdiplusPainter::FillEllipseGradient(const IntBox& box, IntPoint from, IntPoint to, uint32_t fromArgb,
                                         uint32_t toArgb) {
    // One brush serves every gradient along the same axis; only its colours change.
    const bool sameAxis = gradient_.Get() != nullptr && from.x == gradientFrom_.x && from.y == gradientFrom_.y &&
                          to.x == gradientTo_.x && to.y == gradientTo_.y;
    if (!sameAxis) {
        const Gdiplus::GpPoint start{from.x, from.y};
        const Gdiplus::GpPoint end{to.x, to.y};
        CreateInto(gradient_, "GdipCreateLineBrushI", gdip::GdipCreateLineBrushI, &start, &end, fromArgb, toArgb,
                   Gdiplus::WrapModeTile);
        gradientFrom_ = from;
        gradientTo_ = to;
    }
    Gdip(gdip::GdipSetLineColors(gradient_.Get(), fromArgb, toArgb), "GdipSetLineColors");
    Gdip(gdip::GdipFillEllipseI(Graphics(), gradient_.Get(), box.left, box.top, box.width, box.height),
         "GdipFillEllipseI");
}

void GdiplusPainter::DrawLine(FloatPoint from, FloatPoint to, uint32_t argb, int32_t width) {
    Gdip(gdip::GdipDrawLine(Graphics(), Pen(argb, static_cast<float>(width)), from.x, from.y, to.x, to.y),
         "GdipDrawLine");
}

void GdiplusPainter::FillPolygon(const FloatPoint* points, int count, uint32_t argb) {
    // An open figure of the points: filling closes it.
    PathHolder path;
    CreateInto(path, "GdipCreatePath", gdip::GdipCreatePath, Gdiplus::FillModeAlternate);
    Gdip(gdip::GdipAddPathLine2(path.Get(), AsPoints(points), count), "GdipAddPathLine2");
    Gdip(gdip::GdipFillPath(Graphics(), Fill(argb), path.Get()), "GdipFillPath");
}

void GdiplusPainter::FillUnion(const UnionShape* shapes, int count, uint32_t argb) {
    // Filled by the non-zero rule, the figures cover their union once only if they all run the
    // same way round. GDI+ adds ellipses clockwise and the polygons come anticlockwise: up to the
    // last polygon, ellipses go in reversed and then the whole path is reversed; ellipses after
    // it are already the right way round.
    int lastPolygon = -1;
    for (int i = 0; i < count; ++i) {
        if (shapes[i].kind == UnionShape::Kind::Polygon) lastPolygon = i;
    }
    SolidFillHolder unionFill;
    CreateInto(unionFill, "GdipCreateSolidFill", gdip::GdipCreateSolidFill, argb);
    PathHolder unionPath;
    CreateInto(unionPath, "GdipCreatePath", gdip::GdipCreatePath, Gdiplus::FillModeAlternate);
    GpPath* path = unionPath.Get();
    for (int i = 0; i <= lastPolygon; ++i) {
        if (shapes[i].kind == UnionShape::Kind::Polygon) {
            AddPolygonAnticlockwise(path, shapes[i]);
            continue;
        }
        PathHolder ellipsePath;
        CreateInto(ellipsePath, "GdipCreatePath", gdip::GdipCreatePath, Gdiplus::FillModeAlternate);
        AddEllipse(ellipsePath.Get(), shapes[i].box);
        Gdip(gdip::GdipReversePath(ellipsePath.Get()), "GdipReversePath");
        Gdip(gdip::GdipAddPathPath(path, ellipsePath.Get(), FALSE), "GdipAddPathPath");
    }
    if (lastPolygon >= 0) Gdip(gdip::GdipReversePath(path), "GdipReversePath");
    for (int i = lastPolygon + 1; i < count; ++i) AddEllipse(path, shapes[i].box);
    Gdip(gdip::GdipSetPathFillMode(path, Gdiplus::FillModeWinding), "GdipSetPathFillMode");
    Gdip(gdip::GdipFillPath(Graphics(), unionFill.Get(), path), "GdipFillPath");
}

bool GdiplusPainter::UseFontFamily(const char16_t* family) {
    font_.Reset();
    CreateInto(family_, "GdipCreateFontFamilyFromName", gdip::GdipCreateFontFamilyFromName, Wide(family),
               static_cast<Gdiplus::GpFontCollection*>(nullptr));
    return family_.Get() != nullptr;
}

void GdiplusPainter::DrawCentredText(const char16_t* text, const FloatBox& box, float emSize, uint32_t argb) {
    if (family_.Get() == nullptr) return;
    if (font_.Get() == nullptr || fontEmSize_ != emSize) {
        CreateInto(font_, "GdipCreateFont", gdip::GdipCreateFont, static_cast<const Gdiplus::GpFontFamily*>(family_.Get()),
                   emSize, static_cast<INT>(Gdiplus::FontStyleRegular), Gdiplus::UnitPixel);
        fontEmSize_ = emSize;
    }
    const Gdiplus::RectF layout(box.left, box.top, box.width, box.height);
    Gdip(gdip::GdipDrawString(Graphics(), Wide(text), -1, font_.Get(), &layout, CentredFormat(), Fill(argb)),
         "GdipDrawString");
}

void GdiplusPainter::DrawOutlinedText(const char16_t* text, const IntBox& box, float emSize, uint32_t fillArgb,
                                      uint32_t outlineArgb, float outlineWidth) {
    if (family_.Get() == nullptr) return;
    PathHolder path;
    CreateInto(path, "GdipCreatePath", gdip::GdipCreatePath, Gdiplus::FillModeAlternate);
    const Gdiplus::Rect layout(box.left, box.top, box.width, box.height);
    Gdip(gdip::GdipAddPathStringI(path.Get(), Wide(text), -1, family_.Get(), Gdiplus::FontStyleRegular, emSize,
                                  &layout, CentredFormat()),
         "GdipAddPathStringI");
    Gdip(gdip::GdipFillPath(Graphics(), Fill(fillArgb), path.Get()), "GdipFillPath");
    Gdip(gdip::GdipDrawPath(Graphics(), Pen(outlineArgb, outlineWidth), path.Get()), "GdipDrawPath");
}

void GdiplusPainter::DrawBannerText(const char* text, const IntBox& strip, const char* fontFamily,
                                    int32_t fontHeight, uint32_t argb) {
    // GDI draws on the same device context: the graphics object goes first, so nothing of GDI+
    // is still pending underneath.
    graphics_.Reset();
    gdi::Object font = gdi::Hold(CreateFontA(fontHeight, 0, 0, 0, FW_DONTCARE, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                                             DEFAULT_PITCH | FF_DONTCARE, fontFamily));
    NoteGdiResult(font != nullptr, "CreateFontA");
    gdi::Selection selection(target_, font.get());
    RECT rect;
    SetRect(&rect, strip.left, strip.top, strip.left + strip.width, strip.top + strip.height);
    SetTextColor(target_, ColorRefOf(argb));
    SetBkMode(target_, TRANSPARENT);
    SetTextAlign(target_, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    NoteGdiResult(DrawTextA(target_, text, -1, &rect, DT_SINGLELINE | DT_VCENTER | DT_RIGHT) != 0, "DrawTextA");
}
