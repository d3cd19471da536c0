// The hands' geometry for one local time: sizes, angles, the points of each hand and the
// outlines of their shadows. Platform-free: the time comes in as plain numbers.
#pragma once

#include <cstdint>

#include "render/dial_geometry.h"
#include "settings/clock_settings.h"

// The one soft shadow under all hands: black at alpha 0x20, moved right and down by a fixed
// number of pixels whatever the canvas size.
constexpr uint32_t ShadowColor = 0x20000000;
constexpr int32_t ShadowOffset = 7;

// The part of a local time the hands show (the fields of a SYSTEMTIME, any 16-bit value).
struct ClockTime {
    int32_t hour;
    int32_t minute;
    int32_t second;
    int32_t millisecond = 0;  // a gliding needle's share of the second; 0 for a stepping one
};

struct HandSizes {
    int32_t hourLength;
    int32_t minuteLength;
    int32_t tailLength;          // tail of both the hour and the minute hand
    int32_t secondLength;
    int32_t secondTailLength;
    int32_t hourStripeOuter;
    int32_t minuteStripeOuter;
    int32_t stripeInner;         // inner end of both stripes
    int32_t handWidth;
    int32_t stripeWidth;
    int32_t discRadius;          // the second hand's disc
    int32_t capRadius;
    int32_t outlineWidth;        // the disc's outline
};
HandSizes HandSizesOf(const DialGeometry& dial);

struct HandAngles {
    double hour;
    double minute;
    double second;  // meaningful only while the second hand is shown
};
// showSeconds is a SecondsMode value: 1 runs forward, anything but 0 and 1 runs backward.
HandAngles HandAnglesOf(const ClockTime& time, int32_t showSeconds);

// An hour or minute hand: a line from tip to tail with a stripe along it, and the shadow
// quadrilateral around the moved line.
struct Hand {
    FloatPoint tip;
    FloatPoint tail;
    FloatPoint stripeOuter;
    FloatPoint stripeInner;
    FloatPoint shadow[4];
};

struct SecondHand {
    bool shown;
    FloatPoint needle[4];        // tip corners, then tail corners
    FloatPoint needleShadow[4];
    IntBox disc;
    IntBox discShadow;
};

struct ClockHands {
    HandSizes sizes;
    HandAngles angles;
    Hand hour;
    Hand minute;
    SecondHand second;
    IntBox cap;
    IntBox capShadow;
};
// The shadow lies `shadowOffset` right of and below each hand.
ClockHands ClockHandsOf(const DialGeometry& dial, const ClockTime& time, int32_t showSeconds,
                        int32_t shadowOffset = ShadowOffset);
