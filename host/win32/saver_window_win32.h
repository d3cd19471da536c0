// The saver window of the two window modes: a topmost popup over the screen, or a child
// filling the preview window. Each clock window owns its canvas, sized to it, from its creation
// to its close.
#pragma once

#include <windows.h>

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

// Registers the window class named hostState.className; true on success.
bool RegisterSaverClass(HINSTANCE instance);
// Creates the window for hostState.mode, shows it with the show command and paints the first
// frame before returning; false when the window could not be created.
bool CreateSaverWindow(HINSTANCE instance, int showCommand);
// The canvas of a clock window; null for any other window.
const SaverCanvas* SaverCanvasOf(HWND window);
LRESULT CALLBACK SaverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// The screen-saver password check of older Windows; true when the saver may close.
bool ConfirmClose();
