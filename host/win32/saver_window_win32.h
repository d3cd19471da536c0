// The saver window of the two window modes: a topmost popup over the screen, or a child
// filling the preview window. Each clock window owns its canvas, sized to it, from its creation
// to its close.
#pragma once

#include <windows.h>

#include <optional>
#include <vector>

#include "host/saver_session.h"
#include "host/world_clocks.h"
#include "render/render_clock_win32.h"

// The window named on the command line: the preview's host, the settings dialog's owner.
HWND ParentWindow();

// Set while ConfirmClose runs: close requests that arrive during the password dialog are no-ops.
extern bool passwordCheckActive;

// The calls whose failures the window must live with. By default the system's own and
// ConfirmClose; a test puts stand-ins here to reach those paths.
struct SaverWindowCalls {
    BOOL(WINAPI* getCursorPos)(LPPOINT);
    UINT_PTR(WINAPI* setTimer)(HWND, UINT_PTR, UINT, TIMERPROC);
    bool (*confirmClose)();
};
extern SaverWindowCalls saverWindowCalls;

// One run of the saver: its clock windows and covers, the saver session and the display-state
// registration. It lives for the message loop; every window of the run reaches it through its
// creation parameter, so nothing of a run is global.
struct SaverRun {
    SaverRun() = default;
    // Destroys whatever window of the run is still open, so none outlives its state.
    ~SaverRun();
    SaverRun(const SaverRun&) = delete;
    SaverRun& operator=(const SaverRun&) = delete;

    std::vector<HWND> clocks;   // the live clock windows; the first holds the timer
    std::vector<HWND> covers;   // the black windows over the other monitors
    std::optional<SaverSession> session;  // from the first clock's creation
    std::optional<WorldClocks> world;     // the clocks each clock window shows, from then too
    bool timerMissing = false;  // the system refused the frame timer so far
    UINT timerPeriodMs = 0;     // the frame timer's period as last set
    bool released = false;      // released once; later closes and destroys do nothing
    HPOWERNOTIFY displayNotice = nullptr;
    HPOWERNOTIFY batterySaverNotice = nullptr;
};

// Registers the window class named hostState.className; true on success.
bool RegisterSaverClass(HINSTANCE instance);
// Creates the window for hostState.mode as a window of `run`, shows it with the show command and
// paints the first frame before returning; false when the window could not be created.
bool CreateSaverWindow(HINSTANCE instance, int showCommand, SaverRun& run);
// The canvas of a clock window; null for any other window.
const SaverCanvas* SaverCanvasOf(HWND window);
LRESULT CALLBACK SaverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// The screen-saver password check of older Windows; true when the saver may close.
bool ConfirmClose();
