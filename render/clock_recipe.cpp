#include "render/clock_recipe.h"

namespace {

// The bezel and the rim shade along one axis across the square round the whole clock.
void PaintRings(ClockPainter& painter, const ClockScene& scene, const DialGeometry& dial) {
    const FacePalette& colors = scene.palette;
    painter.FillRectangle({0, 0, scene.faceWidth, scene.faceHeight}, colors.ground);
    const IntPoint from{dial.centerX - dial.radius, dial.centerY - dial.radius};
    const IntPoint to{dial.centerX + dial.radius, dial.centerY + dial.radius};
    const IntBox bezel = CircleBox(dial.centerX, dial.centerY, dial.bezelRadius);
    const IntBox rim = CircleBox(dial.centerX, dial.centerY, dial.rimRadius);
    // The bezel's shades are partly transparent too: on a ground of the user's colour they are
    // laid on the underlay, so they keep their look.
    if (colors.ground != colors.rimUnder) painter.FillEllipse(bezel, colors.rimUnder);
    painter.FillEllipseGradient(bezel, from, to, colors.bezelFrom, colors.bezelTo);
    // The rim's shades are partly transparent: laid on their own underlay, not on the bezel.
    painter.FillEllipse(rim, colors.rimUnder);
    painter.FillEllipseGradient(rim, from, to, colors.rimFrom, colors.rimTo);
    painter.FillEllipse(CircleBox(dial.centerX, dial.centerY, dial.faceRadius), colors.face);
}

// Hour discs in the marker colour outlined in ink; minute lines in the numerals' colour.
void PaintMarkers(ClockPainter& painter, const DialGeometry& dial, uint32_t markerColor, uint32_t ink,
                  uint32_t ticks) {
    for (int i = 0; i < MarkerCount; ++i) {
        const DialMarker marker = DialMarkerOf(dial, i);
        if (marker.isHour) {
            painter.FillEllipse(marker.disc, markerColor);
            painter.DrawEllipse(marker.disc, ink, dial.unit);
        } else {
            const FloatPoint outer{static_cast<float>(marker.outer.x), static_cast<float>(marker.outer.y)};
            const FloatPoint inner{static_cast<float>(marker.inner.x), static_cast<float>(marker.inner.y)};
            painter.DrawLine(outer, inner, ticks, dial.unit);
        }
    }
}

// The numerals 12, 1, 2, ... 11 in the chosen style, each centred in its box round its anchor.
void PaintNumerals(ClockPainter& painter, const DialGeometry& dial, NumeralStyle style, uint32_t color) {
    // Roman numerals run up to four letters: a smaller face keeps them apart.
    constexpr float RomanScale = 0.65f;
    const float emSize = static_cast<float>(NumeralFontSize(dial)) * (style == NumeralStyle::Roman ? RomanScale : 1.0f);
    for (int i = 0; i < MarkerCount; i += MarkersPerHour) {
        const int numeral = i == 0 ? 12 : i / MarkersPerHour;
        const char16_t* text = NumeralText(style, numeral);
        if (text[0] == u'\0') continue;
        painter.DrawCentredText(text, NumeralBox(dial, numeral, style), emSize, color);
    }
}

// The logo line as outlined glyphs: filled in the marker colour, outlined in ink.
void PaintLogo(ClockPainter& painter, const ClockScene& scene, const DialGeometry& dial, uint32_t markerColor) {
    char16_t text[SettingsTextCapacity];
    switch (LogoModeOf(scene.settings.showLogo)) {
    case LogoMode::Off:
        return;
    case LogoMode::Date:
        CopySettingsText(text, scene.dateText.c_str());
        break;
    case LogoMode::Text:
        CopySettingsText(text, scene.settings.logoText);
        break;
    }
    if (text[0] == u'\0') return;
    constexpr float OutlineWidth = 1.0f;
    painter.DrawOutlinedText(text, LogoBox(dial), static_cast<float>(LogoFontSize(dial)), markerColor,
                             scene.palette.ink, OutlineWidth);
}

// All shadows in one union: crossing shadows are no darker than single ones. With the still
// hands held, their shadows come as the held coverage; `needle` false leaves the needle's out.
void PaintShadow(ClockPainter& painter, const ClockHands& hands, uint32_t shadow, const HeldStill* held,
                 bool needle = true) {
    UnionShape shapes[5];
    int count = 0;
    auto polygon = [&](const FloatPoint* points) { shapes[count++] = {UnionShape::Kind::Polygon, points, 4, {}}; };
    auto ellipse = [&](const IntBox& box) { shapes[count++] = {UnionShape::Kind::Ellipse, nullptr, 0, box}; };
    if (hands.second.shown && needle) {
        polygon(hands.second.needleShadow);
        ellipse(hands.second.discShadow);
    }
    if (held != nullptr) {
        shapes[count++] = {UnionShape::Kind::Held, nullptr, 0, held->shadows};
    } else {
        polygon(hands.hour.shadow);
        polygon(hands.minute.shadow);
        ellipse(hands.capShadow);
    }
    painter.FillUnion(shapes, count, shadow);
}

// A body from tip to tail with a stripe in the marker colour along it.
void PaintHand(ClockPainter& painter, const Hand& hand, const HandSizes& sizes, uint32_t body, uint32_t markerColor) {
    painter.DrawLine(hand.tip, hand.tail, body, sizes.handWidth);
    painter.DrawLine(hand.stripeOuter, hand.stripeInner, markerColor, sizes.stripeWidth);
}

}  // namespace

void PaintDial(ClockPainter& painter, const ClockScene& scene) {
    const DialGeometry& dial = scene.dial;
    const uint32_t markerColor = ColorRefToArgb(scene.settings.colorOfMarkers);
    PaintRings(painter, scene, dial);
    PaintMarkers(painter, dial, markerColor, scene.palette.ink, scene.palette.numerals);
    // A font name that no installed family answers to leaves numerals and logo out.
    if (!painter.UseFontFamily(scene.settings.nameOfFont)) return;
    PaintNumerals(painter, dial, NumeralStyleOf(scene.settings.numerals), scene.palette.numerals);
    PaintLogo(painter, scene, dial, markerColor);
    if (!scene.caption.empty()) {
        painter.DrawCentredText(scene.caption.c_str(), scene.captionBox, scene.captionEmSize, scene.captionArgb);
    }
}

void PaintHands(ClockPainter& painter, const ClockScene& scene, const HeldStill* held) {
    const FacePalette& colors = scene.palette;
    const uint32_t markerColor = ColorRefToArgb(scene.settings.colorOfMarkers);
    const ClockHands& hands = scene.hands;
    PaintShadow(painter, hands, colors.shadow, held);
    if (held != nullptr) {
        painter.PutHeldHands(*held);
    } else {
        PaintStillHands(painter, scene);
    }
    if (hands.second.shown) {
        painter.FillPolygon(hands.second.needle, 4, colors.needle);
        painter.FillEllipse(hands.second.disc, markerColor);
        painter.DrawEllipse(hands.second.disc, colors.needle, hands.sizes.outlineWidth);
    }
    painter.FillEllipse(hands.cap, colors.hands);
    if (scene.fullScreen && scene.time.minute == BannerMinute) {
        painter.DrawBannerText(scene.homePage, {scene.offset.x, scene.offset.y, scene.width, BannerStripHeight},
                               BannerFontName, BannerFontHeight, scene.bannerArgb);
    }
}

void PaintStillShadows(ClockPainter& painter, const ClockScene& scene) {
    constexpr uint32_t Opaque = 0xFF000000;
    PaintShadow(painter, scene.hands, Opaque, nullptr, false);
}

void PaintStillHands(ClockPainter& painter, const ClockScene& scene) {
    const uint32_t markerColor = ColorRefToArgb(scene.settings.colorOfMarkers);
    PaintHand(painter, scene.hands.hour, scene.hands.sizes, scene.palette.hands, markerColor);
    PaintHand(painter, scene.hands.minute, scene.hands.sizes, scene.palette.hands, markerColor);
}
