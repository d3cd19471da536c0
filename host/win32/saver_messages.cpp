#include "host/win32/saver_messages.h"

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
            if (wParam == m::PowerSettingChange) return SaverAction::PowerSetting;
            if (wParam == m::PowerStatusChange) return SaverAction::PowerStatus;
            return SaverAction::Ignore;
        default: return SaverAction::Default;
    }
}
