// Observation points of the saver's test build (tarnwick-test.scr). A test program asks the
// running saver window with SendMessage for the numbers below; the preview's picture goes to a
// file because a child window of another process is not visible on Wine's X display.
#pragma once

#include <windows.h>

namespace saver_probe {

// Answers of the test build's window; each message returns the number named.
constexpr UINT FramesComposed = WM_APP + 0x51;     // RenderClock calls so far
constexpr UINT DialRedraws = WM_APP + 0x52;        // frames composed with faceDirty set
constexpr UINT ObjectsAlive = WM_APP + 0x53;       // object_count::Alive()
constexpr UINT CanvasSize = WM_APP + 0x54;         // width * 65536 + height
constexpr UINT SavePreview = WM_APP + 0x55;        // writes %TARNWICK_PROBE_DIR%\preview.bmp; 1 when written
constexpr UINT DpiAwareness = WM_APP + 0x56;       // the thread's DPI awareness: 0 unaware, 1 system,
                                                   // 2 per monitor; -1 where the system cannot tell

}  // namespace saver_probe
