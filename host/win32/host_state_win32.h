// The process-wide host record of the Windows saver, filled by start-up before any window or
// dialog exists.
#pragma once

#include <windows.h>

#include "host/run_mode.h"

// Each resource text is read into a buffer of this many bytes, so it holds at most 99 characters.
constexpr int HostTextCapacity = 100;

struct HostState {
    HINSTANCE instance;                  // the executable's module instance
    char noticeText[HostTextCapacity];   // string 107
    char productName[HostTextCapacity];  // string 117
    char versionText[HostTextCapacity];  // string 118
    char className[HostTextCapacity];    // string 119
    SaverMode mode;
    HWND parentWindow;                   // the window named on the command line; null while none was parsed
};

extern HostState hostState;
