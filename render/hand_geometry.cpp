#include "render/hand_geometry.h"

#include <cmath>

namespace {

// The needle's tip corners lie this far either side of its direction; its tail corners lie
// around the opposite direction, 0.06 either side of it.
constexpr double NeedleTipSpread = 0.003;
constexpr double NeedleTailNear = 3.08;
constexpr double NeedleTailFar = 3.2;

FloatPoint Moved(FloatPoint p, float by) {
    return {p.x + by, p.y + by};
}

IntBox MovedBox(IntBox box, int32_t by) {
    return {box.left + by, box.top + by, box.width, box.height};
}

// The shadow quadrilateral of a hand line from tip to tail of the given half width: around the
// moved, whole-pixel tip and tail points, tip side first.
void BuildHandShadow(Hand& hand, double angle, int32_t halfWidth, int32_t by) {
    const int32_t tx = static_cast<int32_t>(hand.tip.x + by);
    const int32_t ty = static_cast<int32_t>(hand.tip.y + by);
    const int32_t qx = static_cast<int32_t>(hand.tail.x + by);
    const int32_t qy = static_cast<int32_t>(hand.tail.y + by);
    const double p = WrapAngle(angle + QuarterTurn);
    const double n = WrapAngle(angle - QuarterTurn);
    auto side = [halfWidth](int32_t x, int32_t y, double direction) {
        return FloatPoint{static_cast<float>(x + halfWidth * std::sin(direction)),
                          static_cast<float>(y - halfWidth * std::cos(direction))};
    };
    hand.shadow[0] = side(tx, ty, p);
    hand.shadow[1] = side(tx, ty, n);
    hand.shadow[2] = side(qx, qy, n);
    hand.shadow[3] = side(qx, qy, p);
}

Hand HandOf(const DialGeometry& dial, double angle, int32_t length, int32_t tailLength,
            int32_t stripeOuter, int32_t stripeInner, int32_t halfWidth, int32_t shadowOffset) {
    Hand hand{};
    hand.tip = DialPoint(dial, length, angle);
    hand.tail = DialPoint(dial, tailLength, WrapAngle(angle + HalfTurn));
    hand.stripeOuter = DialPoint(dial, stripeOuter, angle);
    hand.stripeInner = DialPoint(dial, stripeInner, angle);
    BuildHandShadow(hand, angle, halfWidth, shadowOffset);
    return hand;
}

SecondHand SecondHandOf(const DialGeometry& dial, const HandSizes& sizes, double angle, int32_t shadowOffset) {
    SecondHand second{};
    second.shown = true;
    second.needle[0] = DialPoint(dial, sizes.secondLength, angle + NeedleTipSpread);
    second.needle[1] = DialPoint(dial, sizes.secondLength, angle - NeedleTipSpread);
    second.needle[2] = DialPoint(dial, sizes.secondTailLength, WrapAngle(angle + NeedleTailFar));
    second.needle[3] = DialPoint(dial, sizes.secondTailLength, WrapAngle(angle + NeedleTailNear));
    for (int i = 0; i < 4; ++i) {
        second.needleShadow[i] = Moved(second.needle[i], static_cast<float>(shadowOffset));
    }
    const IntPoint centre = DialPointI(dial, sizes.hourLength, angle);
    second.disc = CircleBox(centre.x, centre.y, sizes.discRadius);
    second.discShadow = MovedBox(second.disc, shadowOffset);
    return second;
}

}  // namespace

HandSizes HandSizesOf(const DialGeometry& dial) {
    const int32_t rh = dial.handRadius;
    const int32_t e = dial.unit;
    HandSizes sizes{};
    sizes.hourLength = Scaled(rh, 0.7);
    sizes.minuteLength = Scaled(rh, 0.9);
    sizes.tailLength = Scaled(rh, 0.25);
    sizes.secondLength = rh;
    sizes.secondTailLength = Scaled(rh, 0.4);
    sizes.hourStripeOuter = Scaled(rh, 0.69);
    sizes.minuteStripeOuter = Scaled(rh, 0.89);
    sizes.stripeInner = Scaled(rh, 0.45);
    sizes.handWidth = 6 * e;
    sizes.stripeWidth = 4 * e;
    sizes.discRadius = 5 * e;
    sizes.capRadius = 9 * e;
    sizes.outlineWidth = e;
    return sizes;
}

HandAngles HandAnglesOf(const ClockTime& time, int32_t showSeconds) {
    // The hour hand goes round twice a day; 0 stays 0 and 12 stays 12, so noon sits a hair short
    // of the top while midnight is exactly on it.
    const int32_t h = time.hour > 12 ? time.hour - 12 : time.hour;
    HandAngles angles{};
    angles.hour = ((h + time.minute / 60.0) * 360 / 12) * DegreeToRadian;
    angles.minute = (6 * time.minute) * DegreeToRadian;
    const SecondsMode mode = SecondsModeOf(showSeconds);
    // A gliding needle stands between the seconds, forward or back; a stepping one on them.
    const double second = time.second + time.millisecond / 1000.0;
    const double s = mode == SecondsMode::FullBack ? 60 - second : second;
    angles.second = mode == SecondsMode::Off ? 0.0 : (6 * s) * DegreeToRadian;
    return angles;
}

ClockHands ClockHandsOf(const DialGeometry& dial, const ClockTime& time, int32_t showSeconds, int32_t shadowOffset) {
    ClockHands hands{};
    hands.sizes = HandSizesOf(dial);
    hands.angles = HandAnglesOf(time, showSeconds);
    const HandSizes& s = hands.sizes;
    const int32_t halfWidth = s.handWidth / 2;
    hands.hour = HandOf(dial, hands.angles.hour, s.hourLength, s.tailLength, s.hourStripeOuter,
                        s.stripeInner, halfWidth, shadowOffset);
    hands.minute = HandOf(dial, hands.angles.minute, s.minuteLength, s.tailLength,
                          s.minuteStripeOuter, s.stripeInner, halfWidth, shadowOffset);
    if (SecondsModeOf(showSeconds) != SecondsMode::Off) {
        hands.second = SecondHandOf(dial, s, hands.angles.second, shadowOffset);
    }
    hands.cap = CircleBox(dial.centerX, dial.centerY, s.capRadius);
    hands.capShadow = MovedBox(hands.cap, shadowOffset);
    return hands;
}
