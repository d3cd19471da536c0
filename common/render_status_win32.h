// The status results of the last render call, collected so that a test can assert that a
// normal frame had no failed drawing call. The renderer itself never acts on them.
#pragma once

struct RenderStatus {
    int gdiplusCalls;
    int gdiplusFailures;
    int firstGdiplusFailure;         // the GDI+ status of the first failed call, 0 while none
    const char* firstFailedGdiplus;  // its operation's name, null while none
    int gdiCalls;
    int gdiFailures;
    const char* firstFailedGdi;
};

void ResetRenderStatus();
// Notes a GDI+ status (0 is Ok) of the named operation.
void NoteGdiplusStatus(int status, const char* operation);
// Notes whether the named GDI operation succeeded.
void NoteGdiResult(bool succeeded, const char* operation);
const RenderStatus& LastRenderStatus();
