// The clock on a Wayland desktop: one overlay layer surface per output, the clock or black as
// the layout says; one poll over the display, a timer and the stop signals. The saver session
// decides the ticks, the end and the display's power; this host translates the compositor's
// events for it and carries out its steps.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "host/power_supply.h"
#include "host/saver_session.h"
#include "host/wayland/output_surface_wayland.h"
#include "host/wayland/wayland_globals_wayland.h"
#include "host/wayland/wayland_holders_wayland.h"
#include "settings/clock_settings.h"

struct SaverChoices {
    ClockSettings settings;
    std::string homePage;
    std::string outputName;  // the main output; empty: the first the compositor lists
};

class LayerSaver final : public OutputHost {
public:
    LayerSaver(wl_display* display, SaverChoices choices);
    ~LayerSaver();
    LayerSaver(const LayerSaver&) = delete;
    LayerSaver& operator=(const LayerSaver&) = delete;

    // Runs until something ends the clock; returns the exit code (1 when the compositor lacks
    // what the saver needs or the connection is lost).
    int Run();

    const WaylandGlobals& Globals() const override { return globals_; }
    const ClockSettings& Settings() const override { return choices_.settings; }
    const char* HomePage() const override { return choices_.homePage.c_str(); }
    const ClockReading& Reading() const override { return session_.Shown(); }
    const WorldClocks& World() const override { return world_; }
    bool DisplayOn() const override { return session_.DisplayOn(); }
    void OutputChanged() override;
    void VisibilityChanged() override;
    void SurfaceClosed() override;

private:
    static void OnGlobal(void* self, wl_registry* registry, uint32_t name, const char* interface, uint32_t version);
    static void OnGlobalRemove(void* self, wl_registry* registry, uint32_t name);
    static void OnCapabilities(void* self, wl_seat* seat, uint32_t capabilities);
    static void OnSeatName(void*, wl_seat*, const char*) {}
    static void OnKeymap(void*, wl_keyboard*, uint32_t, int32_t fd, uint32_t);
    static void OnKeyboardEnter(void*, wl_keyboard*, uint32_t, wl_surface*, wl_array*) {}
    static void OnKeyboardLeave(void*, wl_keyboard*, uint32_t, wl_surface*) {}
    static void OnKey(void* self, wl_keyboard*, uint32_t, uint32_t, uint32_t, uint32_t state);
    static void OnModifiers(void*, wl_keyboard*, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t) {}
    static void OnRepeatInfo(void*, wl_keyboard*, int32_t, int32_t) {}
    static void OnPointerEnter(void* self, wl_pointer* pointer, uint32_t serial, wl_surface* surface, wl_fixed_t,
                               wl_fixed_t);
    static void OnPointerLeave(void*, wl_pointer*, uint32_t, wl_surface*) {}
    static void OnMotion(void* self, wl_pointer*, uint32_t, wl_fixed_t x, wl_fixed_t y);
    static void OnButton(void* self, wl_pointer*, uint32_t, uint32_t, uint32_t, uint32_t state);
    static void OnAxis(void*, wl_pointer*, uint32_t, uint32_t, wl_fixed_t) {}
    static void OnPointerFrame(void*, wl_pointer*) {}
    static void OnAxisSource(void*, wl_pointer*, uint32_t) {}
    static void OnAxisStop(void*, wl_pointer*, uint32_t, uint32_t) {}
    static void OnAxisDiscrete(void*, wl_pointer*, uint32_t, int32_t) {}
    static void OnAxisValue120(void*, wl_pointer*, uint32_t, int32_t) {}

    bool Connect();
    void AddOutput(uint32_t name, uint32_t version);
    void LayOut();
    void Carry(const SessionStep& step);
    void OnTick();
    DisplayPower Power() const;
    void CheckClosed();
    bool ArmTimer();
    bool PumpDisplay(short revents);

    wl_display* display_;
    SaverChoices choices_;
    SaverSession session_;
    BatteryWatch battery_;
    WorldClocks world_;
    WaylandGlobals globals_;
    bool ending_ = false;
    int exitCode_ = 0;
    int64_t closeCheckMs_ = -1;  // when a surface closed by the compositor is judged; -1: none
    uint32_t seatName_ = 0;
    bool connected_ = false;
    std::vector<std::pair<uint32_t, uint32_t>> earlyOutputs_;  // name, version

    Proxy<wl_registry> registry_;
    Proxy<wl_compositor> compositor_;
    Proxy<wl_shm> shm_;
    Proxy<zwlr_layer_shell_v1> layerShell_;
    Proxy<zxdg_output_manager_v1> xdgOutputs_;
    Proxy<wp_viewporter> viewporter_;
    Proxy<wp_fractional_scale_manager_v1> fractionalScale_;
    Proxy<zwlr_output_power_manager_v1> outputPower_;
    Proxy<wl_seat> seat_;
    Proxy<wl_keyboard> keyboard_;
    Proxy<wl_pointer> pointer_;
    // Last: the outputs' surfaces go before the globals they were made from.
    std::vector<std::unique_ptr<OutputSurface>> outputs_;
};
