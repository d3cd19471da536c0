#include "render/dial_geometry.h"

#include <algorithm>
#include <cmath>

int32_t Scaled(int32_t value, double factor) {
    return static_cast<int32_t>(value * factor);
}

DialGeometry DialGeometryOf(int32_t width, int32_t height) {
    DialGeometry dial{};
    dial.centerX = std::max(width, 0) / 2;
    dial.centerY = std::max(height, 0) / 2;
    const int32_t m = std::min(dial.centerX, dial.centerY);
    dial.radius = Scaled(m, 0.95);
    dial.diameter = 2 * dial.radius;
    dial.unit = dial.diameter / 512 + 1;
    dial.bezelRadius = Scaled(dial.radius, 0.95);
    dial.rimRadius = Scaled(dial.bezelRadius, 0.9);
    dial.faceRadius = Scaled(dial.rimRadius, 0.97);
    dial.markerRadius = Scaled(dial.radius, 0.75);
    dial.numeralRadius = Scaled(dial.radius, 0.6);
    dial.handRadius = Scaled(dial.radius, 0.67);
    return dial;
}

FloatPoint DialPoint(const DialGeometry& dial, double r, double t) {
    return {static_cast<float>(dial.centerX + r * std::sin(t)),
            static_cast<float>(dial.centerY - r * std::cos(t))};
}

IntPoint DialPointI(const DialGeometry& dial, double r, double t) {
    return {dial.centerX + static_cast<int32_t>(r * std::sin(t)),
            dial.centerY - static_cast<int32_t>(r * std::cos(t))};
}

double WrapAngle(double a) {
    return a >= FullTurn ? a - FullTurn : a;
}

uint32_t ColorRefToArgb(uint32_t colorRef) {
    const uint32_t red = colorRef & 0xFF;
    const uint32_t green = (colorRef >> 8) & 0xFF;
    const uint32_t blue = (colorRef >> 16) & 0xFF;
    return 0xFF000000u | (red << 16) | (green << 8) | blue;
}

IntBox CircleBox(int32_t x, int32_t y, int32_t r) {
    return {x - r, y - r, 2 * r, 2 * r};
}

double MarkerAngle(int i) {
    return (6 * i) * DegreeToRadian;
}

DialMarker DialMarkerOf(const DialGeometry& dial, int i) {
    DialMarker marker{};
    const double t = MarkerAngle(i);
    const int32_t halfSize = 5 * dial.unit;
    marker.isHour = i % MarkersPerHour == 0;
    if (marker.isHour) {
        const IntPoint centre = DialPointI(dial, dial.markerRadius, t);
        marker.disc = CircleBox(centre.x, centre.y, halfSize);
    } else {
        marker.outer = DialPointI(dial, dial.markerRadius + halfSize, t);
        marker.inner = DialPointI(dial, dial.markerRadius - halfSize, t);
    }
    return marker;
}

int32_t NumeralFontSize(const DialGeometry& dial) {
    return 40 * dial.unit;
}

// The box grows with the font: from e = 3 on a fixed 140-pixel box would wrap "10" to "12"
// onto two lines, and from e = 4 it would cut every numeral's line.
int32_t NumeralBoxSide(const DialGeometry& dial) {
    return std::max(MinNumeralBoxSide, 70 * dial.unit);
}

IntPoint NumeralAnchor(const DialGeometry& dial, int numeral) {
    return DialPointI(dial, dial.numeralRadius, MarkerAngle((numeral % 12) * MarkersPerHour));
}

FloatBox NumeralBox(const DialGeometry& dial, int numeral, NumeralStyle style) {
    const IntPoint anchor = NumeralAnchor(dial, numeral);
    const float side = static_cast<float>(NumeralBoxSide(dial));
    const float width = style == NumeralStyle::Roman ? 2 * side : side;
    return {anchor.x - width / 2, anchor.y - side / 2, width, side};
}

const char16_t* NumeralText(NumeralStyle style, int numeral) {
    static const char16_t* const Arabic[] = {u"12", u"1", u"2", u"3", u"4", u"5", u"6", u"7", u"8", u"9", u"10", u"11"};
    static const char16_t* const Roman[] = {u"XII", u"I",   u"II",   u"III", u"IIII", u"V",
                                            u"VI",  u"VII", u"VIII", u"IX",  u"X",    u"XI"};
    const int index = ((numeral % 12) + 12) % 12;
    switch (style) {
    case NumeralStyle::Arabic: return Arabic[index];
    case NumeralStyle::Roman: return Roman[index];
    case NumeralStyle::Quarters: return index % 3 == 0 ? Arabic[index] : u"";
    case NumeralStyle::Hidden: break;
    }
    return u"";
}

int32_t LogoFontSize(const DialGeometry& dial) {
    return 25 * dial.unit;
}

IntBox LogoBox(const DialGeometry& dial) {
    return {dial.centerX - dial.radius, dial.centerY, dial.diameter, dial.diameter / 3};
}
