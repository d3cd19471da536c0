// One output of the compositor and its overlay layer surface: the output's name and place for
// the layout, its power state where the compositor tells it, and its picture (the clock over
// shared-memory buffers, or one small black buffer). It draws when a frame is due, no frame
// callback is pending and a buffer is free; everything it waits for goes with it.
#pragma once

#include <ctime>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "common/local_time.h"
#include "host/clock_layout.h"
#include "host/world_clocks.h"
#include "host/wayland/clock_frame_wayland.h"
#include "host/wayland/shm_buffer_wayland.h"
#include "host/wayland/wayland_globals_wayland.h"
#include "settings/clock_settings.h"

// What an output asks of the program that holds it.
// Milliseconds of the monotonic clock, which frame callbacks and close checks are timed by.
inline int64_t MonotonicMs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return int64_t{now.tv_sec} * 1000 + now.tv_nsec / 1000000;
}

class OutputHost {
public:
    virtual const WaylandGlobals& Globals() const = 0;
    virtual const ClockSettings& Settings() const = 0;
    virtual const char* HomePage() const = 0;
    // The reading the next frame shows, and whether frames are drawn at all.
    virtual const ClockReading& Reading() const = 0;
    virtual const WorldClocks& World() const = 0;
    virtual bool DisplayOn() const = 0;
    // The output's name or place became known or changed: the clocks are laid out anew.
    virtual void OutputChanged() = 0;
    // Whether the output is seen changed (its power, or frames coming back again).
    virtual void VisibilityChanged() = 0;
    // The compositor closed the surface.
    virtual void SurfaceClosed() = 0;

protected:
    ~OutputHost() = default;
};

class OutputSurface {
public:
    OutputSurface(OutputHost& host, uint32_t globalName, wl_output* output, uint32_t version);
    OutputSurface(const OutputSurface&) = delete;
    OutputSurface& operator=(const OutputSurface&) = delete;
    ~OutputSurface();

    uint32_t GlobalName() const { return globalName_; }
    bool Ready() const { return ready_; }
    const std::string& Name() const { return name_; }
    // The output's place in the compositor's space, in logical coordinates.
    ScreenRect Place() const;
    bool Closed() const { return closed_; }
    bool HasClock() const { return !clocks_.empty(); }
    bool Owns(const wl_surface* surface) const { return surface != nullptr && surface == surface_.get(); }
    // Powered on (where the compositor tells) and its frames come back; `nowMs` on the monotonic
    // clock.
    bool Seen(int64_t nowMs) const;

    // The layout's clocks, in the output's own logical coordinates; none: black. A change draws
    // the output anew.
    void ShowClocks(const std::vector<ScreenRect>& clocks);
    // A frame is due (the dial first when `dialDirty`); drawn as soon as the output can take it.
    void FrameDue(bool dialDirty);

private:
    static void OnGeometry(void* self, wl_output*, int32_t x, int32_t y, int32_t, int32_t, int32_t, const char*,
                           const char*, int32_t transform);
    static void OnMode(void* self, wl_output*, uint32_t flags, int32_t width, int32_t height, int32_t);
    static void OnDone(void* self, wl_output*);
    static void OnScale(void* self, wl_output*, int32_t scale);
    static void OnName(void* self, wl_output*, const char* name);
    static void OnDescription(void*, wl_output*, const char*) {}
    static void OnLogicalPosition(void* self, zxdg_output_v1*, int32_t x, int32_t y);
    static void OnLogicalSize(void* self, zxdg_output_v1*, int32_t width, int32_t height);
    static void OnXdgDone(void* self, zxdg_output_v1*);
    static void OnXdgName(void* self, zxdg_output_v1*, const char* name);
    static void OnXdgDescription(void*, zxdg_output_v1*, const char*) {}
    static void OnPowerMode(void* self, zwlr_output_power_v1*, uint32_t mode);
    static void OnPowerFailed(void* self, zwlr_output_power_v1*);
    static void OnConfigure(void* self, zwlr_layer_surface_v1*, uint32_t serial, uint32_t width, uint32_t height);
    static void OnClosed(void* self, zwlr_layer_surface_v1*);
    static void OnPreferredScale(void* self, wp_fractional_scale_v1*, uint32_t scale);
    static void OnFrameDone(void* self, wl_callback*, uint32_t);
    static void OnBufferReleased(void* self);

    void InfoDone();
    void MakeSurface();
    void DropSurface();
    // The buffer's size in pixels for the configured size at the current scale.
    int PixelWidth() const;
    int PixelHeight() const;
    void Resized();
    void Draw();
    void DrawBlack();
    void DrawClock();
    ShmBuffer* FreeBuffer();
    void Present(ShmBuffer& buffer, cairo_region_t* damage);

    OutputHost& host_;
    uint32_t globalName_;
    Proxy<wl_output> output_;
    Proxy<zxdg_output_v1> xdgOutput_;
    Proxy<zwlr_output_power_v1> power_;
    std::string name_;
    ScreenRect place_{0, 0, 0, 0};   // from wl_output, or the logical place from xdg-output
    bool logicalKnown_ = false;
    int32_t modeWidth_ = 0, modeHeight_ = 0;
    bool rotated_ = false;
    int32_t outputScale_ = 1;
    bool ready_ = false;
    bool poweredOn_ = true;

    Proxy<wl_surface> surface_;
    Proxy<zwlr_layer_surface_v1> layer_;
    Proxy<wp_viewport> viewport_;
    Proxy<wp_fractional_scale_v1> fractional_;
    Proxy<wl_callback> frame_;
    int64_t frameAskedMs_ = 0;
    bool closed_ = false;
    bool configured_ = false;
    int width_ = 0, height_ = 0;  // configured, logical
    uint32_t scale120_ = 0;       // the preferred fractional scale × 120; 0: none told
    bool laidOut_ = false;
    std::vector<ScreenRect> clocks_;
    bool due_ = true;
    bool dialDirty_ = true;
    bool blackShown_ = false;
    std::unique_ptr<ClockPicture> picture_;
    std::unique_ptr<ShmBuffer> buffers_[2];
    const ShmBuffer* latest_ = nullptr;  // the buffer holding the last frame drawn
};
