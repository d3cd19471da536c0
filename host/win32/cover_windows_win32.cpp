#include "host/win32/cover_windows_win32.h"

#include <vector>

#include "host/win32/host_state_win32.h"
#include "host/clock_layout.h"
#include "host/saver_rules.h"
#include "host/win32/saver_messages.h"

namespace {

const char* const CoverClassName = "TarnwickCover";
// A cover never takes activation: the saver window keeps the keyboard, and its own loss of
// activation stays the one that ends the saver.
constexpr DWORD CoverExStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;

// A black cover's saver window, which its input goes to.
HWND SaverWindowOf(HWND cover) { return reinterpret_cast<HWND>(GetWindowLongPtrA(cover, GWLP_USERDATA)); }

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoA(monitor, &info)) {
        const RECT& r = info.rcMonitor;
        reinterpret_cast<std::vector<MonitorArea>*>(list)->push_back(
            {{r.left, r.top, r.right, r.bottom}, (info.dwFlags & MONITORINFOF_PRIMARY) != 0});
    }
    return TRUE;
}

// The monitors in physical pixels: the process is per-monitor DPI aware.
std::vector<MonitorArea> Monitors() {
    std::vector<MonitorArea> monitors;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
    return monitors;
}

LRESULT CALLBACK CoverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* creation = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
    }
    const HWND saverWindow = SaverWindowOf(window);
    switch (DecideSaverAction(true, message, wParam)) {
        case SaverAction::EndSaver:
        case SaverAction::MouseRule:
        case SaverAction::Close:
            // The mouse rule reads the cursor in screen coordinates, so the message's own
            // position, relative to this cover, does not matter.
            if (IsWindow(saverWindow)) SendMessageA(saverWindow, message, wParam, lParam);
            return 0;
        case SaverAction::HideCursor: SetCursor(nullptr); return 0;
        case SaverAction::Ignore: return 0;
        case SaverAction::GrantSuspend: return 1;
        default: return DefWindowProcA(window, message, wParam, lParam);   // the class brush paints black
    }
}

bool RegisterCoverClass(HINSTANCE instance) {
    WNDCLASSEXA coverClass{};
    coverClass.cbSize = sizeof coverClass;
    coverClass.lpfnWndProc = CoverWindowProc;
    coverClass.hInstance = instance;
    coverClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    coverClass.lpszClassName = CoverClassName;
    return RegisterClassExA(&coverClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

std::vector<HWND> OpenCoverWindows(HINSTANCE instance, HWND saverWindow, const ClockSettings& settings,
                                   void* clockParameter) {
    std::vector<HWND> covers;
    const ScreenRect screen{GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                            GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                            GetSystemMetrics(SM_YVIRTUALSCREEN) + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    // The saver window fills the main monitor, and a mirror shows what the monitor it lies in shows.
    for (const MonitorPlan& plan : LayOutClocks(Monitors(), screen, settings)) {
        if (plan.main || plan.mirror) continue;
        const bool clock = !plan.clocks.empty();
        if (!clock && !RegisterCoverClass(instance)) continue;
        // A clock over another monitor is a window of the saver's own class: its canvas is made at
        // that monitor's size in physical pixels, and its timer's ticks come from the saver window.
        const char* className = clock ? hostState.className : CoverClassName;
        const ScreenRect& r = plan.monitor;
        HWND cover = CreateWindowExA(CoverExStyle, className, hostState.productName, WS_POPUP, r.left, r.top,
                                     r.right - r.left, r.bottom - r.top, nullptr, nullptr, instance,
                                     clock ? clockParameter : static_cast<void*>(saverWindow));
        if (cover == nullptr) continue;
        if (!clock) covers.push_back(cover);
        // Just below the clock: should a monitor overlap the primary one, the clock stays in front.
        SetWindowPos(cover, saverWindow, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    }
    return covers;
}

void CloseCoverWindows(std::vector<HWND>& covers) {
    for (HWND cover : covers) DestroyWindow(cover);
    covers.clear();
}
