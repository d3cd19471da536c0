#include "common/render_status_win32.h"

namespace {
// One thread draws; the record is read back only by tests and tools.
RenderStatus lastStatus{};
}  // namespace

void ResetRenderStatus() { lastStatus = RenderStatus{}; }

void NoteGdiplusStatus(int status, const char* operation) {
    ++lastStatus.gdiplusCalls;
    if (status == 0) return;
    if (lastStatus.gdiplusFailures++ == 0) {
        lastStatus.firstGdiplusFailure = status;
        lastStatus.firstFailedGdiplus = operation;
    }
}

void NoteGdiResult(bool succeeded, const char* operation) {
    ++lastStatus.gdiCalls;
    if (succeeded) return;
    if (lastStatus.gdiFailures++ == 0) lastStatus.firstFailedGdi = operation;
}

const RenderStatus& LastRenderStatus() { return lastStatus; }
