// The compositor's globals the program binds.
#pragma once

#include "host/wayland/wayland_holders_wayland.h"

// Null where the compositor does not offer it; the first three are required.
struct WaylandGlobals {
    wl_compositor* compositor = nullptr;
    wl_shm* shm = nullptr;
    zwlr_layer_shell_v1* layerShell = nullptr;
    zxdg_output_manager_v1* xdgOutputs = nullptr;
    wp_viewporter* viewporter = nullptr;
    wp_fractional_scale_manager_v1* fractionalScale = nullptr;
    zwlr_output_power_manager_v1* outputPower = nullptr;
};
