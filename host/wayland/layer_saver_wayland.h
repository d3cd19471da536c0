// The clock on a Wayland desktop: one overlay layer surface per output, the clock on the main
// output (or on each), black elsewhere; a new frame by the tick policy; a key, a click, a
// pointer move, a stop signal or the compositor closing the surfaces ends it.
#pragma once

#include <gtk/gtk.h>

#include <ctime>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/local_time.h"
#include "host/saver_rules.h"
#include "host/wayland/clock_frame_wayland.h"
#include "host/wayland/glib_holders_wayland.h"
#include "host/wayland/output_names_wayland.h"
#include "settings/clock_settings.h"

struct SaverChoices {
    ClockSettings settings;
    std::string homePage;
    bool everyOutput;        // a clock on each output, else on the main one only
    std::string outputName;  // the main output; empty: the first the compositor lists
};

class LayerSaver;

// One output's surface: the clock or black, at the output's size in its own pixels.
class OutputSurface {
public:
    OutputSurface(LayerSaver& saver, GdkMonitor* monitor, std::string name);
    OutputSurface(const OutputSurface&) = delete;
    OutputSurface& operator=(const OutputSurface&) = delete;

    GdkMonitor* Monitor() const { return monitor_.get(); }
    const std::string& Name() const { return name_; }
    bool Closed() const { return closed_; }
    void ShowClock(bool clock);
    // A new frame is due (with the dial redrawn when `dialDue`).
    void FrameDue(bool dialDue);

private:
    static gboolean OnDraw(GtkWidget* widget, cairo_t* cr, gpointer self);
    static gboolean OnEndingInput(GtkWidget* widget, GdkEvent* event, gpointer self);
    static gboolean OnMotion(GtkWidget* widget, GdkEventMotion* event, gpointer self);
    static gboolean OnEnter(GtkWidget* widget, GdkEventCrossing* event, gpointer self);
    static gboolean OnClosed(GtkWidget* widget, GdkEvent* event, gpointer self);
    static void OnRealize(GtkWidget* widget, gpointer self);
    void MakeLayer();
    void Paint(cairo_t* cr);

    LayerSaver& saver_;
    GObjectHolder<GdkMonitor> monitor_;
    std::string name_;
    OutputCanvas canvas_;
    bool clock_ = false;
    bool dialDue_ = true;
    bool closed_ = false;
    // Unset until the first motion since the pointer came onto the surface.
    std::optional<ScreenPoint> anchor_;
    WidgetHolder window_;  // last member: it goes first, before anything its handlers use
};

class LayerSaver {
public:
    LayerSaver(GdkDisplay* display, SaverChoices choices);
    ~LayerSaver();
    LayerSaver(const LayerSaver&) = delete;
    LayerSaver& operator=(const LayerSaver&) = delete;

    // Runs until something ends the clock; returns the exit code.
    int Run();
    void End(int code);
    // A surface's close was asked by the compositor: the end, unless its output is going away.
    void SurfaceClosed();

    const ClockSettings& Settings() const { return choices_.settings; }
    const char* HomePage() const { return choices_.homePage.c_str(); }
    const LocalDateTime& Now() const { return now_; }

private:
    static void OnMonitorAdded(GdkDisplay* display, GdkMonitor* monitor, gpointer self);
    static void OnMonitorRemoved(GdkDisplay* display, GdkMonitor* monitor, gpointer self);
    static gboolean OnTick(gpointer self);
    static gboolean OnStopSignal(gpointer self);
    static gboolean OnCloseSettled(gpointer self);
    void AddOutput(GdkMonitor* monitor);
    void AssignClocks();
    void ScheduleTick();

    GdkDisplay* display_;
    SaverChoices choices_;
    OutputNames names_;
    LocalDateTime now_{};
    TickState tick_;
    int exitCode_ = 0;
    bool running_ = false;
    SourceHolder nextTick_;
    SourceHolder closeCheck_;
    SourceHolder stopSignals_[3];
    std::vector<std::unique_ptr<OutputSurface>> surfaces_;
    std::unique_ptr<SignalLink> added_;
    std::unique_ptr<SignalLink> removed_;
};

// Milliseconds from now until just after the next turn of the second.
guint MillisecondsToNextTick();
