#include "host/wayland/output_names_wayland.h"

#include <gdk/gdkwayland.h>

#include <cstring>

#include "xdg-output-unstable-v1-client-protocol.h"

namespace {

// Version 2 brought the name event.
constexpr uint32_t NamedXdgOutputVersion = 2;

struct XdgOutputRelease {
    void operator()(zxdg_output_v1* output) const { zxdg_output_v1_destroy(output); }
};

void KeepName(void* data, zxdg_output_v1*, const char* name) { *static_cast<std::string*>(data) = name; }
void IgnorePosition(void*, zxdg_output_v1*, int32_t, int32_t) {}
void IgnoreDone(void*, zxdg_output_v1*) {}
void IgnoreDescription(void*, zxdg_output_v1*, const char*) {}

const zxdg_output_v1_listener NameListener = {IgnorePosition, IgnorePosition, IgnoreDone, KeepName,
                                              IgnoreDescription};

}  // namespace

void OutputNames::ManagerRelease::operator()(zxdg_output_manager_v1* manager) const {
    zxdg_output_manager_v1_destroy(manager);
}

OutputNames::OutputNames(GdkDisplay* display) {
    if (!GDK_IS_WAYLAND_DISPLAY(display)) return;
    display_ = gdk_wayland_display_get_wl_display(display);
    queue_.reset(wl_display_create_queue(display_));
    wl_registry* registry = wl_display_get_registry(display_);
    wl_proxy_set_queue(reinterpret_cast<wl_proxy*>(registry), queue_.get());
    registry_.reset(registry);
    static const wl_registry_listener listener = {OnGlobal, OnGlobalRemove};
    wl_registry_add_listener(registry, &listener, this);
    wl_display_roundtrip_queue(display_, queue_.get());
}

OutputNames::~OutputNames() = default;

void OutputNames::OnGlobal(void* data, wl_registry* registry, uint32_t name, const char* interface,
                           uint32_t version) {
    auto* self = static_cast<OutputNames*>(data);
    if (std::strcmp(interface, zxdg_output_manager_v1_interface.name) != 0 || version < NamedXdgOutputVersion) {
        return;
    }
    self->manager_.reset(static_cast<zxdg_output_manager_v1*>(
        wl_registry_bind(registry, name, &zxdg_output_manager_v1_interface, NamedXdgOutputVersion)));
}

std::string OutputNames::NameOf(GdkMonitor* monitor) {
    std::string name;
    if (manager_ == nullptr || !GDK_IS_WAYLAND_MONITOR(monitor)) return name;
    std::unique_ptr<zxdg_output_v1, XdgOutputRelease> output(
        zxdg_output_manager_v1_get_xdg_output(manager_.get(), gdk_wayland_monitor_get_wl_output(monitor)));
    zxdg_output_v1_add_listener(output.get(), &NameListener, &name);
    wl_display_roundtrip_queue(display_, queue_.get());
    return name;
}
