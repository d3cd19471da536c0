// The windows over every monitor but the primary one while the full-screen clock runs: black
// covers, or with "Every monitor" clock windows of their own. Covers hand their input to the
// saver window and clocks follow the saver window's own rules, so that one set of rules, with its
// one cursor anchor and its one password check, ends the saver wherever the user is.
#pragma once

#include <windows.h>

#include <vector>

#include "settings/clock_settings.h"

// Covers each monitor other than the primary with a topmost window just below the saver window,
// as the clock layout says: a black one, or a clock window of the saver's class sized to that
// monitor and created with `clockParameter`. A monitor whose window cannot be made is left as it
// is. Returns the black covers; the clock windows join the run through their creation.
std::vector<HWND> OpenCoverWindows(HINSTANCE instance, HWND saverWindow, const ClockSettings& settings,
                                   void* clockParameter);
// Destroys the covers and empties the list.
void CloseCoverWindows(std::vector<HWND>& covers);
