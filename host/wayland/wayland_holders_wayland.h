// Small owners of Wayland proxies and Cairo regions: each releases what it holds when it goes, on
// every path, so that a removed output or a closed surface takes all of its objects with it.
#pragma once

#include <cairo.h>
#include <wayland-client.h>

#include <memory>

#include "fractional-scale-v1-client-protocol.h"
#include "viewporter-client-protocol.h"
#include "wlr-layer-shell-unstable-v1-client-protocol.h"
#include "wlr-output-power-management-unstable-v1-client-protocol.h"
#include "xdg-output-unstable-v1-client-protocol.h"

// How each kind of proxy is let go: its destructor request, else its plain destroy.
inline void ReleaseProxy(wl_registry* p) { wl_registry_destroy(p); }
inline void ReleaseProxy(wl_compositor* p) { wl_compositor_destroy(p); }
inline void ReleaseProxy(wl_shm* p) { wl_shm_destroy(p); }
inline void ReleaseProxy(wl_buffer* p) { wl_buffer_destroy(p); }
inline void ReleaseProxy(wl_surface* p) { wl_surface_destroy(p); }
inline void ReleaseProxy(wl_callback* p) { wl_callback_destroy(p); }
inline void ReleaseProxy(wl_seat* p) { wl_seat_destroy(p); }
inline void ReleaseProxy(wl_keyboard* p) { wl_keyboard_release(p); }
inline void ReleaseProxy(wl_pointer* p) { wl_pointer_release(p); }
// wl_output has a release request from version 3; older ones are only forgotten.
inline void ReleaseProxy(wl_output* p) {
    if (wl_output_get_version(p) >= WL_OUTPUT_RELEASE_SINCE_VERSION) {
        wl_output_release(p);
    } else {
        wl_output_destroy(p);
    }
}
inline void ReleaseProxy(zwlr_layer_shell_v1* p) {
    if (zwlr_layer_shell_v1_get_version(p) >= ZWLR_LAYER_SHELL_V1_DESTROY_SINCE_VERSION) {
        zwlr_layer_shell_v1_destroy(p);
    } else {
        wl_proxy_destroy(reinterpret_cast<wl_proxy*>(p));
    }
}
inline void ReleaseProxy(zwlr_layer_surface_v1* p) { zwlr_layer_surface_v1_destroy(p); }
inline void ReleaseProxy(zxdg_output_manager_v1* p) { zxdg_output_manager_v1_destroy(p); }
inline void ReleaseProxy(zxdg_output_v1* p) { zxdg_output_v1_destroy(p); }
inline void ReleaseProxy(wp_viewporter* p) { wp_viewporter_destroy(p); }
inline void ReleaseProxy(wp_viewport* p) { wp_viewport_destroy(p); }
inline void ReleaseProxy(wp_fractional_scale_manager_v1* p) { wp_fractional_scale_manager_v1_destroy(p); }
inline void ReleaseProxy(wp_fractional_scale_v1* p) { wp_fractional_scale_v1_destroy(p); }
inline void ReleaseProxy(zwlr_output_power_manager_v1* p) { zwlr_output_power_manager_v1_destroy(p); }
inline void ReleaseProxy(zwlr_output_power_v1* p) { zwlr_output_power_v1_destroy(p); }

struct ProxyRelease {
    template <typename T>
    void operator()(T* proxy) const {
        ReleaseProxy(proxy);
    }
};
template <typename T>
using Proxy = std::unique_ptr<T, ProxyRelease>;

struct RegionRelease {
    void operator()(cairo_region_t* region) const { cairo_region_destroy(region); }
};
using Region = std::unique_ptr<cairo_region_t, RegionRelease>;

inline Region EmptyRegion() { return Region(cairo_region_create()); }
inline Region WholeRegion(int width, int height) {
    const cairo_rectangle_int_t all{0, 0, width, height};
    return Region(cairo_region_create_rectangle(&all));
}
