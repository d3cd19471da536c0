// Pokes a running full-screen saver the way the system and a user's session would: finds its
// window by class, sends or posts window messages, asks the test build's observation points,
// reads the cursor state and the process's working set. One command per run; prints the answer.
//
//   saver_poke wait-window SECONDS      waits for a visible saver window; prints its handle
//   saver_poke wait-gone SECONDS        waits until no saver window is left
//   saver_poke send MESSAGE WPARAM      SendMessage; prints the result
//   saver_poke post MESSAGE WPARAM      PostMessage
//   saver_poke probe frames|redraws|objects|canvas|dpi
//   saver_poke cursor                   prints "hidden" or "shown"
//   saver_poke covers-screen            exit 0 when the window covers the primary screen exactly
//   saver_poke soak FRAMES              drives FRAMES frames through timer messages; prints
//                                       working set and objects alive along the way
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "tests/probe/saver_probe_win32.h"

namespace {

const char* const SaverClass = "TARNWICK";

HWND FindSaver() {
    HWND window = FindWindowA(SaverClass, nullptr);
    return window != nullptr && IsWindowVisible(window) ? window : nullptr;
}

HWND WaitForSaver(double seconds) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < seconds * 1000) {
        if (HWND window = FindSaver()) return window;
        Sleep(50);
    }
    return nullptr;
}

unsigned long ParseNumber(const char* text) { return std::strtoul(text, nullptr, 0); }

bool Ask(HWND window, UINT message, LRESULT* answer) {
    DWORD_PTR result = 0;
    if (SendMessageTimeoutA(window, message, 0, 0, SMTO_ABORTIFHUNG, 10000, &result) == 0) return false;
    *answer = static_cast<LRESULT>(result);
    return true;
}

SIZE_T WorkingSet(HWND window) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
    if (process == nullptr) return 0;
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    const BOOL ok = GetProcessMemoryInfo(process, &counters, sizeof(counters));
    CloseHandle(process);
    return ok ? counters.WorkingSetSize : 0;
}

// One frame the way the message loop makes it: a posted timer message invalidates the window
// (with seconds shown), and the loop's paint message composes the frame.
bool DriveOneFrame(HWND window, LRESULT* frames) {
    LRESULT before = 0;
    if (!Ask(window, saver_probe::FramesComposed, &before)) return false;
    PostMessageA(window, WM_TIMER, 1, 0);
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < 10000) {
        if (!Ask(window, saver_probe::FramesComposed, frames)) return false;
        if (*frames > before) return true;
        Sleep(0);
    }
    return false;
}

int Soak(HWND window, long frames) {
    LRESULT count = 0;
    LRESULT objects = 0;
    SIZE_T warmSet = 0;
    LRESULT warmObjects = 0;
    SIZE_T peakSet = 0;
    const long warmUp = frames / 10;
    for (long frame = 1; frame <= frames; ++frame) {
        if (!DriveOneFrame(window, &count)) {
            std::printf("frame %ld was not composed\n", frame);
            return 1;
        }
        if (frame == warmUp || frame % 250 == 0 || frame == frames) {
            const SIZE_T set = WorkingSet(window);
            if (!Ask(window, saver_probe::ObjectsAlive, &objects)) return 1;
            std::printf("frame %ld frames-composed %ld working-set-kb %lu objects %ld\n", frame,
                        static_cast<long>(count), static_cast<unsigned long>(set / 1024), static_cast<long>(objects));
            std::fflush(stdout);
            if (frame == warmUp) {
                warmSet = set;
                warmObjects = objects;
            } else if (frame > warmUp && set > peakSet) {
                peakSet = set;
            }
        }
    }
    std::printf("warm-working-set-kb %lu peak-working-set-kb %lu warm-objects %ld end-objects %ld\n",
                static_cast<unsigned long>(warmSet / 1024), static_cast<unsigned long>(peakSet / 1024),
                static_cast<long>(warmObjects), static_cast<long>(objects));
    return 0;
}

int Usage() {
    std::fprintf(stderr, "usage: saver_poke wait-window|wait-gone|send|post|probe|cursor|soak ...\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return Usage();
    const std::string command = argv[1];
    if (command == "wait-window") {
        HWND window = WaitForSaver(argc > 2 ? std::atof(argv[2]) : 30);
        if (window == nullptr) return 1;
        std::printf("%lu\n", static_cast<unsigned long>(reinterpret_cast<uintptr_t>(window)));
        return 0;
    }
    if (command == "wait-gone") {
        const DWORD start = GetTickCount();
        const double seconds = argc > 2 ? std::atof(argv[2]) : 30;
        while (FindWindowA(SaverClass, nullptr) != nullptr) {
            if (GetTickCount() - start > seconds * 1000) return 1;
            Sleep(50);
        }
        return 0;
    }
    HWND window = FindSaver();
    if (window == nullptr) {
        std::fprintf(stderr, "no saver window\n");
        return 1;
    }
    if ((command == "send" || command == "post") && argc >= 4) {
        const UINT message = static_cast<UINT>(ParseNumber(argv[2]));
        const WPARAM wParam = static_cast<WPARAM>(ParseNumber(argv[3]));
        if (command == "post") return PostMessageA(window, message, wParam, 0) ? 0 : 1;
        DWORD_PTR result = 0;
        if (SendMessageTimeoutA(window, message, wParam, 0, SMTO_ABORTIFHUNG, 10000, &result) == 0) return 1;
        std::printf("%ld\n", static_cast<long>(result));
        return 0;
    }
    if (command == "probe" && argc >= 3) {
        const std::string what = argv[2];
        const UINT message = what == "frames"    ? saver_probe::FramesComposed
                             : what == "redraws" ? saver_probe::DialRedraws
                             : what == "objects" ? saver_probe::ObjectsAlive
                             : what == "canvas"  ? saver_probe::CanvasSize
                             : what == "dpi"     ? saver_probe::DpiAwareness
                                                 : 0;
        LRESULT answer = 0;
        if (message == 0 || !Ask(window, message, &answer)) return 1;
        if (message == saver_probe::CanvasSize) {
            std::printf("%ldx%ld\n", static_cast<long>(answer / 65536), static_cast<long>(answer % 65536));
        } else {
            std::printf("%ld\n", static_cast<long>(answer));
        }
        return 0;
    }
    if (command == "cursor") {
        CURSORINFO info{};
        info.cbSize = sizeof(info);
        if (!GetCursorInfo(&info)) return 1;
        std::printf("%s\n", (info.flags & CURSOR_SHOWING) != 0 && info.hCursor != nullptr ? "shown" : "hidden");
        return 0;
    }
    if (command == "covers-screen") {
        RECT rect{};
        GetWindowRect(window, &rect);
        const int width = GetSystemMetrics(SM_CXSCREEN);
        const int height = GetSystemMetrics(SM_CYSCREEN);
        std::printf("window %ld,%ld %ldx%ld, screen %dx%d\n", rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, width, height);
        return rect.left == 0 && rect.top == 0 && rect.right == width && rect.bottom == height ? 0 : 1;
    }
    if (command == "soak" && argc >= 3) return Soak(window, std::atol(argv[2]));
    return Usage();
}
