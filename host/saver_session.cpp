#include "host/saver_session.h"

namespace {

constexpr int64_t SecondsPerMinute = 60;
constexpr int64_t NsPerSecond = 1'000'000'000;
constexpr int32_t SecondsOff = 0;

}  // namespace

SaverSession::SaverSession(const ClockSettings& settings, bool fullScreen, const ClockReading& first)
    : settings_(settings), fullScreen_(fullScreen), reading_(first) {
    TickAt(tick_, first.local, settings_);
    Show(first);
    ScheduleAfter(first);
}

FrameCadence SaverSession::Cadence() const {
    // While the display is off the ticks only watch for it coming back: once a second.
    if (displayOff_) return FrameCadence::Second;
    if (settings_.showSeconds == SecondsOff) return FrameCadence::Minute;
    // The preview and the settings' miniature always step, and so does a needle on battery.
    if (settings_.glide != 0 && fullScreen_ && !onBattery_) return FrameCadence::Glide;
    return FrameCadence::Second;
}

void SaverSession::Show(const ClockReading& now) {
    reading_ = now;
    if (Cadence() != FrameCadence::Glide) reading_.local.millisecond = 0;
}

void SaverSession::ScheduleAfter(const ClockReading& now) {
    if (Cadence() == FrameCadence::Glide) {
        next_ = now.instant;
        next_.nanoseconds += NsPerSecond / GlideFramesPerSecond;
        if (next_.nanoseconds >= NsPerSecond) next_ = {next_.seconds + 1, next_.nanoseconds - NsPerSecond};
        return;
    }
    next_ = NextTickAfter(now.instant);
    // Without the needle nothing moves before the minute turns.
    if (Cadence() == FrameCadence::Minute) next_.seconds += SecondsPerMinute - 1 - now.local.second;
}

int32_t SaverSession::MillisecondsUntilTick(TickInstant now) const {
    const int64_t longest = Cadence() == FrameCadence::Minute ? SecondsPerMinute : 1;
    return ::MillisecondsUntilTick(now, next_, longest);
}

SessionStep SaverSession::Tick(const ClockReading& now) {
    const TickResult result = TickAt(tick_, now.local, settings_);
    ScheduleAfter(now);
    SessionStep step;
    step.dialDirty = result.faceDirty;
    step.draw = result.invalidate && !displayOff_;
    if (step.draw) Show(now);
    return step;
}

SessionStep SaverSession::Tick(const ClockReading& now, DisplayPower power, bool onBattery) {
    OnBattery(onBattery);
    const SessionStep woke = Display(power, now);
    SessionStep step = Tick(now);
    step.draw = step.draw || woke.draw;
    return step;
}

SessionStep SaverSession::Display(DisplayPower power, const ClockReading& now) {
    const bool wasOff = displayOff_;
    displayOff_ = power == DisplayPower::Off;
    SessionStep step;
    // Back on: a whole fresh frame, since what the screen kept while off is not to be trusted.
    if (wasOff && !displayOff_) {
        step.draw = true;
        step.dialDirty = true;
        Show(now);
    }
    ScheduleAfter(now);
    return step;
}

SessionStep SaverSession::LayoutChanged(const ClockReading& now) {
    Show(now);
    SessionStep step;
    step.dialDirty = true;
    step.draw = !displayOff_;
    return step;
}

SessionStep SaverSession::Pointer(ScreenPoint at) {
    if (!anchor_) {
        anchor_ = at;
        return {};
    }
    return MouseMoveEndsSaver(*anchor_, at) ? Ended(0) : SessionStep{};
}
