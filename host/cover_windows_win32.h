// The black windows that cover every monitor but the primary one while the full-screen clock
// runs. They hand their input to the saver window, so that one set of rules, with its one cursor
// anchor and its one password check, ends the saver wherever the user is.
#pragma once

#include <windows.h>

// Covers each monitor other than the primary with a topmost black window just below the saver
// window. A monitor whose cover cannot be made is left as it is.
void OpenCoverWindows(HINSTANCE instance, HWND saverWindow);
// Destroys every cover; nothing happens when there is none.
void CloseCoverWindows();
