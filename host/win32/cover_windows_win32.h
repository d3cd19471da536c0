// The windows over every monitor but the primary one while the full-screen clock runs: black
// covers, or with "Every monitor" clock windows of their own. Covers hand their input to the
// saver window and clocks follow the saver window's own rules, so that one set of rules, with its
// one cursor anchor and its one password check, ends the saver wherever the user is.
#pragma once

#include <windows.h>

// Covers each monitor other than the primary with a topmost window just below the saver window:
// a black one, or with `clocks` a clock window of the saver's class sized to that monitor. A
// monitor whose window cannot be made is left as it is.
void OpenCoverWindows(HINSTANCE instance, HWND saverWindow, bool clocks);
// Destroys every cover; nothing happens when there is none.
void CloseCoverWindows();
