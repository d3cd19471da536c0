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
#include "tarnwick_config.h"

namespace {

constexpr int ExitFailed = 1;

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::vector<std::string> words = Utf8Words(argc, argv);
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
    const FrameChoices& frame = options.frame;
    OffscreenCanvas canvas(frame.width, frame.height);
    if (!canvas.Valid()) {
        fprintf(stderr, "tarnwick-frame: no memory for a %dx%d canvas\n", frame.width, frame.height);
        return ExitFailed;
    }
    const std::string homePage = HomePageOf(options, TARNWICK_HOME_PAGE);
    const LocalDateTime time = frame.timeGiven ? frame.time : LocalTimeNow();
    RenderClockFrame(canvas.Canvas(), SceneOf(canvas.Canvas(), options.settings, time, frame.fullScreen, homePage.c_str()));
    std::u16string out;
    if (!Utf16Of(frame.out, out) || !SavePictureAsPng(canvas.ReadFrame(), Wide(out.c_str()))) {
        fprintf(stderr, "tarnwick-frame: cannot write '%s'\n", frame.out.c_str());
        return ExitFailed;
    }
    return 0;
}
