// tarnwick-frame (Linux): renders one clock frame exactly as the X11 program does and writes it
// as a PNG.
#include <clocale>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "render/render_clock_cairo.h"
#include "tarnwick_config.h"
#include "tools/frame_options.h"

namespace {

constexpr int ExitFailed = 1;

std::tm TimeOf(const ClockOptions& options) {
    std::tm time{};
    if (!options.timeGiven) {
        const std::time_t now = std::time(nullptr);
        localtime_r(&now, &time);
        return time;
    }
    const LocalDateTime& given = options.time;
    time.tm_year = given.year - 1900;
    time.tm_mon = given.month - 1;
    time.tm_mday = given.day;
    time.tm_wday = given.dayOfWeek;
    time.tm_hour = given.hour;
    time.tm_min = given.minute;
    time.tm_sec = given.second;
    time.tm_isdst = -1;
    return time;
}

}  // namespace

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "");
    ClockOptions options;
    const unsigned groups = FrameToolOptions | option_group::HomePage;
    if (const int code = ReadClockOptions({argv + 1, argv + argc}, groups, "tarnwick-frame", options); code != 0) {
        return code;
    }
    if (options.help) {
        PrintFrameToolUsage();
        std::fputs("  --home-page URL       the address of the minute-7 banner\n", stdout);
        return 0;
    }
    CairoCanvas canvas(options.width, options.height);
    if (!canvas.Valid()) {
        std::fprintf(stderr, "tarnwick-frame: no memory for a %dx%d canvas\n", options.width, options.height);
        return ExitFailed;
    }
    const std::string homePage = options.homePage.empty() ? TARNWICK_HOME_PAGE : options.homePage;
    RenderClockWith(canvas, ClockCall{options.settings, TimeOf(options), options.fullScreen, homePage.c_str()});
    if (!SaveFrameAsPng(canvas, options.out.c_str())) {
        std::fprintf(stderr, "tarnwick-frame: cannot write '%s'\n", options.out.c_str());
        return ExitFailed;
    }
    return 0;
}
