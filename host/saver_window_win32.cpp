#include "host/saver_window_win32.h"

#include <cstdint>

#include "host/cover_windows_win32.h"
#include "host/host_state.h"
#include "common/object_count.h"
#include "host/saver_canvas_win32.h"
#include "host/saver_hooks_win32.h"
#include "host/saver_rules.h"
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

// The window's own state beside saverCanvas.
struct SaverWindowState {
    TickState tick;
    ScreenPoint cursorAnchor{0, 0};
    bool anchorTaken = false;   // the cursor could be read at least once
    bool timerMissing = false;  // the system refused the frame timer so far
    bool layersReady = false;   // both layers exist: the only time anything is drawn
    bool released = false;      // released once; later closes and destroys do nothing
};

SaverWatcher* watcher = nullptr;
MemoryLayer frameHolder;
MemoryLayer faceHolder;
SaverWindowState windowState;

bool IsFullScreen() { return hostState.mode == SaverMode::FullScreen; }

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
    windowState.timerMissing = saverWindowCalls.setTimer(window, FrameTimerId, FrameTimerPeriodMs, nullptr) == 0;
}

// Ending the saver is a synchronous close request to the window itself.
void EndSaver(HWND window) { SendMessageA(window, WM_CLOSE, 0, 0); }

void ReleaseCanvas() {
    if (windowState.released) return;
    windowState.released = true;
    windowState.layersReady = false;
    saverCanvas.frameLayer = nullptr;
    saverCanvas.faceLayer = nullptr;
    frameHolder.Reset();
    faceHolder.Reset();
    CloseCoverWindows();
    PostQuitMessage(0);
}

LRESULT OnCreate(HWND window) {
    // A new window starts afresh: nothing released, no minute or day seen yet.
    windowState = SaverWindowState{};
    RECT client{0, 0, 0, 0};
    GetClientRect(window, &client);
    const CanvasSize size = SaverCanvasSize(!IsFullScreen(), client.right, client.bottom);
    saverCanvas.width = size.width;
    saverCanvas.height = size.height;
    saverCanvas.faceDirty = true;

    // Without both layers the window draws nothing but still ends on input like any other.
    if (size.width > 0 && size.height > 0) {
        HDC reference = GetDC(window);
        windowState.layersReady = frameHolder.Create(reference, size.width, size.height) &&
                                  faceHolder.Create(reference, size.width, size.height);
        ReleaseDC(window, reference);
        if (!windowState.layersReady) {
            frameHolder.Reset();
            faceHolder.Reset();
        }
    }
    saverCanvas.frameLayer = frameHolder.Dc();
    saverCanvas.faceLayer = faceHolder.Dc();

    StartFrameTimer(window);
    windowState.anchorTaken = ReadCursor(windowState.cursorAnchor);
    return 0;
}

void ShowFrame(HWND window, HDC target) {
    if (IsFullScreen()) {
        BitBlt(target, 0, 0, saverCanvas.width, saverCanvas.height, saverCanvas.frameLayer, 0, 0, SRCCOPY);
        return;
    }
    RECT client{0, 0, 0, 0};
    GetClientRect(window, &client);
    SetStretchBltMode(target, HALFTONE);
    // HALFTONE needs the brush origin reset after the mode is set.
    SetBrushOrgEx(target, 0, 0, nullptr);
    StretchBlt(target, 0, 0, client.right, client.bottom, saverCanvas.frameLayer, 0, 0, saverCanvas.width,
               saverCanvas.height, SRCCOPY);
}

LRESULT OnPaint(HWND window) {
    PAINTSTRUCT paint;
    HDC target = BeginPaint(window, &paint);
    if (target != nullptr && windowState.layersReady) {
        if (watcher != nullptr) watcher->BeforeFrame(saverCanvas.faceDirty);
        RenderClock(saverCanvas.width, saverCanvas.height);
        ShowFrame(window, target);
        if (watcher != nullptr && !IsFullScreen()) {
            watcher->PreviewPainted(window, saverCanvas.frameLayer, saverCanvas.width, saverCanvas.height);
        }
        saverCanvas.faceDirty = false;
    }
    EndPaint(window, &paint);
    return 0;
}

LRESULT OnTimer(HWND window) {
    if (windowState.released) return 0;
    // A host window destroyed in order takes the preview with it, and the destroy message
    // releases. But the host can also vanish without that (its process killed, or a system that
    // does not destroy a child of another process): each tick looks, so the preview then ends
    // within a second instead of lingering unseen.
    if (!IsFullScreen() && !IsWindow(ParentWindow())) {
        EndSaver(window);
        return 0;
    }
    SYSTEMTIME now;
    GetLocalTime(&now);
    const TickResult result =
        Tick(windowState.tick, now.wMinute, now.wDay, currentSettings.showSeconds, currentSettings.showLogo);
    if (result.faceDirty) saverCanvas.faceDirty = true;
    if (result.invalidate) InvalidateRect(window, nullptr, FALSE);
    return 0;
}

LRESULT OnMouseMove(HWND window) {
    ScreenPoint cursor{0, 0};
    // A position that cannot be read tells nothing of a move: the anchor stays, the saver runs on.
    if (!ReadCursor(cursor)) return 0;
    if (!windowState.anchorTaken) {
        // No anchor could be taken at creation: the first position read becomes it.
        windowState.cursorAnchor = cursor;
        windowState.anchorTaken = true;
        return 0;
    }
    if (MouseMoveEndsSaver(windowState.cursorAnchor, cursor)) EndSaver(window);
    return 0;
}

LRESULT OnClose() {
    // Input that arrives between the release and the end of the loop finds nothing left to close,
    // and must not ask for the password a second time.
    if (windowState.released || passwordCheckActive) return 0;
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
    if (watcher != nullptr && watcher->Answer(message, &answer)) return answer;
    if (windowState.timerMissing && !windowState.released) StartFrameTimer(window);
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
        // The clock fills the primary display; covers black out the others.
        HDC screen = GetDC(nullptr);
        const int width = GetDeviceCaps(screen, HORZRES);
        const int height = GetDeviceCaps(screen, VERTRES);
        ReleaseDC(nullptr, screen);
        window = CreateWindowExA(WS_EX_TOPMOST, hostState.className, hostState.productName, FullScreenStyle, 0, 0,
                                 width, height, nullptr, nullptr, instance, nullptr);
        if (window != nullptr) OpenCoverWindows(instance, window);
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
