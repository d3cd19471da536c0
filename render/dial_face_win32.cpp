// The static dial, drawn into the face layer only while it is marked dirty.
#include <cwchar>

#include "render/clock_layers_win32.h"

namespace {

using Gdiplus::GpGraphics;

// Settings texts and the date are at most 259 characters and a NUL.
constexpr int TextCapacity = SettingsTextCapacity;

struct TextBuffer {
    WCHAR text[TextCapacity];
};

// A settings text with its end guaranteed, whatever the record holds.
TextBuffer SettingsText(const char16_t (&source)[SettingsTextCapacity]) {
    TextBuffer buffer{};
    for (int i = 0; i < TextCapacity - 1 && source[i] != u'\0'; ++i) {
        buffer.text[i] = static_cast<WCHAR>(source[i]);
    }
    return buffer;
}

void FillCircle(GpGraphics* graphics, Gdiplus::GpBrush* fill, const DialGeometry& dial, int32_t r) {
    const IntBox box = CircleBox(dial.centerX, dial.centerY, r);
    Gdip(gdip::GdipFillEllipseI(graphics, fill, box.left, box.top, box.width, box.height), "GdipFillEllipseI");
}

// White ground, then the bezel and the rim as two gradients that shade opposite ways, and the
// white face over the middle of the rim.
void DrawRings(GpGraphics* graphics, RenderCall& call) {
    const DialGeometry& dial = call.dial;
    Gdip(gdip::GdipFillRectangleI(graphics, call.backgroundFill.Get(), 0, 0, call.canvas.width,
                                  call.canvas.height),
         "GdipFillRectangleI");

    // The gradient's axis runs across the square around the whole clock, not the bezel.
    const Gdiplus::GpPoint from{dial.centerX - dial.radius, dial.centerY - dial.radius};
    const Gdiplus::GpPoint to{dial.centerX + dial.radius, dial.centerY + dial.radius};
    LineGradientHolder bezelGradient;
    CreateInto(bezelGradient, "GdipCreateLineBrushI", gdip::GdipCreateLineBrushI, &from, &to, BezelLightColor,
               BezelDarkColor, Gdiplus::WrapModeTile);
    Gdip(gdip::GdipSetLineColors(bezelGradient.Get(), BezelLightColor, BezelDarkColor), "GdipSetLineColors");
    FillCircle(graphics, bezelGradient.Get(), dial, dial.bezelRadius);

    Gdip(gdip::GdipSetLineColors(bezelGradient.Get(), RimDarkColor, RimLightColor), "GdipSetLineColors");
    FillCircle(graphics, call.backgroundFill.Get(), dial, dial.rimRadius);
    FillCircle(graphics, bezelGradient.Get(), dial, dial.rimRadius);

    FillCircle(graphics, call.backgroundFill.Get(), dial, dial.faceRadius);
}

// Hour discs in the marker colour with a black outline; minute lines in black.
void DrawMarkers(GpGraphics* graphics, RenderCall& call) {
    Gdiplus::GpPen* pen = call.inkPen.Get();
    for (int i = 0; i < MarkerCount; ++i) {
        const DialMarker marker = DialMarkerOf(call.dial, i);
        if (marker.isHour) {
            const IntBox& d = marker.disc;
            Gdip(gdip::GdipFillEllipseI(graphics, call.backgroundFill.Get(), d.left, d.top, d.width, d.height),
                 "GdipFillEllipseI");
            Gdip(gdip::GdipDrawEllipseI(graphics, pen, d.left, d.top, d.width, d.height), "GdipDrawEllipseI");
        } else {
            Gdip(gdip::GdipDrawLineI(graphics, pen, marker.outer.x, marker.outer.y, marker.inner.x,
                                     marker.inner.y),
                 "GdipDrawLineI");
        }
    }
}

// The numerals 12, 1, 2, ... 11, each centred in its box round its anchor.
void DrawNumerals(GpGraphics* graphics, RenderCall& call, Gdiplus::GpFont* font,
                  Gdiplus::GpStringFormat* format) {
    for (int i = 0; i < MarkerCount; i += MarkersPerHour) {
        const int numeral = i == 0 ? 12 : i / MarkersPerHour;
        WCHAR text[4];
        wsprintfW(text, L"%d", numeral);
        const FloatBox box = NumeralBox(call.dial, numeral);
        const Gdiplus::RectF layout(box.left, box.top, box.width, box.height);
        Gdip(gdip::GdipDrawString(graphics, text, -1, font, &layout, format, call.inkFill.Get()),
             "GdipDrawString");
    }
}

// The logo line's text for this call: the local date, the user's text, or none.
TextBuffer LogoText(const RenderCall& call) {
    switch (LogoModeOf(call.settings.showLogo)) {
    case LogoMode::Off:
        return TextBuffer{};
    case LogoMode::Date: {
        TextBuffer date{};
        // Locale 0 stands for the user's default locale; an impossible date leaves the text empty.
        constexpr LCID UserLocale = 0;
        if (GetDateFormatW(UserLocale, 0, &call.time, nullptr, date.text, TextCapacity) == 0) {
            date.text[0] = L'\0';
        }
        return date;
    }
    case LogoMode::Text:
        break;
    }
    return SettingsText(call.settings.logoText);
}

// The logo as outlined glyphs: filled in the marker colour, outlined in black.
void DrawLogo(GpGraphics* graphics, RenderCall& call, Gdiplus::GpFontFamily* family,
              Gdiplus::GpStringFormat* format) {
    PathHolder path;
    CreateInto(path, "GdipCreatePath", gdip::GdipCreatePath, Gdiplus::FillModeAlternate);
    Gdip(gdip::GdipSetPenWidth(call.inkPen.Get(), 1.0f), "GdipSetPenWidth");
    if (LogoModeOf(call.settings.showLogo) == LogoMode::Off) return;

    const TextBuffer text = LogoText(call);
    const IntBox box = LogoBox(call.dial);
    const Gdiplus::Rect layout(box.left, box.top, box.width, box.height);
    Gdip(gdip::GdipAddPathStringI(path.Get(), text.text, -1, family, Gdiplus::FontStyleRegular,
                                  static_cast<Gdiplus::REAL>(LogoFontSize(call.dial)), &layout, format),
         "GdipAddPathStringI");
    Gdip(gdip::GdipSetSolidFillColor(call.inkFill.Get(), ColorRefToArgb(call.settings.colorOfMarkers)),
         "GdipSetSolidFillColor");
    Gdip(gdip::GdipFillPath(graphics, call.inkFill.Get(), path.Get()), "GdipFillPath");
    Gdip(gdip::GdipSetPenColor(call.inkPen.Get(), OpaqueBlack), "GdipSetPenColor");
    Gdip(gdip::GdipDrawPath(graphics, call.inkPen.Get(), path.Get()), "GdipDrawPath");
}

}  // namespace

void DrawDialFace(RenderCall& call) {
    GraphicsHolder graphics;
    CreateInto(graphics, "GdipCreateFromHDC", gdip::GdipCreateFromHDC, call.canvas.faceLayer);
    GpGraphics* g = graphics.Get();
    Gdip(gdip::GdipSetSmoothingMode(g, Gdiplus::SmoothingModeHighQuality), "GdipSetSmoothingMode");

    Gdip(gdip::GdipSetPenColor(call.inkPen.Get(), OpaqueBlack), "GdipSetPenColor");
    Gdip(gdip::GdipSetSolidFillColor(call.inkFill.Get(), OpaqueBlack), "GdipSetSolidFillColor");
    Gdip(gdip::GdipSetSolidFillColor(call.backgroundFill.Get(), OpaqueWhite), "GdipSetSolidFillColor");
    DrawRings(g, call);

    Gdip(gdip::GdipSetSolidFillColor(call.backgroundFill.Get(), ColorRefToArgb(call.settings.colorOfMarkers)),
         "GdipSetSolidFillColor");
    DrawMarkers(g, call);

    // A font name that no installed family answers to leaves numerals and logo out.
    const TextBuffer fontName = SettingsText(call.settings.nameOfFont);
    FontFamilyHolder family;
    CreateInto(family, "GdipCreateFontFamilyFromName", gdip::GdipCreateFontFamilyFromName, fontName.text,
               static_cast<Gdiplus::GpFontCollection*>(nullptr));
    FontHolder font;
    CreateInto(font, "GdipCreateFont", gdip::GdipCreateFont, static_cast<const Gdiplus::GpFontFamily*>(family.Get()),
               static_cast<Gdiplus::REAL>(NumeralFontSize(call.dial)), static_cast<INT>(Gdiplus::FontStyleRegular),
               Gdiplus::UnitPixel);
    StringFormatHolder format;
    CreateInto(format, "GdipCreateStringFormat", gdip::GdipCreateStringFormat, 0, static_cast<LANGID>(0));
    Gdip(gdip::GdipSetStringFormatAlign(format.Get(), Gdiplus::StringAlignmentCenter), "GdipSetStringFormatAlign");
    Gdip(gdip::GdipSetStringFormatLineAlign(format.Get(), Gdiplus::StringAlignmentCenter),
         "GdipSetStringFormatLineAlign");
    DrawNumerals(g, call, font.Get(), format.Get());
    DrawLogo(g, call, family.Get(), format.Get());
}
