// The dial's geometry: every size and position of the static clock face, derived from the
// canvas size alone. Platform-free, so the numbers can be checked without a screen.
#pragma once

#include <cstdint>

#include "settings/clock_settings.h"

// The clock's own degree-to-radian factor: 3.14 / 180, not pi / 180. Every angle of the
// picture goes through it, so a full turn is 6.28 and the markers sit a hair short of true.
constexpr double DegreeToRadian = 3.14 / 180;
// The clock's full turn and half turn in its own radians.
constexpr double FullTurn = 6.28;
constexpr double HalfTurn = 3.14;
constexpr double QuarterTurn = 1.57;

constexpr int MarkerCount = 60;
constexpr int MarkersPerHour = 5;
// The numerals' layout box is never smaller than this, so small dials keep their look.
constexpr int32_t MinNumeralBoxSide = 140;

// Opaque ARGB colours and the alpha-only shades of the dial.
constexpr uint32_t OpaqueBlack = 0xFF000000;
constexpr uint32_t OpaqueWhite = 0xFFFFFFFF;
constexpr uint32_t BezelLightColor = 0x60000000;
constexpr uint32_t BezelDarkColor = 0xC0000000;
constexpr uint32_t RimDarkColor = 0xFF000000;
constexpr uint32_t RimLightColor = 0x40000000;

struct IntPoint {
    int32_t x;
    int32_t y;
};

struct FloatPoint {
    float x;
    float y;
};

// A box given by its top-left corner and its size, as ellipses and layout rectangles are.
struct IntBox {
    int32_t left;
    int32_t top;
    int32_t width;
    int32_t height;
};

struct FloatBox {
    float left;
    float top;
    float width;
    float height;
};

struct DialGeometry {
    int32_t centerX;
    int32_t centerY;
    int32_t radius;         // R: the whole clock, bezel included
    int32_t diameter;
    int32_t unit;           // e: scales line widths, marker, cap and font sizes
    int32_t bezelRadius;
    int32_t rimRadius;
    int32_t faceRadius;
    int32_t markerRadius;
    int32_t numeralRadius;
    int32_t handRadius;
};

// Truncation toward zero of an integer scaled by a constant, in double precision.
int32_t Scaled(int32_t value, double factor);

// A non-positive side counts as 0, so any input gives a usable (if empty) dial.
DialGeometry DialGeometryOf(int32_t width, int32_t height);

// Angles are in the clock's radians: 0 at twelve o'clock, growing clockwise; y points down.
FloatPoint DialPoint(const DialGeometry& dial, double r, double t);
// The integer form truncates each product before adding it to the centre.
IntPoint DialPointI(const DialGeometry& dial, double r, double t);

// Brings an angle of a full turn or more back by one full turn (once).
double WrapAngle(double a);

// COLORREF 0x00BBGGRR to opaque ARGB 0xFFRRGGBB; the COLORREF's top byte is ignored.
uint32_t ColorRefToArgb(uint32_t colorRef);

// The bounding box of the circle of radius r around (x, y).
IntBox CircleBox(int32_t x, int32_t y, int32_t r);

// Marker i (0 to 59) in the clock's radians.
double MarkerAngle(int i);

// Every fifth marker is an hour disc; the others are minute lines of the same length.
struct DialMarker {
    bool isHour;
    IntBox disc;    // hour markers
    IntPoint outer; // minute markers: the line's ends
    IntPoint inner;
};
DialMarker DialMarkerOf(const DialGeometry& dial, int i);

// Numeral n (1 to 12): where it is centred and the box it is laid out in. Roman numerals run
// up to four letters wide: their box is twice as wide, so none is cut.
int32_t NumeralFontSize(const DialGeometry& dial);
int32_t NumeralBoxSide(const DialGeometry& dial);
IntPoint NumeralAnchor(const DialGeometry& dial, int numeral);
FloatBox NumeralBox(const DialGeometry& dial, int numeral, NumeralStyle style = NumeralStyle::Arabic);
// What numeral n reads in a style: "4" or "IIII" (as clock faces write it); empty where the
// style shows none.
const char16_t* NumeralText(NumeralStyle style, int numeral);
constexpr NumeralStyle NumeralStyleOf(int32_t value) {
    return value >= 0 && value <= static_cast<int32_t>(NumeralStyle::Hidden) ? static_cast<NumeralStyle>(value)
                                                                            : NumeralStyle::Arabic;
}

// The logo line: its font size and the box below the centre it is centred in.
int32_t LogoFontSize(const DialGeometry& dial);
IntBox LogoBox(const DialGeometry& dial);
