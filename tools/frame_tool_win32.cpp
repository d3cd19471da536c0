// tarnwick-frame: renders one clock frame exactly as the saver does and writes it as a PNG.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "common/utf16_win32.h"
#include "common/utf8_text.h"
#include "render/render_clock_win32.h"
#include "tools/frame_options.h"
#include "host/clock_layout.h"
#include "host/world_clocks.h"
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
    const std::string homePage = HomePageOf(options, TARNWICK_HOME_PAGE);
    const ClockReading now = frame.timeGiven ? ClockReading{InstantOf(frame.time), frame.time} : ReadClock();
    // Each clock on a canvas of its cell, laid into one picture, as the saver window does.
    const WorldClocks world(options.settings);
    Picture picture{frame.width, frame.height, std::vector<uint32_t>(static_cast<size_t>(frame.width) * frame.height)};
    const std::vector<ScreenRect> cells = ClockCells({0, 0, frame.width, frame.height}, world.Count());
    for (size_t i = 0; i < cells.size(); ++i) {
        const ScreenRect& r = cells[i];
        OffscreenCanvas canvas(r.right - r.left, r.bottom - r.top);
        if (!canvas.Valid()) {
            fprintf(stderr, "tarnwick-frame: no memory for a %dx%d canvas\n", frame.width, frame.height);
            return ExitFailed;
        }
        const LocalDateTime time = world.TimeOf(static_cast<int>(i), now);
        const ClockRole role{world.Count() > 1, world.CaptionOf(static_cast<int>(i), time, now.local)};
        RenderClockFrame(canvas.Canvas(),
                         SceneOf(canvas.Canvas(), options.settings, time, frame.fullScreen, homePage.c_str(), role));
        const Picture drawn = canvas.ReadFrame();
        for (int32_t y = 0; y < drawn.height && !drawn.pixels.empty(); ++y) {
            std::copy_n(drawn.pixels.begin() + static_cast<size_t>(y) * drawn.width, drawn.width,
                        picture.pixels.begin() + static_cast<size_t>(r.top + y) * frame.width + r.left);
        }
    }
    std::u16string out;
    if (!Utf16Of(frame.out, out) || !SavePictureAsPng(picture, Wide(out.c_str()))) {
        fprintf(stderr, "tarnwick-frame: cannot write '%s'\n", frame.out.c_str());
        return ExitFailed;
    }
    return 0;
}
