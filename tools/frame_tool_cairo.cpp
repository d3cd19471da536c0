// tarnwick-frame (Linux): renders one clock frame exactly as the X11 program does and writes it
// as a PNG.
#include <clocale>
#include <cstdio>
#include <string>
#include <vector>

#include "render/render_clock_cairo.h"
#include "tarnwick_config.h"
#include "tools/frame_options.h"

namespace {

constexpr int ExitFailed = 1;

}  // namespace

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "");
    ClockOptions options;
    if (const int code = ReadClockOptions({argv + 1, argv + argc}, FrameToolOptions, "tarnwick-frame", options);
        code != 0) {
        return code;
    }
    if (options.help) {
        PrintFrameToolUsage();
        return 0;
    }
    const FrameChoices& frame = options.frame;
    CairoCanvas canvas(frame.width, frame.height);
    if (!canvas.Valid()) {
        std::fprintf(stderr, "tarnwick-frame: no memory for a %dx%d canvas\n", frame.width, frame.height);
        return ExitFailed;
    }
    const std::string homePage = HomePageOf(options, TARNWICK_HOME_PAGE);
    const LocalDateTime time = frame.timeGiven ? frame.time : LocalTimeNow();
    RenderClockFrame(canvas, SceneOf(canvas, options.settings, time, frame.fullScreen, homePage.c_str()));
    if (!SaveFrameAsPng(canvas, frame.out.c_str())) {
        std::fprintf(stderr, "tarnwick-frame: cannot write '%s'\n", frame.out.c_str());
        return ExitFailed;
    }
    return 0;
}
