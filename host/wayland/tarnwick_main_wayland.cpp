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

const char UsageHead[] =
    "Usage: tarnwick-wayland [options]\n"
    "Shows an analog wall clock over the whole desktop of a Wayland compositor with the layer\n"
    "shell (sway, Hyprland, KDE Plasma...) until a key, a click or a pointer move.\n"
    "  --monitors main|all   the clock on the main output, the others black (default), or on each\n"
    "  --output NAME         the main output, e.g. DP-1 (default: the first the compositor lists)\n";
const char UsageTail[] =
    "  --home-page URL       the address shown in minute 7 of every hour\n"
    "  --help                show this text\n";

// ---- Output options: until the shared options table takes --monitors and --output ----
struct OutputOptions {
    bool everyOutput = false;
    std::string outputName;
};

// Takes --monitors and --output (with one dash or two) out of `words`, leaving the rest for
// ReadClockOptions. Every other option of this program but --help takes a value, which is
// passed over unread. Returns 0, or ExitBadUsage after one line on standard error.
int TakeOutputOptions(std::vector<std::string>& words, OutputOptions& options) {
    std::vector<std::string> rest;
    for (size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        const bool option = word.size() > 1 && word[0] == '-';
        const std::string name = !option ? "" : word.substr(word[1] == '-' ? 2 : 1);
        if (name != "monitors" && name != "output") {
            rest.push_back(word);
            if (option && name != "help" && name != "h" && i + 1 < words.size()) rest.push_back(words[++i]);
            continue;
        }
        if (i + 1 >= words.size()) {
            std::fprintf(stderr, "%s: missing value for %s (try --help)\n", Program, word.c_str());
            return ExitBadUsage;
        }
        const std::string& value = words[++i];
        if (name == "output") {
            options.outputName = value;
        } else if (value == "main" || value == "all") {
            options.everyOutput = value == "all";
        } else {
            std::fprintf(stderr, "%s: bad value '%s' for %s: expected main or all\n", Program, value.c_str(),
                         word.c_str());
            return ExitBadUsage;
        }
    }
    words = std::move(rest);
    return 0;
}
// ---- end of the output options ----

}  // namespace

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "");
    std::vector<std::string> words(argv + 1, argv + argc);
    OutputOptions outputs;
    if (const int code = TakeOutputOptions(words, outputs); code != 0) return code;
    ClockOptions options;
    constexpr unsigned Groups = option_group::Settings | option_group::HomePage;
    if (const int code = ReadClockOptions(words, Groups, Program, options); code != 0) return code;
    if (options.help) {
        std::fputs(UsageHead, stdout);
        std::fputs(SettingsOptionsUsage, stdout);
        std::fputs(UsageTail, stdout);
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
                                  outputs.everyOutput, outputs.outputName});
    return saver.Run();
}
