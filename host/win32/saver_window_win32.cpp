#include "host/win32/saver_window_win32.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>

#include "host/win32/cover_windows_win32.h"
#include "host/host_state.h"
#include "common/object_count.h"
#include "host/win32/saver_canvas_win32.h"
#include "host/win32/saver_hooks_win32.h"
#include "host/saver_rules.h"
#include "host/win32/saver_messages.h"
#include "common/memory_layer_win32.h"
#include "render/render_clock_win32.h"
#include "resources/resource_ids.h"
#include "settings/clock_settings.h"

bool passwordCheckActive = false;
SaverWindowCalls saverWindowCalls = {GetCursorPos, SetTimer, ConfirmClose};

namespace {

constexpr UINT_PTR FrameTimerId = 1;
constexpr UINT FrameTimerPeriodMs = 1000;
constexpr DWORD FullScreenStyle = WS_POPUP | WS_VISIBLE;
constexpr DWORD PreviewStyle = WS_CHILD | WS_VISIBLE;

// One clock window's own state, reached through its GWLP_USERDATA from creation to the last
// message it gets.
struct ClockWindow {
    SaverCanvas canvas;
    TickState tick;
    // The reading of the tick that asked for the next frame, so every clock of a tick shows
    // the same time; none when the system asks for a paint of its own.
    std::optional<LocalDateTime> tickTime;
};

// What spans every window of one run: the clocks, the one cursor anchor, the one timer.
struct SaverRun {
    std::vector<HWND> clocks;   // the live clock windows; the first holds the timer
    ScreenPoint cursorAnchor{0, 0};
    bool anchorTaken = false;   // the cursor could be read at least once
    bool timerMissing = false;  // the system refused the frame timer so far
    bool released = false;      // released once; later closes and destroys do nothing
    bool displayOff = false;    // the console display is off: ticks compose and show nothing
    HPOWERNOTIFY displayNotice = nullptr;
};

// The console display's state: 0 off, 1 on, 2 dimmed.
constexpr GUID ConsoleDisplayState = {0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};
constexpr DWORD DisplayOff = 0;

SaverWatcher* watcher = nullptr;
SaverRun run;

bool IsFullScreen() { return hostState.mode == SaverMode::FullScreen; }

ClockWindow* ClockOf(HWND window) { return reinterpret_cast<ClockWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA)); }

// False when the position cannot be read (the input belongs to another desktop); the point is
// then left as it was.
bool ReadCursor(ScreenPoint& point) {
    POINT read{0, 0};
    if (!saverWindowCalls.getCursorPos(&read)) return false;
    point = {read.x, read.y};
    return true;
}

// Without its timer the window keeps showing its first frame and still ends on input, but the
// clock would stand still: so every later message asks again until the system grants it.
void StartFrameTimer(HWND window) {
    run.timerMissing = saverWindowCalls.setTimer(window, FrameTimerId, FrameTimerPeriodMs, nullptr) == 0;
}

// Ending the saver is a synchronous close request to the window itself.
void EndSaver(HWND window) { SendMessageA(window, WM_CLOSE, 0, 0); }

// Asks to be told when the display goes off and on, where the system can tell (Windows Vista
// on); looked up at run time so that older systems still start the saver.
void FollowDisplayState(HWND window) {
    using RegisterProc = HPOWERNOTIFY(WINAPI*)(HANDLE, LPCGUID, DWORD);
    auto registerNotice = reinterpret_cast<RegisterProc>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleA("user32.dll"), "RegisterPowerSettingNotification")));
    if (registerNotice != nullptr) {
        run.displayNotice = registerNotice(window, &ConsoleDisplayState, DEVICE_NOTIFY_WINDOW_HANDLE);
    }
}

void StopFollowingDisplayState() {
    using UnregisterProc = BOOL(WINAPI*)(HPOWERNOTIFY);
    auto unregisterNotice = reinterpret_cast<UnregisterProc>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleA("user32.dll"), "UnregisterPowerSettingNotification")));
    if (run.displayNotice != nullptr && unregisterNotice != nullptr) unregisterNotice(run.displayNotice);
    run.displayNotice = nullptr;
}

void ReleaseCanvas() {
    if (run.released) return;
    run.released = true;
    StopFollowingDisplayState();
    for (HWND clock : run.clocks) {
        if (ClockWindow* state = ClockOf(clock)) state->canvas.Release();
    }
    CloseCoverWindows();
    PostQuitMessage(0);
}

LRESULT OnCreate(HWND window) {
    // The first clock of a run starts it afresh: nothing released, no cursor read yet.
    if (run.clocks.empty()) run = SaverRun{};
    auto* clock = new ClockWindow;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(clock));
    run.clocks.push_back(window);

    RECT client{0, 0, 0, 0};
    GetClientRect(window, &client);
    const CanvasSize size = SaverCanvasSize(!IsFullScreen(), client.right, client.bottom);
    // Without both layers the window draws nothing but still ends on input like any other.
    HDC reference = GetDC(window);
    clock->canvas.Create(reference, size.width, size.height);
    ReleaseDC(window, reference);

    if (run.clocks.size() == 1) {
        StartFrameTimer(window);
        run.anchorTaken = ReadCursor(run.cursorAnchor);
        if (IsFullScreen()) FollowDisplayState(window);
    }
    return 0;
}

// The window's last message: its state goes with it.
void OnNcDestroy(HWND window) {
    delete ClockOf(window);
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    run.clocks.erase(std::remove(run.clocks.begin(), run.clocks.end(), window), run.clocks.end());
}

void ShowFrame(HWND window, HDC target, const SaverCanvas& canvas) {
    if (IsFullScreen()) {
        BitBlt(target, 0, 0, canvas.Width(), canvas.Height(), canvas.FrameLayer(), 0, 0, SRCCOPY);
        return;
    }
    RECT client{0, 0, 0, 0};
    GetClientRect(window, &client);
    SetStretchBltMode(target, HALFTONE);
    // HALFTONE needs the brush origin reset after the mode is set.
    SetBrushOrgEx(target, 0, 0, nullptr);
    StretchBlt(target, 0, 0, client.right, client.bottom, canvas.FrameLayer(), 0, 0, canvas.Width(), canvas.Height(),
               SRCCOPY);
}

LRESULT OnPaint(HWND window) {
    PAINTSTRUCT paint;
    HDC target = BeginPaint(window, &paint);
    ClockWindow* clock = ClockOf(window);
    if (target != nullptr && clock != nullptr && clock->canvas.Valid()) {
        SaverCanvas& canvas = clock->canvas;
        if (watcher != nullptr) watcher->BeforeFrame(canvas.faceDirty);
        RenderClock(canvas, clock->tickTime.value_or(LocalTimeNow()));
        clock->tickTime.reset();
        ShowFrame(window, target, canvas);
        if (watcher != nullptr && !IsFullScreen()) {
            watcher->PreviewPainted(window, canvas.FrameLayer(), canvas.Width(), canvas.Height());
        }
        canvas.faceDirty = false;
    }
    EndPaint(window, &paint);
    return 0;
}

void ShowNewFrame(HWND window, const LocalDateTime& now) {
    if (ClockWindow* clock = ClockOf(window)) clock->tickTime = now;
    InvalidateRect(window, nullptr, FALSE);
}

// One clock's share of a tick: a new frame when due, the dial first when the day changed.
void TickClock(HWND window, const LocalDateTime& now) {
    ClockWindow* clock = ClockOf(window);
    if (clock == nullptr) return;
    const TickResult result = TickAt(clock->tick, now, currentSettings);
    if (result.faceDirty) clock->canvas.faceDirty = true;
    // While the display is off the tick keeps its count but nothing is drawn or shown.
    if (result.invalidate && !run.displayOff) ShowNewFrame(window, now);
}

LRESULT OnTimer(HWND window) {
    if (run.released) return 0;
    // A host window destroyed in order takes the preview with it, and the destroy message
    // releases. But the host can also vanish without that (its process killed, or a system that
    // does not destroy a child of another process): each tick looks, so the preview then ends
    // within a second instead of lingering unseen.
    if (!IsFullScreen() && !IsWindow(ParentWindow())) {
        EndSaver(window);
        return 0;
    }
    // One reading for every clock of the tick.
    const LocalDateTime now = LocalTimeNow();
    for (HWND clock : run.clocks) TickClock(clock, now);
    return 0;
}

// The display went off, on or dimmed: back on, every clock shows a fresh frame at once.
LRESULT OnPowerSetting(LPARAM lParam) {
    const auto* setting = reinterpret_cast<const POWERBROADCAST_SETTING*>(lParam);
    if (setting == nullptr || !IsEqualGUID(setting->PowerSetting, ConsoleDisplayState) ||
        setting->DataLength < sizeof(DWORD)) {
        return 0;
    }
    DWORD state = 0;
    std::memcpy(&state, setting->Data, sizeof state);
    const bool wasOff = run.displayOff;
    run.displayOff = state == DisplayOff;
    if (wasOff && !run.displayOff && !run.released) {
        const LocalDateTime now = LocalTimeNow();
        for (HWND clock : run.clocks) ShowNewFrame(clock, now);
    }
    return 0;
}

LRESULT OnMouseMove(HWND window) {
    ScreenPoint cursor{0, 0};
    // A position that cannot be read tells nothing of a move: the anchor stays, the saver runs on.
    if (!ReadCursor(cursor)) return 0;
    if (!run.anchorTaken) {
        // No anchor could be taken at creation: the first position read becomes it.
        run.cursorAnchor = cursor;
        run.anchorTaken = true;
        return 0;
    }
    if (MouseMoveEndsSaver(run.cursorAnchor, cursor)) EndSaver(window);
    return 0;
}

LRESULT OnClose() {
    // Input that arrives between the release and the end of the loop finds nothing left to close,
    // and must not ask for the password a second time.
    if (run.released || passwordCheckActive) return 0;
    if (!saverWindowCalls.confirmClose()) return 0;
    ReleaseCanvas();
    return 0;
}

// The desktop's "use a password" flag of older Windows; false when it cannot be read.
bool PasswordWanted() {
    HKEY key = nullptr;
    if (RegOpenKeyA(HKEY_CURRENT_USER, "Control Panel\\Desktop", &key) != ERROR_SUCCESS) return false;
    DWORD value = 0;
    DWORD size = sizeof(value);
    const LONG status = RegQueryValueExA(key, "ScreenSaveUsePassword", nullptr, nullptr,
                                         reinterpret_cast<BYTE*>(&value), &size);
    RegCloseKey(key);
    return status == ERROR_SUCCESS && value != 0;
}

// Asks the password service of older Windows; true when it is missing or confirmed.
bool VerifyPassword() {
    using VerifyScreenSavePwdProc = BOOL(WINAPI*)(HWND);
    HMODULE library = LoadLibraryA("PASSWORD.CPL");
    if (library == nullptr) return true;
    auto verify = reinterpret_cast<VerifyScreenSavePwdProc>(
        reinterpret_cast<void (*)()>(GetProcAddress(library, "VerifyScreenSavePwd")));
    const bool confirmed = verify == nullptr || verify(ParentWindow()) != FALSE;
    FreeLibrary(library);
    return confirmed;
}

}  // namespace

void InstallSaverWatcher(SaverWatcher* newWatcher) { watcher = newWatcher; }

const SaverCanvas* SaverCanvasOf(HWND window) {
    const ClockWindow* clock = ClockOf(window);
    return clock != nullptr ? &clock->canvas : nullptr;
}

HWND ParentWindow() { return reinterpret_cast<HWND>(static_cast<uintptr_t>(hostState.parentWindow)); }

bool ConfirmClose() {
    if (!IsFullScreen()) return true;
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof(version);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    const bool versionRead = GetVersionExA(&version) != FALSE;
#pragma GCC diagnostic pop
    if (!versionRead || version.dwPlatformId != VER_PLATFORM_WIN32_WINDOWS) return true;
    passwordCheckActive = true;
    const bool mayClose = !PasswordWanted() || VerifyPassword();
    passwordCheckActive = false;
    return mayClose;
}

LRESULT CALLBACK SaverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT answer = 0;
    if (watcher != nullptr && watcher->Answer(window, message, &answer)) return answer;
    if (message == WM_NCDESTROY) OnNcDestroy(window);
    if (run.timerMissing && !run.released && !run.clocks.empty()) StartFrameTimer(run.clocks.front());
    switch (DecideSaverAction(IsFullScreen(), message, wParam)) {
        case SaverAction::SetUpCanvas: return OnCreate(window);
        case SaverAction::Release: ReleaseCanvas(); return 0;
        case SaverAction::EndIfDeactivated:
            if (LosesActivation(message, wParam)) EndSaver(window);
            return DefWindowProcA(window, message, wParam, lParam);
        case SaverAction::Paint: return OnPaint(window);
        case SaverAction::Close: return OnClose();
        case SaverAction::HideCursor: SetCursor(nullptr); return 0;
        case SaverAction::Ignore: return 0;
        case SaverAction::EndSaver: EndSaver(window); return 0;
        case SaverAction::Tick: return OnTimer(window);
        case SaverAction::MouseRule: return OnMouseMove(window);
        case SaverAction::GrantSuspend: return 1;
        case SaverAction::PowerSetting: return OnPowerSetting(lParam);
        case SaverAction::Default: break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

bool RegisterSaverClass(HINSTANCE instance) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = SaverWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_TARNWICK));
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = hostState.className;
    return RegisterClassExA(&windowClass) != 0;
}

bool CreateSaverWindow(HINSTANCE instance, int showCommand) {
    HWND window = nullptr;
    if (IsFullScreen()) {
        // The clock fills the primary display; the other monitors get covers, black or with a clock.
        HDC screen = GetDC(nullptr);
        const int width = GetDeviceCaps(screen, HORZRES);
        const int height = GetDeviceCaps(screen, VERTRES);
        ReleaseDC(nullptr, screen);
        window = CreateWindowExA(WS_EX_TOPMOST, hostState.className, hostState.productName, FullScreenStyle, 0, 0,
                                 width, height, nullptr, nullptr, instance, nullptr);
        if (window != nullptr) OpenCoverWindows(instance, window, currentSettings);
    } else {
        // A handle that names no window leaves the size at 0 and makes the creation fail.
        RECT parentClient{0, 0, 0, 0};
        GetClientRect(ParentWindow(), &parentClient);
        window = CreateWindowExA(0, hostState.className, hostState.productName, PreviewStyle, 0, 0,
                                 parentClient.right, parentClient.bottom, ParentWindow(), nullptr, instance, nullptr);
    }
    if (window == nullptr) return false;
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    return true;
}
