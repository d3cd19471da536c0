// One saver run as every host lives it: the tick state with its first reading, the display's
// power, the one pointer anchor, the end rules and the wait until the next frame. Platform-free:
// a host translates its events into these calls and carries out the step each one returns.
#pragma once

#include <cstdint>
#include <optional>

#include "common/local_time.h"
#include "host/saver_rules.h"
#include "settings/clock_settings.h"

enum class DisplayPower { On, Dimmed, Off };

// What the host does after an event. The dial flag stands even when nothing is drawn (the
// display is off), so the next frame redraws the dial.
struct SessionStep {
    bool draw = false;       // every clock shows a new frame of the session's reading
    bool dialDirty = false;  // every dial is drawn anew first
    bool end = false;        // the saver ends with exitCode
    int exitCode = 0;
};

// How often frames come: once a minute without the seconds hand, once a second with it, and
// GlideFramesPerSecond while a full-screen needle glides on mains power.
enum class FrameCadence { Minute, Second, Glide };
constexpr int32_t GlideFramesPerSecond = 30;
// The wait for the next glide frame, in whole milliseconds, is at most this.
constexpr int32_t GlideFrameWaitMs = (1000 + GlideFramesPerSecond - 1) / GlideFramesPerSecond;

class SaverSession {
public:
    // The first frame is drawn by the host at `first`; the tick state starts from it, so the
    // first tick judges a real change.
    SaverSession(const ClockSettings& settings, bool fullScreen, const ClockReading& first);

    // The time to show a frame of, when the host has to draw outside a tick (an expose, a new
    // surface): the last reading the session judged.
    const LocalDateTime& Reading() const { return reading_.local; }
    // The same reading with its instant, which world clocks convert.
    const ClockReading& Shown() const { return reading_; }
    bool FullScreen() const { return fullScreen_; }
    bool DisplayOn() const { return !displayOff_; }
    FrameCadence Cadence() const;

    // A tick at this reading: a new frame when the picture changed, the dial when the day or
    // the face turned; nothing drawn while the display is off.
    SessionStep Tick(const ClockReading& now);
    // A tick of a host that asks for the display's power and the power source at each tick
    // rather than being told: both taken first, then the tick.
    SessionStep Tick(const ClockReading& now, DisplayPower power, bool onBattery);
    // Milliseconds until the next tick is due; 0 when it is (also when the clock was set, so the
    // ticks never stall).
    int32_t MillisecondsUntilTick(TickInstant now) const;

    // The display's power changed: on (or dimmed) again after off, every clock gets a whole fresh
    // frame at once.
    SessionStep Display(DisplayPower power, const ClockReading& now);
    // The clocks were laid out anew (a new size, monitor or output): fresh frames and dials.
    SessionStep LayoutChanged(const ClockReading& now);

    // A key or a button: the end.
    SessionStep Input() const { return Ended(0); }
    // The pointer at a position of the surface it is over. The first position after the start
    // or after entering a surface becomes the anchor; a move beyond the slack ends the saver.
    SessionStep Pointer(ScreenPoint at);
    // The pointer came onto another surface, whose positions are not comparable with the last.
    void PointerEntered() { anchor_.reset(); }
    // Whether the machine runs on its battery (or saves it): the needle then steps, as it does
    // without glide.
    void OnBattery(bool onBattery) { onBattery_ = onBattery; }
    // A stop signal or the surfaces closed by the compositor: the end, exit 0.
    SessionStep Stop() const { return Ended(0); }
    // The connection to the display was lost: the end, exit 1.
    SessionStep Lost() const { return Ended(1); }

private:
    static SessionStep Ended(int code) { return {false, false, true, code}; }
    void ScheduleAfter(const ClockReading& now);
    // Takes the reading frames show: a stepping needle shows whole seconds.
    void Show(const ClockReading& now);

    const ClockSettings& settings_;
    bool fullScreen_;
    ClockReading reading_;
    TickState tick_;
    TickInstant next_{};
    bool displayOff_ = false;
    bool onBattery_ = false;
    std::optional<ScreenPoint> anchor_;
};
