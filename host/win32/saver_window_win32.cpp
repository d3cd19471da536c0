#include "host/win32/saver_window_win32.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>
#include <vector>

#include "host/clock_layout.h"
#include "host/win32/cover_windows_win32.h"
#include "host/win32/host_state_win32.h"
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
constexpr UINT GlideTimerPeriodMs = 1000 / GlideFramesPerSecond;
constexpr DWORD FullScreenStyle = WS_POPUP | WS_VISIBLE;
constexpr DWORD PreviewStyle = WS_CHILD | WS_VISIBLE;

// One clock window's own state, reached through its GWLP_USERDATA from creation to the last
// message it gets.
// One of the clocks of a window that shows world clocks: its cell of the window's canvas size
// and a canvas of the cell's own size, whose frames are copied into the window's picture.
struct ClockCell {
    ClockCell(const ScreenRect& cellRect, int clockIndex) : rect(cellRect), clock(clockIndex) {}
    ScreenRect rect;
    int clock;
    SaverCanvas canvas;
};

struct ClockWindow {
    explicit ClockWindow(SaverRun& owner) : run(owner) {}
    SaverRun& run;
    SaverCanvas canvas;     // the one clock, sized to the window (enlarged for the preview)
    bool composed = false;  // the frame layer holds a frame to show
    // With world clocks: a canvas per clock instead, and the picture they are copied into.
    std::vector<std::unique_ptr<ClockCell>> cells;
    MemoryLayer picture;

    bool Valid() const { return cells.empty() ? canvas.Valid() : picture.Valid(); }
    HDC Frame() const { return cells.empty() ? canvas.FrameLayer() : picture.Dc(); }
    int32_t Width() const { return cells.empty() ? canvas.Width() : picture.Width(); }
    int32_t Height() const { return cells.empty() ? canvas.Height() : picture.Height(); }
};

// The console display's state: 0 off, 1 on, 2 dimmed.
constexpr GUID ConsoleDisplayState = {0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};
constexpr DWORD DisplayOffState = 0;
// The battery saver of Windows 10 on: 1, off: 0.
constexpr GUID PowerSavingStatus = {0xe00958c0, 0xc213, 0x4ace, {0xac, 0x77, 0xfe, 0xcc, 0xed, 0x2e, 0xee, 0xa5}};

SaverWatcher* watcher = nullptr;

bool IsFullScreen() { return hostState.mode == SaverMode::FullScreen; }

ClockWindow* ClockOf(HWND window) { return reinterpret_cast<ClockWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA)); }

// False when the position cannot be read (the input belongs to another desktop).
bool ReadCursor(ScreenPoint& point) {
    POINT read{0, 0};
    if (!saverWindowCalls.getCursorPos(&read)) return false;
    point = {read.x, read.y};
    return true;
}

// Without its timer the window keeps showing its first frame and still ends on input, but the
// clock would stand still: so every later message asks again until the system grants it.
void StartFrameTimer(SaverRun& run, HWND window) {
    const UINT period =
        run.session && run.session->Cadence() == FrameCadence::Glide ? GlideTimerPeriodMs : FrameTimerPeriodMs;
    run.timerMissing = saverWindowCalls.setTimer(window, FrameTimerId, period, nullptr) == 0;
    run.timerPeriodMs = run.timerMissing ? 0 : period;
}

// A gliding needle asks for a frame thirty times a second, a stepping one once a second: the
// one timer follows the session's cadence.
void FollowCadence(SaverRun& run) {
    if (run.released || run.clocks.empty() || !run.session) return;
    const UINT period = run.session->Cadence() == FrameCadence::Glide ? GlideTimerPeriodMs : FrameTimerPeriodMs;
    if (period != run.timerPeriodMs) StartFrameTimer(run, run.clocks.front());
}

// On battery: no AC line, or the battery saver on (the status byte once reserved).
bool OnBatteryNow() {
    SYSTEM_POWER_STATUS status{};
    if (!GetSystemPowerStatus(&status)) return false;
    constexpr BYTE Offline = 0;
    constexpr BYTE BatterySaverOn = 1;
    return status.ACLineStatus == Offline || (status.Reserved1 & BatterySaverOn) != 0;
}

// Ending the saver is a synchronous close request to the window itself.
void EndSaver(HWND window) { SendMessageA(window, WM_CLOSE, 0, 0); }

// Asks to be told when the display goes off and on, where the system can tell (Windows Vista
// on); looked up at run time so that older systems still start the saver.
void FollowDisplayState(SaverRun& run, HWND window) {
    using RegisterProc = HPOWERNOTIFY(WINAPI*)(HANDLE, LPCGUID, DWORD);
    auto registerNotice = reinterpret_cast<RegisterProc>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleA("user32.dll"), "RegisterPowerSettingNotification")));
    if (registerNotice != nullptr) {
        run.displayNotice = registerNotice(window, &ConsoleDisplayState, DEVICE_NOTIFY_WINDOW_HANDLE);
        run.batterySaverNotice = registerNotice(window, &PowerSavingStatus, DEVICE_NOTIFY_WINDOW_HANDLE);
    }
}

void StopFollowingDisplayState(SaverRun& run) {
    using UnregisterProc = BOOL(WINAPI*)(HPOWERNOTIFY);
    auto unregisterNotice = reinterpret_cast<UnregisterProc>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleA("user32.dll"), "UnregisterPowerSettingNotification")));
    for (HPOWERNOTIFY* notice : {&run.displayNotice, &run.batterySaverNotice}) {
        if (*notice != nullptr && unregisterNotice != nullptr) unregisterNotice(*notice);
        *notice = nullptr;
    }
}

void ReleaseCanvas(SaverRun& run) {
    if (run.released) return;
    run.released = true;
    StopFollowingDisplayState(run);
    for (HWND clock : run.clocks) {
        if (ClockWindow* state = ClockOf(clock)) {
            state->canvas.Release();
            for (auto& cell : state->cells) cell->canvas.Release();
            state->picture.Reset();
        }
    }
    CloseCoverWindows(run.covers);
    PostQuitMessage(0);
}

LRESULT OnCreate(HWND window, const CREATESTRUCTA& creation) {
    SaverRun& run = *static_cast<SaverRun*>(creation.lpCreateParams);
    auto* clock = new ClockWindow(run);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(clock));
    run.clocks.push_back(window);

    if (run.clocks.size() == 1) run.world.emplace(currentSettings);
    RECT client{0, 0, 0, 0};
    GetClientRect(window, &client);
    const CanvasSize size = SaverCanvasSize(!IsFullScreen(), client.right, client.bottom);
    // Without its layers the window draws nothing but still ends on input like any other.
    HDC reference = GetDC(window);
    if (run.world->Count() == 1) {
        clock->canvas.Create(reference, size.width, size.height);
        // A full-screen frame is rebuilt and shown only where it changed; the preview shrinks the
        // whole frame anyway.
        clock->canvas.incremental = IsFullScreen();
    } else if (clock->picture.Create(reference, size.width, size.height)) {
        const std::vector<ScreenRect> cells = ClockCells({0, 0, size.width, size.height}, run.world->Count());
        for (size_t i = 0; i < cells.size(); ++i) {
            auto cell = std::make_unique<ClockCell>(cells[i], static_cast<int>(i));
            cell->canvas.Create(reference, cells[i].right - cells[i].left, cells[i].bottom - cells[i].top);
            cell->canvas.incremental = IsFullScreen();
            clock->cells.push_back(std::move(cell));
        }
    }
    ReleaseDC(window, reference);

    if (run.clocks.size() == 1) {
        // The first frame shows this reading; the ticks go on from it.
        run.session.emplace(currentSettings, IsFullScreen(), ReadClock());
        run.session->OnBattery(OnBatteryNow());
        StartFrameTimer(run, window);
        if (ScreenPoint cursor{0, 0}; ReadCursor(cursor)) run.session->Pointer(cursor);
        if (IsFullScreen()) FollowDisplayState(run, window);
    }
    return 0;
}

// The window's last message: its state goes with it.
void OnNcDestroy(HWND window) {
    ClockWindow* clock = ClockOf(window);
    if (clock == nullptr) return;
    std::vector<HWND>& clocks = clock->run.clocks;
    clocks.erase(std::remove(clocks.begin(), clocks.end(), window), clocks.end());
    delete clock;
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
}

// The part of the frame the system asks for, or the whole frame shrunk into the preview.
void ShowFrame(HWND window, HDC target, const ClockWindow& clock, const RECT& part) {
    if (IsFullScreen()) {
        BitBlt(target, part.left, part.top, part.right - part.left, part.bottom - part.top, clock.Frame(), part.left,
               part.top, SRCCOPY);
        return;
    }
    RECT client{0, 0, 0, 0};
    GetClientRect(window, &client);
    SetStretchBltMode(target, HALFTONE);
    // HALFTONE needs the brush origin reset after the mode is set.
    SetBrushOrgEx(target, 0, 0, nullptr);
    StretchBlt(target, 0, 0, client.right, client.bottom, clock.Frame(), 0, 0, clock.Width(), clock.Height(),
               SRCCOPY);
}

// Composes each world clock at its zone's time and copies what changed into the picture; returns
// those parts, in the picture's pixels.
std::vector<IntBox> ComposeCells(ClockWindow& clock) {
    std::vector<IntBox> changed;
    const ClockReading& now = clock.run.session->Shown();
    for (auto& cell : clock.cells) {
        if (!cell->canvas.Valid()) continue;
        const LocalDateTime time = clock.run.world->TimeOf(cell->clock, now);
        RenderClock(cell->canvas, time, {true, clock.run.world->CaptionOf(cell->clock, time, now.local)});
        for (const IntBox& box : cell->canvas.ChangedArea()) {
            const IntBox at{box.left + cell->rect.left, box.top + cell->rect.top, box.width, box.height};
            BitBlt(clock.picture.Dc(), at.left, at.top, box.width, box.height, cell->canvas.FrameLayer(), box.left,
                   box.top, SRCCOPY);
            changed.push_back(at);
        }
    }
    return changed;
}

// The window's next frame, of the session's one reading, so that every clock of a tick shows the
// same time; `changed` gets where it differs from the last.
bool Compose(ClockWindow& clock, std::vector<IntBox>* changed = nullptr) {
    if (!clock.Valid() || !clock.run.session) return false;
    if (watcher != nullptr) watcher->BeforeFrame(clock.cells.empty() ? clock.canvas.faceDirty : clock.cells[0]->canvas.faceDirty);
    if (clock.cells.empty()) {
        RenderClock(clock.canvas, clock.run.session->Reading());
        if (changed != nullptr) *changed = clock.canvas.ChangedArea();
    } else {
        std::vector<IntBox> cells = ComposeCells(clock);
        if (changed != nullptr) *changed = std::move(cells);
    }
    clock.composed = true;
    return true;
}

// A new frame, shown where it changed.
void ShowNewFrame(HWND window, ClockWindow& clock) {
    std::vector<IntBox> changed;
    if (!Compose(clock, &changed)) return;
    if (!IsFullScreen()) {
        InvalidateRect(window, nullptr, FALSE);
        return;
    }
    for (const IntBox& box : changed) {
        const RECT part{box.left, box.top, box.left + box.width, box.top + box.height};
        InvalidateRect(window, &part, FALSE);
    }
}

LRESULT OnPaint(HWND window) {
    PAINTSTRUCT paint;
    HDC target = BeginPaint(window, &paint);
    ClockWindow* clock = ClockOf(window);
    // The first paint composes the first frame; later ones show what the ticks composed.
    if (target != nullptr && clock != nullptr && ((clock->composed && clock->Valid()) || Compose(*clock))) {
        ShowFrame(window, target, *clock, paint.rcPaint);
        if (watcher != nullptr && !IsFullScreen()) {
            watcher->PreviewPainted(window, clock->Frame(), clock->Width(), clock->Height());
        }
    }
    EndPaint(window, &paint);
    return 0;
}

// Carries out a step of the session on every clock window of the run.
void Carry(SaverRun& run, HWND window, const SessionStep& step) {
    for (HWND clock : run.clocks) {
        ClockWindow* state = ClockOf(clock);
        if (state == nullptr) continue;
        if (step.dialDirty) {
            state->canvas.faceDirty = true;
            for (auto& cell : state->cells) cell->canvas.faceDirty = true;
        }
        if (step.draw) ShowNewFrame(clock, *state);
    }
    if (step.end) EndSaver(window);
}

LRESULT OnTimer(SaverRun& run, HWND window) {
    if (run.released || !run.session) return 0;
    // A host window destroyed in order takes the preview with it, and the destroy message
    // releases. But the host can also vanish without that (its process killed, or a system that
    // does not destroy a child of another process): each tick looks, so the preview then ends
    // within a second instead of lingering unseen.
    if (!IsFullScreen() && !IsWindow(ParentWindow())) {
        Carry(run, window, run.session->Stop());
        return 0;
    }
    Carry(run, window, run.session->Tick(ReadClock()));
    FollowCadence(run);
    return 0;
}

LRESULT OnPowerStatus(SaverRun& run) {
    if (!run.session) return 0;
    run.session->OnBattery(OnBatteryNow());
    FollowCadence(run);
    return 0;
}

// The display went off, on or dimmed.
LRESULT OnPowerSetting(SaverRun& run, HWND window, LPARAM lParam) {
    const auto* setting = reinterpret_cast<const POWERBROADCAST_SETTING*>(lParam);
    if (setting == nullptr || setting->DataLength < sizeof(DWORD) || !run.session) return 0;
    if (IsEqualGUID(setting->PowerSetting, PowerSavingStatus)) return OnPowerStatus(run);
    if (!IsEqualGUID(setting->PowerSetting, ConsoleDisplayState)) return 0;
    DWORD state = 0;
    std::memcpy(&state, setting->Data, sizeof state);
    const DisplayPower power = state == DisplayOffState ? DisplayPower::Off : DisplayPower::On;
    const SessionStep step = run.session->Display(power, ReadClock());
    if (!run.released) Carry(run, window, step);
    FollowCadence(run);
    return 0;
}

LRESULT OnMouseMove(SaverRun& run, HWND window) {
    ScreenPoint cursor{0, 0};
    // A position that cannot be read tells nothing of a move: the anchor stays, the saver runs on.
    if (!ReadCursor(cursor) || !run.session) return 0;
    Carry(run, window, run.session->Pointer(cursor));
    return 0;
}

LRESULT OnClose(SaverRun& run) {
    // Input that arrives between the release and the end of the loop finds nothing left to close,
    // and must not ask for the password a second time.
    if (run.released || passwordCheckActive) return 0;
    if (!saverWindowCalls.confirmClose()) return 0;
    ReleaseCanvas(run);
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

HWND ParentWindow() { return hostState.parentWindow; }

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

SaverRun::~SaverRun() {
    CloseCoverWindows(covers);
    // Each destroy takes its window out of the list.
    while (!clocks.empty()) {
        const HWND clock = clocks.back();
        DestroyWindow(clock);
        if (!clocks.empty() && clocks.back() == clock) clocks.pop_back();
    }
}

LRESULT CALLBACK SaverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT answer = 0;
    if (watcher != nullptr && watcher->Answer(window, message, &answer)) return answer;
    if (message == WM_NCDESTROY) OnNcDestroy(window);
    if (message == WM_CREATE) return OnCreate(window, *reinterpret_cast<const CREATESTRUCTA*>(lParam));
    ClockWindow* clock = ClockOf(window);
    if (clock == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    SaverRun& run = clock->run;
    if (run.timerMissing && !run.released && !run.clocks.empty()) StartFrameTimer(run, run.clocks.front());
    switch (DecideSaverAction(IsFullScreen(), message, wParam)) {
        case SaverAction::SetUpCanvas: return 0;
        case SaverAction::Release: ReleaseCanvas(run); return 0;
        case SaverAction::EndIfDeactivated:
            if (LosesActivation(message, wParam) && run.session) Carry(run, window, run.session->Stop());
            return DefWindowProcA(window, message, wParam, lParam);
        case SaverAction::Paint: return OnPaint(window);
        case SaverAction::Close: return OnClose(run);
        case SaverAction::HideCursor: SetCursor(nullptr); return 0;
        case SaverAction::Ignore: return 0;
        case SaverAction::EndSaver:
            if (run.session) Carry(run, window, run.session->Input());
            return 0;
        case SaverAction::Tick: return OnTimer(run, window);
        case SaverAction::MouseRule: return OnMouseMove(run, window);
        case SaverAction::GrantSuspend: return 1;
        case SaverAction::PowerSetting: return OnPowerSetting(run, window, lParam);
        case SaverAction::PowerStatus: return OnPowerStatus(run);
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

bool CreateSaverWindow(HINSTANCE instance, int showCommand, SaverRun& run) {
    HWND window = nullptr;
    if (IsFullScreen()) {
        // The clock fills the primary display; the other monitors get covers, black or with a clock.
        HDC screen = GetDC(nullptr);
        const int width = GetDeviceCaps(screen, HORZRES);
        const int height = GetDeviceCaps(screen, VERTRES);
        ReleaseDC(nullptr, screen);
        window = CreateWindowExA(WS_EX_TOPMOST, hostState.className, hostState.productName, FullScreenStyle, 0, 0,
                                 width, height, nullptr, nullptr, instance, &run);
        if (window != nullptr) run.covers = OpenCoverWindows(instance, window, currentSettings, &run);
    } else {
        // A handle that names no window leaves the size at 0 and makes the creation fail.
        RECT parentClient{0, 0, 0, 0};
        GetClientRect(ParentWindow(), &parentClient);
        window = CreateWindowExA(0, hostState.className, hostState.productName, PreviewStyle, 0, 0,
                                 parentClient.right, parentClient.bottom, ParentWindow(), nullptr, instance, &run);
    }
    if (window == nullptr) return false;
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    return true;
}
