#include "host/x11/x11_saver_x11.h"

#include <X11/extensions/dpms.h>
#include <poll.h>

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace {

bool windowLost = false;

// The monitors in the window's coordinates, the main one judged on the whole screen.
std::vector<MonitorArea> InWindow(std::vector<MonitorArea> monitors, const ScreenRect& place) {
    if (const int main = MainMonitor(monitors); main >= 0) monitors[main].primary = true;
    for (MonitorArea& m : monitors) {
        m.rect = {m.rect.left - place.left, m.rect.top - place.top, m.rect.right - place.left,
                  m.rect.bottom - place.top};
    }
    return monitors;
}

void PaintBlack(cairo_surface_t* picture) {
    cairo_t* cr = cairo_create(picture);
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_paint(cr);
    cairo_destroy(cr);
    cairo_surface_flush(picture);
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
      world_(settings),
      homePage_(std::move(homePage)),
      deleteWindow_(XInternAtom(display, "WM_DELETE_WINDOW", False)),
      monitors_(display) {
    int eventBase = 0, errorBase = 0;
    dpms_ = DPMSQueryExtension(display, &eventBase, &errorBase) && DPMSCapable(display);
}

X11Saver::~X11Saver() {
    clocks_.clear();
    picture_.reset();
    presenter_.reset();
    if (target_.ownWindow) XDestroyWindow(display_, target_.window);
    XFlush(display_);
}

bool X11Saver::Follow(int width, int height) {
    if (presenter_ != nullptr && width == width_ && height == height_) return false;
    width_ = width;
    height_ = height;
    clocks_.clear();
    picture_.reset();
    presenter_ = std::make_unique<X11Presenter>(display_, target_.window, attributes_, width, height);
    unsigned char* memory = presenter_->FrameMemory();
    picture_.reset(memory == nullptr ? cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height)
                                     : cairo_image_surface_create_for_data(
                                           memory, CAIRO_FORMAT_RGB24, width, height,
                                           cairo_format_stride_for_width(CAIRO_FORMAT_RGB24, width)));
    LayOut();
    return true;
}

void X11Saver::LayOut() {
    clocks_.clear();
    framed_ = false;
    if (cairo_surface_status(picture_.get()) != CAIRO_STATUS_SUCCESS) return;
    presenter_->AwaitRead();
    PaintBlack(picture_.get());
    // Every monitor with clocks holds all of them, in order.
    const std::vector<ScreenRect> places = ClockPlaces();
    for (size_t i = 0; i < places.size(); ++i) {
        const ScreenRect& rect = places[i];
        if (rect.right > rect.left && rect.bottom > rect.top) clocks_.push_back(MakeView(rect, static_cast<int>(i) % world_.Count()));
    }
}

bool X11Saver::Moved() {
    if (target_.span == WindowSpan::Whole || picture_ == nullptr) return false;
    const std::vector<ScreenRect> places = ClockPlaces();
    const bool same = places.size() == clocks_.size() &&
                      std::equal(places.begin(), places.end(), clocks_.begin(),
                                 [](const ScreenRect& place, const ClockView& view) { return place == view.rect; });
    if (!same) LayOut();
    return !same;
}

std::vector<ScreenRect> X11Saver::ClockPlaces() const {
    const ScreenRect window{0, 0, width_, height_};
    const int clocks = world_.Count();
    if (target_.span == WindowSpan::Whole) return ClockCells(window, clocks);
    const std::vector<MonitorArea> monitors = monitors_.OnRoot();
    const ScreenRect place = monitors_.Place(target_.window, width_, height_);
    if (target_.span == WindowSpan::OneMonitor) {
        const ScreenRect screen{INT32_MIN / 2, INT32_MIN / 2, INT32_MAX / 2, INT32_MAX / 2};
        const bool clock = LentWindowHasClock(LayOutClocks(monitors, screen, settings_), (place.left + place.right) / 2,
                                              (place.top + place.bottom) / 2, settings_);
        return clock ? ClockCells(window, clocks) : std::vector<ScreenRect>{};
    }
    // One picture over every monitor: a mirror shows the clock of the monitor it lies in.
    std::vector<ScreenRect> places;
    for (const MonitorPlan& plan : LayOutClocks(InWindow(monitors, place), window, settings_, clocks)) {
        if (!plan.mirror) places.insert(places.end(), plan.clocks.begin(), plan.clocks.end());
    }
    return places;
}

ClockView X11Saver::MakeView(const ScreenRect& rect, int clock) const {
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    const int stride = cairo_image_surface_get_stride(picture_.get());
    unsigned char* place =
        cairo_image_surface_get_data(picture_.get()) + rect.top * stride + rect.left * static_cast<int>(sizeof(uint32_t));
    ClockView view{rect, clock, nullptr, nullptr};
    // A miniature (XScreenSaver's settings preview) is drawn on a canvas enlarged as the Windows
    // preview is, then shrunk, so that it keeps the full picture's proportions.
    const CanvasSize canvas = SaverCanvasSize(true, width, height);
    if (canvas.width == width && canvas.height == height) {
        view.canvas = std::make_unique<CairoCanvas>(width, height, place, stride);
        view.canvas->incremental = true;
    } else {
        view.canvas = std::make_unique<CairoCanvas>(canvas.width, canvas.height);
        view.shrunk.reset(cairo_image_surface_create_for_data(place, CAIRO_FORMAT_RGB24, width, height, stride));
    }
    return view;
}

CairoRegion X11Saver::Compose(const ClockReading& now) {
    CairoRegion changed(cairo_region_create());
    for (ClockView& view : clocks_) {
        if (!view.canvas->Valid()) continue;
        if (CairoRegion region = Compose(view, now); region != nullptr) cairo_region_union(changed.get(), region.get());
    }
    return changed;
}

CairoRegion X11Saver::Compose(ClockView& view, const ClockReading& now) {
    CairoCanvas& canvas = *view.canvas;
    const LocalDateTime time = world_.TimeOf(view.clock, now);
    const ClockRole role{world_.Count() > 1, world_.CaptionOf(view.clock, time, now.local)};
    RenderClockFrame(canvas, SceneOf(canvas, settings_, time, view.shrunk == nullptr, homePage_.c_str(), role));
    if (view.shrunk == nullptr) {
        CairoRegion changed = canvas.ChangedRegion();
        if (changed != nullptr) cairo_region_translate(changed.get(), view.rect.left, view.rect.top);
        return changed;
    }
    const int width = view.rect.right - view.rect.left, height = view.rect.bottom - view.rect.top;
    cairo_t* cr = cairo_create(view.shrunk.get());
    cairo_scale(cr, static_cast<double>(width) / canvas.Width(), static_cast<double>(height) / canvas.Height());
    cairo_set_source_surface(cr, canvas.Frame(), 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
    cairo_paint(cr);
    cairo_destroy(cr);
    cairo_surface_flush(view.shrunk.get());
    const cairo_rectangle_int_t all{view.rect.left, view.rect.top, width, height};
    return CairoRegion(cairo_region_create_rectangle(&all));
}

CairoRegion X11Saver::Whole() const {
    const cairo_rectangle_int_t all{0, 0, width_, height_};
    return CairoRegion(cairo_region_create_rectangle(&all));
}

void X11Saver::Render(bool compose, const ClockReading& now) {
    if (picture_ == nullptr || cairo_surface_status(picture_.get()) != CAIRO_STATUS_SUCCESS) return;
    const bool first = !framed_;
    if (compose || first) presenter_->AwaitRead();
    CairoRegion changed = compose || first ? Compose(now) : Whole();
    framed_ = true;
    // The finished frame goes to the window in one copy, and only where it changed: nothing
    // half-drawn is ever seen, and a steady clock moves few pixels a second. The first frame
    // after a layout shows the black around the clocks too.
    presenter_->Show(picture_.get(), first ? Whole().get() : changed.get());
}

void X11Saver::Carry(const SessionStep& step) {
    if (step.dialDirty) {
        for (ClockView& view : clocks_) view.canvas->faceDirty = true;
    }
    // The frame shows the same reading the session judged, so the date and the hands agree.
    if (step.draw) Render(true, session_->Shown());
    ending_ = ending_ || step.end;
}

void X11Saver::OnTick() {
    // DPMS sends no events: the power is polled from the ticks.
    const ClockReading now = ReadClock();
    Carry(session_->Tick(now, Power(now.instant), battery_.OnBattery(now.instant)));
}

DisplayPower X11Saver::Power(TickInstant now) {
    if (!dpms_ || powerAt_ == now.seconds) return power_;
    powerAt_ = now.seconds;
    CARD16 level = DPMSModeOn;
    BOOL enabled = False;
    const bool on = DPMSInfo(display_, &level, &enabled) == False || enabled == False || level == DPMSModeOn;
    power_ = on ? DisplayPower::On : DisplayPower::Off;
    return power_;
}

bool X11Saver::HandleEvent(XEvent& event) {
    switch (event.type) {
    case Expose:
        if (event.xexpose.count == 0) Render(false, session_->Shown());
        return true;
    case ConfigureNotify:
        if (Follow(event.xconfigure.width, event.xconfigure.height) || Moved()) Carry(session_->LayoutChanged(ReadClock()));
        return true;
    case DestroyNotify:
        return event.xdestroywindow.window != target_.window;
    case KeyPress:
    case ButtonPress:
        Carry(session_->Input());
        return true;
    case MotionNotify:
        Carry(session_->Pointer({event.xmotion.x, event.xmotion.y}));
        return true;
    case EnterNotify:
        session_->PointerEntered();
        return true;
    case ClientMessage:
        if (static_cast<Atom>(event.xclient.data.l[0]) == deleteWindow_) Carry(session_->Stop());
        return true;
    default:
        if (presenter_ != nullptr && presenter_->Note(event)) return true;
        if (monitors_.Changed(event)) {
            LayOut();
            Carry(session_->LayoutChanged(ReadClock()));
        }
        return true;
    }
}

bool X11Saver::DispatchEvents(bool read) {
    // Each look at the connection is a system call: it is read at most once a wake-up.
    if (read) XEventsQueued(display_, QueuedAfterReading);
    dispatched_ = 0;
    while (!ending_ && XEventsQueued(display_, QueuedAlready) > 0) {
        ++dispatched_;
        XEvent event;
        XNextEvent(display_, &event);
        if (!HandleEvent(event)) return false;
    }
    return !windowLost && !ending_;
}

int X11Saver::Run(int stopFd) {
    if (XGetWindowAttributes(display_, target_.window, &attributes_) == 0) {
        std::fprintf(stderr, "tarnwick: no window 0x%lx to draw into\n", target_.window);
        return 1;
    }
    long events = ExposureMask | StructureNotifyMask;
    if (target_.ownWindow) events |= KeyPressMask | ButtonPressMask | PointerMotionMask | EnterWindowMask;
    XSelectInput(display_, target_.window, events);
    if (target_.ownWindow) XSetWMProtocols(display_, target_.window, &deleteWindow_, 1);
    Follow(attributes_.width, attributes_.height);
    if (target_.ownWindow) XMapRaised(display_, target_.window);
    // A window manager fits a full-screen window to one monitor unless told otherwise.
    if (target_.ownWindow && target_.span == WindowSpan::Monitors) monitors_.SpanEveryMonitor(target_.window);
    session_ = std::make_unique<SaverSession>(settings_, target_.span != WindowSpan::Whole, ReadClock());
    Render(true, session_->Shown());

    pollfd watched[2] = {{stopFd, POLLIN, 0}, {ConnectionNumber(display_), POLLIN, 0}};
    // Right after a tick the frame's flush has sent every request, and may have read what had
    // come into Xlib's buffer, where a poll does not see it.
    bool ticked = false;
    while (DispatchEvents(!ticked)) {
        const int wait = session_->MillisecondsUntilTick(ReadClock().instant);
        if (wait == 0) {
            OnTick();
            ticked = true;
            continue;
        }
        // A tick a glide frame away or sooner: the events wait for it, which spares a wake-up
        // a frame (the server's word that it has read the last one) and a read of the connection.
        const bool soon = wait <= GlideFrameWaitMs;
        if (ticked && !soon) {
            ticked = false;
            continue;
        }
        if (!ticked || dispatched_ > 0) XFlush(display_);
        ticked = false;
        if (poll(watched, soon ? 1 : 2, wait) > 0 && (watched[0].revents & POLLIN) != 0) break;
    }
    return 0;
}
