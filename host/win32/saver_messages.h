// The saver window's message table: what each window message means to the clock's windows.
// Platform-free: message numbers and their parameters are plain values, so the table is
// tested natively.
#pragma once

#include <cstdint>

namespace saver_message {
constexpr uint32_t Create = 0x0001;
constexpr uint32_t Destroy = 0x0002;
constexpr uint32_t Activate = 0x0006;
constexpr uint32_t Paint = 0x000F;
constexpr uint32_t Close = 0x0010;
constexpr uint32_t ActivateApp = 0x001C;
constexpr uint32_t SetCursor = 0x0020;
constexpr uint32_t DisplayChange = 0x007E;
constexpr uint32_t NcActivate = 0x0086;
constexpr uint32_t KeyDown = 0x0100;
constexpr uint32_t SysKeyDown = 0x0104;
constexpr uint32_t SysCommand = 0x0112;
constexpr uint32_t Timer = 0x0113;
constexpr uint32_t MouseMove = 0x0200;
constexpr uint32_t LButtonDown = 0x0201;
constexpr uint32_t RButtonDown = 0x0204;
constexpr uint32_t MButtonDown = 0x0207;
constexpr uint32_t PowerBroadcast = 0x0218;

constexpr uintptr_t MonitorPowerCommand = 0xF170;
constexpr uintptr_t SystemCommandMask = 0xFFF0;   // the low four bits are the system's own
constexpr uintptr_t SuspendNotice = 4;
constexpr uintptr_t SuspendQuery = 0;
constexpr uintptr_t PowerSettingChange = 0x8013;
constexpr uintptr_t PowerStatusChange = 0x000A;   // on AC or battery, or the battery's state
}  // namespace saver_message

enum class SaverAction {
    Default,               // default processing, its result returned
    SetUpCanvas,           // returns 0
    Release,               // returns 0
    EndIfDeactivated,      // ends the saver when the window loses activation, then default
    Paint,                 // returns 0
    Close,                 // returns 0
    HideCursor,            // returns 0
    Ignore,                // returns 0
    EndSaver,              // returns 0
    Tick,                  // returns 0
    MouseRule,             // returns 0
    GrantSuspend,          // returns 1
    PowerSetting,          // a power setting the window asked to follow (display, battery saver); returns 0
    PowerStatus,           // the machine went on AC or on battery; returns 0
};

SaverAction DecideSaverAction(bool fullScreen, uint32_t message, uintptr_t wParam);

// For the three activation messages: whether wParam says the window is losing activation.
// WM_ACTIVATE carries the minimized flag in its high word, so only its low word counts.
bool LosesActivation(uint32_t message, uintptr_t wParam);
