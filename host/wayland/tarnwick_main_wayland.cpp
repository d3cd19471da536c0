// tarnwick-wayland: the clock over every output of a Wayland desktop, through the layer shell.
#include <wayland-client.h>

#include <clocale>
#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

#include "host/wayland/layer_saver_wayland.h"
#include "settings/clock_options.h"
#include "tarnwick_config.h"

namespace {

constexpr int ExitFailed = 1;
constexpr char Program[] = "tarnwick-wayland";

constexpr unsigned ProgramOptions =
    option_group::Settings | option_group::HomePage | option_group::Monitors | option_group::Output;

constexpr char About[] =
    "Usage: tarnwick-wayland [options]\n"
    "Shows an analog wall clock over the whole desktop of a Wayland compositor with the layer\n"
    "shell (sway, Hyprland, KDE Plasma...) until a key, a click or a pointer move.\n";

struct DisplayRelease {
    void operator()(wl_display* display) const { wl_display_disconnect(display); }
};

}  // namespace

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "");
    ClockOptions options;
    if (const int code = ReadClockOptions({argv + 1, argv + argc}, ProgramOptions, Program, options); code != 0) {
        return code;
    }
    if (options.help) {
        PrintUsage(About, ProgramOptions);
        return 0;
    }
    // A compositor gone mid-write must end the program through its exit code, not a signal.
    std::signal(SIGPIPE, SIG_IGN);
    std::unique_ptr<wl_display, DisplayRelease> display(wl_display_connect(nullptr));
    if (display == nullptr) {
        std::fprintf(stderr, "%s: cannot open the Wayland display (is WAYLAND_DISPLAY set?)\n", Program);
        return ExitFailed;
    }
    LayerSaver saver(display.get(),
                     SaverChoices{options.settings, options.homePage.empty() ? TARNWICK_HOME_PAGE : options.homePage,
                                  options.window.mainOutput});
    return saver.Run();
}
