// The process-wide host record, filled by start-up before any window or dialog exists.
// Platform-free: handles are held as plain values.
#pragma once

#include <cstdint>

enum class SaverMode { FullScreen, Preview, Configure, ChangePassword };

// Each resource text is read into a buffer of this many bytes, so it holds at most 99 characters.
constexpr int HostTextCapacity = 100;

struct HostState {
    void* instance;                      // the executable's module instance (HINSTANCE)
    char noticeText[HostTextCapacity];   // string 107
    char productName[HostTextCapacity];  // string 117
    char versionText[HostTextCapacity];  // string 118
    char className[HostTextCapacity];    // string 119
    SaverMode mode;
    uint32_t parentWindow;               // window handle from the command line; 0 while none was parsed
};

extern HostState hostState;
