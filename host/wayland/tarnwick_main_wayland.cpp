// tarnwick-wayland: the clock over every output of a Wayland desktop, through the layer shell.
#include <gtk-layer-shell.h>
#include <gtk/gtk.h>

#include <clocale>
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
    // The layer shell is a Wayland protocol: never fall back to an X display.
    gdk_set_allowed_backends("wayland");
    // GTK must not take a word of ours for one of its own options: it gets none.
    if (!gtk_init_check(nullptr, nullptr)) {
        std::fprintf(stderr, "%s: cannot open the Wayland display (is WAYLAND_DISPLAY set?)\n", Program);
        return ExitFailed;
    }
    if (!gtk_layer_is_supported()) {
        std::fprintf(stderr, "%s: the compositor offers no layer shell (wlr-layer-shell)\n", Program);
        return ExitFailed;
    }
    LayerSaver saver(gdk_display_get_default(),
                     SaverChoices{options.settings, options.homePage.empty() ? TARNWICK_HOME_PAGE : options.homePage,
                                  options.settings.monitors != 0, options.window.mainOutput});
    return saver.Run();
}
