#include "host/x11/x11_saver_x11.h"

#include <X11/extensions/dpms.h>
#include <poll.h>

#include <cstdio>
#include <ctime>

namespace {

bool windowLost = false;

TickInstant Now() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return {now.tv_sec, now.tv_nsec};
}

}  // namespace

int NoteXError(Display*, XErrorEvent* error) {
    if (error->error_code == BadWindow || error->error_code == BadDrawable) windowLost = true;
    return 0;
}

bool XWindowLost() { return windowLost; }

X11Saver::X11Saver(Display* display, SaverTarget target, const ClockSettings& settings, std::string homePage)
    : display_(display),
      target_(target),
      settings_(settings),
      homePage_(std::move(homePage)),
      deleteWindow_(XInternAtom(display, "WM_DELETE_WINDOW", False)) {
    int eventBase = 0, errorBase = 0;
    dpms_ = DPMSQueryExtension(display, &eventBase, &errorBase) && DPMSCapable(display);
}

X11Saver::~X11Saver() {
    shrunk_.reset();
    canvas_.reset();
    presenter_.reset();
    if (target_.ownWindow) XDestroyWindow(display_, target_.window);
    XFlush(display_);
}

bool X11Saver::Follow(int width, int height) {
    if (presenter_ != nullptr && width == width_ && height == height_) return false;
    width_ = width;
    height_ = height;
    shrunk_.reset();
    canvas_.reset();
    presenter_ = std::make_unique<X11Presenter>(display_, target_.window, attributes_, width, height);
    // A miniature (XScreenSaver's settings preview) is drawn on a canvas enlarged as the Windows
    // preview is, then shrunk, so that it keeps the full picture's proportions.
    const CanvasSize canvas = SaverCanvasSize(true, width, height);
    if (canvas.width == width && canvas.height == height) {
        canvas_ = std::make_unique<CairoCanvas>(width, height, presenter_->FrameMemory());
        canvas_->incremental = true;
    } else {
        canvas_ = std::make_unique<CairoCanvas>(canvas.width, canvas.height);
        unsigned char* memory = presenter_->FrameMemory();
        shrunk_.reset(memory == nullptr ? cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height)
                                        : cairo_image_surface_create_for_data(
                                              memory, CAIRO_FORMAT_RGB24, width, height,
                                              cairo_format_stride_for_width(CAIRO_FORMAT_RGB24, width)));
    }
    framed_ = false;
    return true;
}

CairoRegion X11Saver::Compose(const LocalDateTime& now) {
    RenderClockFrame(*canvas_, SceneOf(*canvas_, settings_, now, shrunk_ == nullptr, homePage_.c_str()));
    if (shrunk_ == nullptr) return canvas_->TakeChangedRegion();
    cairo_t* cr = cairo_create(shrunk_.get());
    cairo_scale(cr, static_cast<double>(width_) / canvas_->Width(), static_cast<double>(height_) / canvas_->Height());
    cairo_set_source_surface(cr, canvas_->Frame(), 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
    cairo_paint(cr);
    cairo_destroy(cr);
    return Whole();
}

CairoRegion X11Saver::Whole() const {
    const cairo_rectangle_int_t all{0, 0, width_, height_};
    return CairoRegion(cairo_region_create_rectangle(&all));
}

void X11Saver::Render(bool compose, const LocalDateTime& now) {
    if (canvas_ == nullptr || !canvas_->Valid()) return;
    CairoRegion shown = compose || !framed_ ? Compose(now) : Whole();
    framed_ = true;
    // The finished frame goes to the window in one copy, and only where it changed: nothing
    // half-drawn is ever seen, and a steady clock moves few pixels a second.
    presenter_->Show(shrunk_ != nullptr ? shrunk_.get() : canvas_->Frame(), shown.get());
    canvas_->faceDirty = false;
}

void X11Saver::OnTick() {
    const LocalDateTime now = LocalTimeNow();
    const TickResult result = TickAt(tick_, now, settings_);
    if (result.faceDirty && canvas_ != nullptr) canvas_->faceDirty = true;
    // A display that is not on gets no frames; the first tick after it wakes draws one.
    if (!DisplayOn()) {
        frameMissed_ = true;
        return;
    }
    // The frame shows the same reading the tick judged, so the date and the hands agree.
    if (result.invalidate || frameMissed_) Render(true, now);
    frameMissed_ = false;
}

bool X11Saver::DisplayOn() const {
    if (!dpms_) return true;
    CARD16 level = DPMSModeOn;
    BOOL enabled = False;
    return DPMSInfo(display_, &level, &enabled) == False || enabled == False || level == DPMSModeOn;
}

bool X11Saver::DispatchEvents() {
    while (XPending(display_) > 0) {
        XEvent event;
        XNextEvent(display_, &event);
        switch (event.type) {
        case Expose:
            if (event.xexpose.count == 0) Render(false, LocalTimeNow());
            break;
        case ConfigureNotify:
            if (Follow(event.xconfigure.width, event.xconfigure.height)) Render(true, LocalTimeNow());
            break;
        case DestroyNotify:
            if (event.xdestroywindow.window == target_.window) return false;
            break;
        case KeyPress:
        case ButtonPress:
            return false;
        case ClientMessage:
            if (static_cast<Atom>(event.xclient.data.l[0]) == deleteWindow_) return false;
            break;
        default:
            break;
        }
    }
    return !windowLost;
}

int X11Saver::Run(int stopFd) {
    if (XGetWindowAttributes(display_, target_.window, &attributes_) == 0) {
        std::fprintf(stderr, "tarnwick: no window 0x%lx to draw into\n", target_.window);
        return 1;
    }
    long events = ExposureMask | StructureNotifyMask;
    if (target_.ownWindow) events |= KeyPressMask | ButtonPressMask;
    XSelectInput(display_, target_.window, events);
    if (target_.ownWindow) XSetWMProtocols(display_, target_.window, &deleteWindow_, 1);
    Follow(attributes_.width, attributes_.height);
    if (target_.ownWindow) XMapRaised(display_, target_.window);
    Render(true, LocalTimeNow());

    pollfd watched[2] = {{ConnectionNumber(display_), POLLIN, 0}, {stopFd, POLLIN, 0}};
    TickInstant nextTick = NextTickAfter(Now());
    while (DispatchEvents()) {
        const int wait = MillisecondsUntilTick(Now(), nextTick);
        if (wait == 0) {
            OnTick();
            nextTick = NextTickAfter(Now());
            continue;
        }
        XFlush(display_);
        if (poll(watched, 2, wait) > 0 && (watched[1].revents & POLLIN) != 0) break;
    }
    return 0;
}
