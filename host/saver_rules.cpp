#include "host/saver_rules.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

CanvasSize SaverCanvasSize(bool preview, int32_t clientWidth, int32_t clientHeight) {
    if (clientWidth <= 0 || clientHeight <= 0) return {0, 0};
    if (!preview) return {clientWidth, clientHeight};
    int32_t factor = std::max<int32_t>(1, PreviewCanvasSide / std::min(clientWidth, clientHeight));
    // A very long, thin preview must not overflow: the factor shrinks until the longer side fits.
    factor = std::min(factor, std::max<int32_t>(1, INT32_MAX / std::max(clientWidth, clientHeight)));
    return {clientWidth * factor, clientHeight * factor};
}

TickResult Tick(TickState& state, int32_t minute, int32_t day, int32_t showSeconds, int32_t showLogo) {
    constexpr int32_t secondsOff = 0;
    constexpr int32_t logoDate = 1;
    if (minute == state.lastMinute) return {showSeconds != secondsOff, false};
    TickResult result{true, false};
    if (day != state.lastDay) {
        state.lastDay = day;
        result.faceDirty = showLogo == logoDate;
    }
    state.lastMinute = minute;
    return result;
}

bool MouseMoveEndsSaver(ScreenPoint& anchor, ScreenPoint cursor) {
    // 64-bit differences: screen coordinates are never near the limits, but a hostile message
    // path must not overflow.
    const int64_t dx = std::llabs(int64_t{cursor.x} - anchor.x);
    const int64_t dy = std::llabs(int64_t{cursor.y} - anchor.y);
    if (dx > MouseSlack || dy > MouseSlack) return true;
    anchor = cursor;
    return false;
}

bool LosesActivation(uint32_t message, uintptr_t wParam) {
    if (message == saver_message::Activate) return (wParam & 0xFFFF) == 0;
    return wParam == 0;
}

SaverAction DecideSaverAction(bool fullScreen, uint32_t message, uintptr_t wParam) {
    namespace m = saver_message;
    switch (message) {
        case m::Create: return SaverAction::SetUpCanvas;
        case m::Destroy: return SaverAction::Release;
        case m::Activate:
        case m::ActivateApp:
        case m::NcActivate: return SaverAction::EndIfDeactivated;
        case m::Paint: return SaverAction::Paint;
        case m::Close: return SaverAction::Close;
        case m::SetCursor: return fullScreen ? SaverAction::HideCursor : SaverAction::Ignore;
        case m::KeyDown:
        case m::SysKeyDown:
        case m::LButtonDown:
        case m::RButtonDown:
        case m::MButtonDown: return fullScreen ? SaverAction::EndSaver : SaverAction::Ignore;
        case m::SysCommand:
            // Full screen swallows every system command (screen saver, close, task switch)
            // except the monitor-power request, which the system must still see.
            if (fullScreen && (wParam & m::SystemCommandMask) == m::MonitorPowerCommand) return SaverAction::Default;
            return SaverAction::Ignore;
        case m::Timer: return SaverAction::Tick;
        case m::MouseMove: return fullScreen ? SaverAction::MouseRule : SaverAction::Ignore;
        // The full-screen canvas is made once for the screen it covers; a new arrangement of the
        // displays ends the run, and the system starts a fresh one at the next idle time.
        case m::DisplayChange: return fullScreen ? SaverAction::EndSaver : SaverAction::Default;
        case m::PowerBroadcast:
            if (wParam == m::SuspendNotice) return SaverAction::EndSaver;
            if (wParam == m::SuspendQuery) return SaverAction::GrantSuspend;
            return SaverAction::Ignore;
        default: return SaverAction::Default;
    }
}
