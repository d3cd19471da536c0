// tarnwick-frame: renders one clock frame exactly as the saver does and writes it as a PNG.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "common/utf16_win32.h"
#include "common/utf8_text.h"
#include "render/render_clock_win32.h"
#include "tools/frame_options.h"
#include "tools/offscreen_canvas_win32.h"

namespace {

constexpr int ExitFailed = 1;

SYSTEMTIME SystemTimeOf(const ClockOptions& options) {
    SYSTEMTIME time{};
    if (!options.timeGiven) {
        GetLocalTime(&time);
        return time;
    }
    const LocalDateTime& given = options.time;
    time.wYear = static_cast<WORD>(given.year);
    time.wMonth = static_cast<WORD>(given.month);
    time.wDayOfWeek = static_cast<WORD>(given.dayOfWeek);
    time.wDay = static_cast<WORD>(given.day);
    time.wHour = static_cast<WORD>(given.hour);
    time.wMinute = static_cast<WORD>(given.minute);
    time.wSecond = static_cast<WORD>(given.second);
    return time;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> words;
    for (int i = 1; i < argc; ++i) words.push_back(Utf8Of(reinterpret_cast<const char16_t*>(argv[i])));
    ClockOptions options;
    if (const int code = ReadClockOptions(words, FrameToolOptions, "tarnwick-frame", options); code != 0) return code;
    if (options.help) {
        PrintFrameToolUsage();
        return 0;
    }
    GdiplusSession gdiplus;
    if (!gdiplus.Started()) {
        fputs("tarnwick-frame: GDI+ did not start\n", stderr);
        return ExitFailed;
    }
    OffscreenCanvas canvas(options.width, options.height);
    if (!canvas.Valid()) {
        fprintf(stderr, "tarnwick-frame: no memory for a %dx%d canvas\n", options.width, options.height);
        return ExitFailed;
    }
    RenderClockWith(canvas.Canvas(), options.settings, SystemTimeOf(options), options.fullScreen);
    std::u16string out;
    if (!Utf16Of(options.out, out) || !SavePictureAsPng(canvas.ReadFrame(), Wide(out.c_str()))) {
        fprintf(stderr, "tarnwick-frame: cannot write '%s'\n", options.out.c_str());
        return ExitFailed;
    }
    return 0;
}
