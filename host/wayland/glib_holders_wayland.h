// Small owners of GLib and GTK things: each releases what it holds when it goes, on every path.
#pragma once

#include <gtk/gtk.h>

#include <memory>

struct GObjectUnref {
    void operator()(gpointer object) const { g_object_unref(object); }
};
template <typename T>
using GObjectHolder = std::unique_ptr<T, GObjectUnref>;

struct WidgetDestroy {
    void operator()(GtkWidget* widget) const { gtk_widget_destroy(widget); }
};
using WidgetHolder = std::unique_ptr<GtkWidget, WidgetDestroy>;

// A main-loop source (a timeout, a signal watch) removed when the holder goes. A one-shot
// source that has run must be forgotten, not removed.
class SourceHolder {
public:
    SourceHolder() = default;
    ~SourceHolder() { Reset(); }
    SourceHolder(const SourceHolder&) = delete;
    SourceHolder& operator=(const SourceHolder&) = delete;
    void Reset(guint id = 0) {
        if (id_ != 0) g_source_remove(id_);
        id_ = id;
    }
    void Forget() { id_ = 0; }
    bool Active() const { return id_ != 0; }

private:
    guint id_ = 0;
};

// A signal handler on an object that outlives its handler's owner, disconnected when the holder goes.
class SignalLink {
public:
    SignalLink(gpointer object, gulong id) : object_(object), id_(id) {}
    ~SignalLink() { g_signal_handler_disconnect(object_, id_); }
    SignalLink(const SignalLink&) = delete;
    SignalLink& operator=(const SignalLink&) = delete;

private:
    gpointer object_;
    gulong id_;
};
