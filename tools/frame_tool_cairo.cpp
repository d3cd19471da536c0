// tarnwick-frame (Linux): renders one clock frame exactly as the X11 program does and writes it
// as a PNG.
#include <clocale>
#include <cstdio>
#include <string>
#include <vector>

#include "host/clock_layout.h"
#include "host/world_clocks.h"
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
    const ClockReading now =
        frame.timeGiven ? ClockReading{InstantOf(frame.time), frame.time} : ReadClock();
    // The clocks in their cells, each drawn in place into the one picture, as the X11 program does.
    const WorldClocks world(options.settings);
    const std::vector<ScreenRect> cells = ClockCells({0, 0, frame.width, frame.height}, world.Count());
    for (size_t i = 0; i < cells.size(); ++i) {
        const ScreenRect& r = cells[i];
        unsigned char* place = cairo_image_surface_get_data(canvas.Frame()) + r.top * canvas.Stride() +
                               r.left * static_cast<int>(sizeof(uint32_t));
        CairoCanvas cell(r.right - r.left, r.bottom - r.top, place, canvas.Stride());
        const LocalDateTime time = world.TimeOf(static_cast<int>(i), now);
        const ClockRole role{world.Count() > 1, world.CaptionOf(static_cast<int>(i), time, now.local)};
        RenderClockFrame(cell, SceneOf(cell, options.settings, time, frame.fullScreen, homePage.c_str(), role));
    }
    cairo_surface_mark_dirty(canvas.Frame());
    if (!SaveFrameAsPng(canvas, frame.out.c_str())) {
        std::fprintf(stderr, "tarnwick-frame: cannot write '%s'\n", frame.out.c_str());
        return ExitFailed;
    }
    return 0;
}
