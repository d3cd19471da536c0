#include "host/wayland/layer_saver_wayland.h"

#include <glib-unix.h>
#include <gtk-layer-shell.h>

#include <csignal>
#include <utility>

namespace {

// A compositor closes the surface of an output it removes a moment before it withdraws the
// output itself: a close is judged only once this has passed.
constexpr guint CloseSettleMs = 250;
constexpr char SurfaceNamespace[] = "tarnwick";


bool DisplayHasMonitor(GdkDisplay* display, GdkMonitor* monitor) {
    const int count = gdk_display_get_n_monitors(display);
    for (int i = 0; i < count; ++i) {
        if (gdk_display_get_monitor(display, i) == monitor) return true;
    }
    return false;
}

}  // namespace

guint MillisecondsToNextTick() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    const TickInstant instant{now.tv_sec, now.tv_nsec};
    return static_cast<guint>(MillisecondsUntilTick(instant, NextTickAfter(instant)));
}

// ---- OutputSurface ----

OutputSurface::OutputSurface(LayerSaver& saver, GdkMonitor* monitor, std::string name)
    : saver_(saver),
      monitor_(GDK_MONITOR(g_object_ref(monitor))),
      name_(std::move(name)),
      window_(gtk_window_new(GTK_WINDOW_TOPLEVEL)) {
    MakeLayer();
}

void OutputSurface::MakeLayer() {
    GtkWindow* window = GTK_WINDOW(window_.get());
    gtk_layer_init_for_window(window);
    gtk_layer_set_namespace(window, SurfaceNamespace);
    gtk_layer_set_layer(window, GTK_LAYER_SHELL_LAYER_OVERLAY);
    gtk_layer_set_monitor(window, monitor_.get());
    for (GtkLayerShellEdge edge : {GTK_LAYER_SHELL_EDGE_LEFT, GTK_LAYER_SHELL_EDGE_RIGHT, GTK_LAYER_SHELL_EDGE_TOP,
                                   GTK_LAYER_SHELL_EDGE_BOTTOM}) {
        gtk_layer_set_anchor(window, edge, TRUE);
    }
    // Over every panel, not beside them.
    gtk_layer_set_exclusive_zone(window, -1);
    gtk_layer_set_keyboard_mode(window, GTK_LAYER_SHELL_KEYBOARD_MODE_EXCLUSIVE);

    GtkWidget* widget = window_.get();
    gtk_widget_set_app_paintable(widget, TRUE);
    gtk_widget_add_events(widget, GDK_KEY_PRESS_MASK | GDK_BUTTON_PRESS_MASK | GDK_POINTER_MOTION_MASK |
                                      GDK_ENTER_NOTIFY_MASK);
    g_signal_connect(widget, "draw", G_CALLBACK(OnDraw), this);
    g_signal_connect(widget, "key-press-event", G_CALLBACK(OnEndingInput), this);
    g_signal_connect(widget, "button-press-event", G_CALLBACK(OnEndingInput), this);
    g_signal_connect(widget, "motion-notify-event", G_CALLBACK(OnMotion), this);
    g_signal_connect(widget, "enter-notify-event", G_CALLBACK(OnEnter), this);
    g_signal_connect(widget, "delete-event", G_CALLBACK(OnClosed), this);
    g_signal_connect(widget, "realize", G_CALLBACK(OnRealize), this);
    // A new scale asks for a canvas of the new pixel size, the dial included.
    g_signal_connect_swapped(widget, "notify::scale-factor", G_CALLBACK(gtk_widget_queue_draw), widget);
    gtk_widget_show(widget);
}

void OutputSurface::ShowClock(bool clock) {
    if (clock == clock_) return;
    clock_ = clock;
    canvas_.reset();
    dialDue_ = true;
    gtk_widget_queue_draw(window_.get());
}

void OutputSurface::FrameDue(bool dialDue) {
    // A black output is drawn once, not at every tick.
    if (!clock_) return;
    dialDue_ = dialDue_ || dialDue;
    gtk_widget_queue_draw(window_.get());
}

void OutputSurface::Paint(cairo_t* cr) {
    const int scale = gtk_widget_get_scale_factor(window_.get());
    const int width = gtk_widget_get_allocated_width(window_.get()) * scale;
    const int height = gtk_widget_get_allocated_height(window_.get()) * scale;
    cairo_surface_t* frame = nullptr;
    if (clock_ && width > 0 && height > 0) {
        // A draw between ticks (an expose) composes the same reading again: the same picture.
        frame = DrawClockFrame(canvas_, width, height, saver_.Settings(), saver_.Now(), saver_.HomePage(), dialDue_);
        dialDue_ = false;
    }
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    if (frame == nullptr) {
        cairo_set_source_rgb(cr, 0, 0, 0);
    } else {
        // One canvas pixel to one output pixel: no blur at any scale.
        cairo_scale(cr, 1.0 / scale, 1.0 / scale);
        cairo_set_source_surface(cr, frame, 0, 0);
    }
    cairo_paint(cr);
    cairo_restore(cr);
}

gboolean OutputSurface::OnDraw(GtkWidget*, cairo_t* cr, gpointer self) {
    static_cast<OutputSurface*>(self)->Paint(cr);
    return TRUE;
}

gboolean OutputSurface::OnEndingInput(GtkWidget*, GdkEvent*, gpointer self) {
    static_cast<OutputSurface*>(self)->saver_.End(0);
    return TRUE;
}

gboolean OutputSurface::OnMotion(GtkWidget*, GdkEventMotion* event, gpointer self) {
    auto* surface = static_cast<OutputSurface*>(self);
    const ScreenPoint cursor{static_cast<int32_t>(event->x), static_cast<int32_t>(event->y)};
    if (!surface->anchor_) {
        surface->anchor_ = cursor;
    } else if (MouseMoveEndsSaver(*surface->anchor_, cursor)) {
        surface->saver_.End(0);
    }
    return TRUE;
}

gboolean OutputSurface::OnEnter(GtkWidget*, GdkEventCrossing*, gpointer self) {
    static_cast<OutputSurface*>(self)->anchor_.reset();
    return FALSE;
}

gboolean OutputSurface::OnClosed(GtkWidget*, GdkEvent*, gpointer self) {
    auto* surface = static_cast<OutputSurface*>(self);
    surface->closed_ = true;
    surface->saver_.SurfaceClosed();
    return TRUE;  // the window stays ours until we release it
}

void OutputSurface::OnRealize(GtkWidget* widget, gpointer) {
    GObjectHolder<GdkCursor> blank(gdk_cursor_new_for_display(gtk_widget_get_display(widget), GDK_BLANK_CURSOR));
    gdk_window_set_cursor(gtk_widget_get_window(widget), blank.get());
}

// ---- LayerSaver ----

LayerSaver::LayerSaver(GdkDisplay* display, SaverChoices choices)
    : display_(display), choices_(std::move(choices)), names_(display), now_(LocalTimeNow()) {
    // The first reading sets the tick state, so the first tick judges a real change.
    TickAt(tick_, now_, choices_.settings);
    const int count = gdk_display_get_n_monitors(display);
    for (int i = 0; i < count; ++i) AddOutput(gdk_display_get_monitor(display, i));
    AssignClocks();
    added_ = std::make_unique<SignalLink>(
        display, g_signal_connect(display, "monitor-added", G_CALLBACK(OnMonitorAdded), this));
    removed_ = std::make_unique<SignalLink>(
        display, g_signal_connect(display, "monitor-removed", G_CALLBACK(OnMonitorRemoved), this));
}

LayerSaver::~LayerSaver() = default;

void LayerSaver::AddOutput(GdkMonitor* monitor) {
    surfaces_.push_back(std::make_unique<OutputSurface>(*this, monitor, names_.NameOf(monitor)));
}

// The main output is the one named on the command line when it is there, else the first the
// compositor lists; with every output chosen, each shows the clock.
void LayerSaver::AssignClocks() {
    if (surfaces_.empty()) return;
    GdkMonitor* main = gdk_display_get_monitor(display_, 0);
    for (const auto& surface : surfaces_) {
        if (!choices_.outputName.empty() && surface->Name() == choices_.outputName) main = surface->Monitor();
    }
    for (const auto& surface : surfaces_) surface->ShowClock(choices_.everyOutput || surface->Monitor() == main);
}

void LayerSaver::OnMonitorAdded(GdkDisplay*, GdkMonitor* monitor, gpointer self) {
    auto* saver = static_cast<LayerSaver*>(self);
    saver->AddOutput(monitor);
    saver->AssignClocks();
}

void LayerSaver::OnMonitorRemoved(GdkDisplay*, GdkMonitor* monitor, gpointer self) {
    auto* saver = static_cast<LayerSaver*>(self);
    auto& surfaces = saver->surfaces_;
    for (auto it = surfaces.begin(); it != surfaces.end(); ++it) {
        if ((*it)->Monitor() == monitor) {
            surfaces.erase(it);
            break;
        }
    }
    saver->AssignClocks();
}

void LayerSaver::ScheduleTick() {
    // One shot, reckoned anew each time from the wall clock: a clock set back never stalls it.
    nextTick_.Reset(g_timeout_add(MillisecondsToNextTick(), OnTick, this));
}

gboolean LayerSaver::OnTick(gpointer self) {
    auto* saver = static_cast<LayerSaver*>(self);
    saver->nextTick_.Forget();
    saver->now_ = LocalTimeNow();
    const ClockSettings& settings = saver->choices_.settings;
    const TickResult result = TickAt(saver->tick_, saver->now_, settings);
    if (result.invalidate) {
        for (const auto& surface : saver->surfaces_) surface->FrameDue(result.faceDirty);
    }
    saver->ScheduleTick();
    return G_SOURCE_REMOVE;
}

gboolean LayerSaver::OnStopSignal(gpointer self) {
    static_cast<LayerSaver*>(self)->End(0);
    return G_SOURCE_CONTINUE;
}

void LayerSaver::SurfaceClosed() {
    if (!closeCheck_.Active()) closeCheck_.Reset(g_timeout_add(CloseSettleMs, OnCloseSettled, this));
}

gboolean LayerSaver::OnCloseSettled(gpointer self) {
    auto* saver = static_cast<LayerSaver*>(self);
    saver->closeCheck_.Forget();
    // Surfaces of removed outputs are gone by now; a closed one left means the compositor
    // closed the saver itself.
    for (const auto& surface : saver->surfaces_) {
        if (surface->Closed() && DisplayHasMonitor(saver->display_, surface->Monitor())) saver->End(0);
    }
    return G_SOURCE_REMOVE;
}

void LayerSaver::End(int code) {
    if (!running_) return;
    running_ = false;
    exitCode_ = code;
    gtk_main_quit();
}

int LayerSaver::Run() {
    const int signals[] = {SIGTERM, SIGINT, SIGHUP};
    for (int i = 0; i < 3; ++i) stopSignals_[i].Reset(g_unix_signal_add(signals[i], OnStopSignal, this));
    ScheduleTick();
    running_ = true;
    gtk_main();
    return exitCode_;
}
