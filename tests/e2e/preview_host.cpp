// Stands in for the display control panel: makes a window with a 152 x 112 client area, starts
// the saver with "/p HWND" as the system does, and reports what becomes of the preview.
//
//   preview_host SCR_PATH [CLIENT_WIDTH CLIENT_HEIGHT]
//
// Prints one "name value" line per observation; the calling script judges them. With the saver's
// test build it also asks for the canvas size, the frame count and the preview picture
// (%TARNWICK_PROBE_DIR%\preview.bmp). Exits 1 when a step times out.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/probe/saver_probe_win32.h"

namespace {

LRESULT CALLBACK HostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ERASEBKGND) {
        // A colour the clock never uses, so a preview that fails to cover the client shows.
        RECT client;
        GetClientRect(window, &client);
        HBRUSH brush = CreateSolidBrush(RGB(255, 0, 255));
        FillRect(reinterpret_cast<HDC>(wParam), &client, brush);
        DeleteObject(brush);
        return 1;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// Keeps the host window responsive: the saver's child window sends its parent messages.
void Pump(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    do {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(10);
    } while (GetTickCount() - start < milliseconds);
}

bool PumpUntil(DWORD milliseconds, bool (*done)(void*), void* context) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        if (done(context)) return true;
        Pump(20);
    }
    return done(context);
}

bool Ask(HWND window, UINT message, LRESULT* answer) {
    DWORD_PTR result = 0;
    // While the host waits for an answer, the saver may need the host to answer its own sends.
    if (SendMessageTimeoutA(window, message, 0, 0, SMTO_NORMAL, 10000, &result) == 0) return false;
    *answer = static_cast<LRESULT>(result);
    return true;
}

struct Preview {
    HWND host;
    HANDLE process;
};

HWND Child(HWND host) { return GetWindow(host, GW_CHILD); }

// Shown and painted; an empty canvas paints nothing, so for it being shown is enough. The
// shipped saver answers no probes, so for it too.
bool ChildIsReady(void* context) {
    HWND child = Child(static_cast<Preview*>(context)->host);
    if (child == nullptr || !IsWindowVisible(child)) return false;
    LRESULT frames = 0;
    LRESULT canvas = 0;
    if (!Ask(child, saver_probe::FramesComposed, &frames) || !Ask(child, saver_probe::CanvasSize, &canvas)) return true;
    return frames > 0 || canvas == 0;
}

bool ProcessEnded(void* context) {
    return WaitForSingleObject(static_cast<Preview*>(context)->process, 0) == WAIT_OBJECT_0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: preview_host SCR_PATH [WIDTH HEIGHT]\n");
        return 2;
    }
    const int clientWidth = argc > 3 ? std::atoi(argv[2]) : 152;
    const int clientHeight = argc > 3 ? std::atoi(argv[3]) : 112;

    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = HostWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "TarnwickPreviewHost";
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    RegisterClassA(&windowClass);
    const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    RECT frame{0, 0, clientWidth, clientHeight};
    AdjustWindowRect(&frame, style, FALSE);
    HWND host = CreateWindowExA(0, windowClass.lpszClassName, "Preview host", style | WS_VISIBLE, 40, 40,
                                frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                                windowClass.hInstance, nullptr);
    if (host == nullptr) return 1;
    Pump(200);
    RECT client;
    GetClientRect(host, &client);
    std::printf("host-client %ldx%ld\n", client.right, client.bottom);

    std::string commandLine = "\"" + std::string(argv[1]) + "\" /p " +
                              std::to_string(static_cast<unsigned long>(reinterpret_cast<uintptr_t>(host)));
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        std::printf("start failed %lu\n", GetLastError());
        return 1;
    }
    Preview preview{host, process.hProcess};
    if (!PumpUntil(30000, ChildIsReady, &preview)) {
        std::printf("no preview window\n");
        TerminateProcess(process.hProcess, 99);
        return 1;
    }
    HWND child = Child(host);
    RECT childRect;
    GetClientRect(child, &childRect);
    std::printf("child-client %ldx%ld\n", childRect.right, childRect.bottom);
    LRESULT answer = 0;
    if (Ask(child, saver_probe::CanvasSize, &answer)) {
        std::printf("canvas %ldx%ld\n", static_cast<long>(answer / 65536), static_cast<long>(answer % 65536));
    }

    // Input the preview must ignore: keys, buttons and a long mouse move, straight to its window.
    PostMessageA(child, WM_KEYDOWN, VK_SPACE, 0x00390001);
    PostMessageA(child, WM_SYSKEYDOWN, VK_MENU, 0x20380001);
    PostMessageA(child, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    PostMessageA(child, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(50, 50));
    PostMessageA(child, WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(80, 80));
    SetCursorPos(400, 400);
    PostMessageA(child, WM_MOUSEMOVE, 0, MAKELPARAM(100, 100));
    SetCursorPos(40, 40);
    PostMessageA(child, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    Pump(2500);
    std::printf("running-after-input %s\n", !ProcessEnded(&preview) && IsWindow(child) ? "yes" : "no");

    if (Ask(child, saver_probe::FramesComposed, &answer)) std::printf("frames %ld\n", static_cast<long>(answer));
    if (Ask(child, saver_probe::SavePreview, &answer)) std::printf("picture-saved %ld\n", static_cast<long>(answer));

    // The control panel closes: the preview goes with its parent window.
    DestroyWindow(host);
    const bool ended = PumpUntil(30000, ProcessEnded, &preview);
    DWORD exitCode = 259;
    GetExitCodeProcess(process.hProcess, &exitCode);
    std::printf("ended-with-host %s\n", ended ? "yes" : "no");
    std::printf("exit-code %lu\n", exitCode);
    if (!ended) TerminateProcess(process.hProcess, 99);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return ended ? 0 : 1;
}
