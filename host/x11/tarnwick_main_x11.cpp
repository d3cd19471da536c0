// tarnwick: the clock as an XScreenSaver display mode, or in a window of its own.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "host/x11/x11_saver_x11.h"
#include "settings/clock_options.h"
#include "tarnwick_config.h"

namespace {

constexpr int ExitFailed = 1;
constexpr unsigned OwnWindowWidth = 1024;
constexpr unsigned OwnWindowHeight = 768;

constexpr unsigned ProgramOptions =
    option_group::Settings | option_group::HomePage | option_group::Window | option_group::Monitors;

constexpr char About[] =
    "Usage: tarnwick [options]\n"
    "Shows an analog wall clock: as an XScreenSaver display mode in the window named by\n"
    "$XSCREENSAVER_WINDOW, or in a window of its own that a key or a click closes.\n";
constexpr char Note[] = "Where Palatino Linotype is not installed, a serif face stands in for it.\n";

// A window id from $XSCREENSAVER_WINDOW; 0 when it is unset or not a number.
Window LentWindow() {
    const char* text = std::getenv("XSCREENSAVER_WINDOW");
    if (text == nullptr || *text == '\0') return 0;
    char* end = nullptr;
    const unsigned long id = std::strtoul(text, &end, 0);
    return *end == '\0' ? id : 0;
}

// An invisible pointer for a window that covers the screen.
void HidePointer(Display* display, Window window) {
    static const char empty[1] = {0};
    const Pixmap bitmap = XCreateBitmapFromData(display, window, empty, 1, 1);
    XColor black{};
    const Cursor cursor = XCreatePixmapCursor(display, bitmap, bitmap, &black, &black, 0, 0);
    XDefineCursor(display, window, cursor);
    XFreeCursor(display, cursor);
    XFreePixmap(display, bitmap);
}

Window OwnWindow(Display* display, bool fullscreen) {
    const int screen = DefaultScreen(display);
    const unsigned width = fullscreen ? DisplayWidth(display, screen) : OwnWindowWidth;
    const unsigned height = fullscreen ? DisplayHeight(display, screen) : OwnWindowHeight;
    const Window window = XCreateSimpleWindow(display, RootWindow(display, screen), 0, 0, width, height, 0,
                                              BlackPixel(display, screen), BlackPixel(display, screen));
    XStoreName(display, window, "Tarnwick");
    XClassHint hint{const_cast<char*>("tarnwick"), const_cast<char*>("Tarnwick")};
    XSetClassHint(display, window, &hint);
    if (fullscreen) {
        Atom state = XInternAtom(display, "_NET_WM_STATE_FULLSCREEN", False);
        XChangeProperty(display, window, XInternAtom(display, "_NET_WM_STATE", False), XA_ATOM, 32,
                        PropModeReplace, reinterpret_cast<unsigned char*>(&state), 1);
        HidePointer(display, window);
    }
    return window;
}

// XScreenSaver's contract: a window named on the command line, else the one it lends through
// the environment, else with --root the root window, else one of our own.
SaverTarget ChooseTarget(Display* display, const ClockOptions& options) {
    const WindowChoices& choices = options.window;
    if (choices.windowIdGiven) return {choices.windowId, false, WindowSpan::OneMonitor};
    if (const Window lent = LentWindow(); lent != 0) return {lent, false, WindowSpan::OneMonitor};
    if (choices.onRoot) return {DefaultRootWindow(display), false, WindowSpan::Monitors};
    const bool fullscreen = choices.ownWindowFullScreen;
    return {OwnWindow(display, fullscreen), true, fullscreen ? WindowSpan::Monitors : WindowSpan::Whole};
}

// SIGTERM (XScreenSaver's way to end a display mode), SIGINT and SIGHUP arrive as readable
// data on the descriptor, so the frame loop sees them between two frames and ends cleanly.
int StopSignals() {
    sigset_t stop;
    sigemptyset(&stop);
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) sigaddset(&stop, signal);
    sigprocmask(SIG_BLOCK, &stop, nullptr);
    const int fd = signalfd(-1, &stop, SFD_CLOEXEC);
    // Without the descriptor the signals must keep their default action, or nothing could end us.
    if (fd < 0) sigprocmask(SIG_UNBLOCK, &stop, nullptr);
    return fd;
}

}  // namespace

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "");
    ClockOptions options;
    if (const int code = ReadClockOptions({argv + 1, argv + argc}, ProgramOptions, "tarnwick", options); code != 0) {
        return code;
    }
    if (options.help) {
        PrintUsage(About, ProgramOptions, Note);
        return 0;
    }
    const int stopFd = StopSignals();
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fputs("tarnwick: cannot open the X display (is DISPLAY set?)\n", stderr);
        return ExitFailed;
    }
    XSetErrorHandler(NoteXError);
    int code = 0;
    {
        X11Saver saver(display, ChooseTarget(display, options), options.settings,
                       options.homePage.empty() ? TARNWICK_HOME_PAGE : options.homePage);
        code = saver.Run(stopFd);
    }
    XCloseDisplay(display);
    close(stopFd);
    return code;
}
