// The compositor's names of its outputs ("HEADLESS-1", "DP-2"), which GTK 3 does not expose:
// asked of the xdg-output extension for the wl_output behind a GdkMonitor.
#pragma once

#include <gdk/gdk.h>
#include <wayland-client.h>

#include <memory>
#include <string>

struct zxdg_output_manager_v1;

class OutputNames {
public:
    explicit OutputNames(GdkDisplay* display);
    ~OutputNames();
    OutputNames(const OutputNames&) = delete;
    OutputNames& operator=(const OutputNames&) = delete;

    // The output's name; empty when the compositor does not tell it.
    std::string NameOf(GdkMonitor* monitor);

private:
    struct QueueRelease {
        void operator()(wl_event_queue* queue) const { wl_event_queue_destroy(queue); }
    };
    struct RegistryRelease {
        void operator()(wl_registry* registry) const { wl_registry_destroy(registry); }
    };
    struct ManagerRelease {
        void operator()(zxdg_output_manager_v1* manager) const;
    };
    static void OnGlobal(void* data, wl_registry* registry, uint32_t name, const char* interface,
                         uint32_t version);
    static void OnGlobalRemove(void*, wl_registry*, uint32_t) {}

    wl_display* display_ = nullptr;
    // A queue of our own: the lookups wait on it without dispatching GTK's events.
    std::unique_ptr<wl_event_queue, QueueRelease> queue_;
    std::unique_ptr<wl_registry, RegistryRelease> registry_;
    std::unique_ptr<zxdg_output_manager_v1, ManagerRelease> manager_;
};
