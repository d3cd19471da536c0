#include "host/wayland/output_surface_wayland.h"

#include <algorithm>
#include <climits>
#include <ctime>

namespace {

constexpr char SurfaceNamespace[] = "tarnwick";
// fractional-scale-v1 tells scales in 120ths.
constexpr uint32_t FractionalDenominator = 120;
// Frames come back within a refresh or two on an output that is shown: one still missing after
// this is taken as an output that is not shown (off, or the compositor stopped).
constexpr int64_t UnseenAfterMs = 1500;

bool SameRects(const std::vector<ScreenRect>& a, const std::vector<ScreenRect>& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin());
}

int Scaled(int value, int to, int from) { return static_cast<int>((int64_t{value} * to + from / 2) / from); }

}  // namespace

OutputSurface::OutputSurface(OutputHost& host, uint32_t globalName, wl_output* output, uint32_t)
    : host_(host), globalName_(globalName), output_(output) {
    static const wl_output_listener outputListener = {OnGeometry, OnMode, OnDone, OnScale, OnName, OnDescription};
    wl_output_add_listener(output, &outputListener, this);
    const WaylandGlobals& globals = host_.Globals();
    if (globals.xdgOutputs != nullptr) {
        static const zxdg_output_v1_listener xdgListener = {OnLogicalPosition, OnLogicalSize, OnXdgDone, OnXdgName,
                                                            OnXdgDescription};
        xdgOutput_.reset(zxdg_output_manager_v1_get_xdg_output(globals.xdgOutputs, output));
        zxdg_output_v1_add_listener(xdgOutput_.get(), &xdgListener, this);
    }
    if (globals.outputPower != nullptr) {
        static const zwlr_output_power_v1_listener powerListener = {OnPowerMode, OnPowerFailed};
        power_.reset(zwlr_output_power_manager_v1_get_output_power(globals.outputPower, output));
        zwlr_output_power_v1_add_listener(power_.get(), &powerListener, this);
    }
    MakeSurface();
}

// Callbacks and buffers go before the surface, the surface's roles before the output.
OutputSurface::~OutputSurface() { DropSurface(); }

ScreenRect OutputSurface::Place() const {
    if (logicalKnown_) return place_;
    // Without xdg-output: the mode's pixels over the scale, turned with the output.
    const int32_t width = (rotated_ ? modeHeight_ : modeWidth_) / outputScale_;
    const int32_t height = (rotated_ ? modeWidth_ : modeHeight_) / outputScale_;
    return {place_.left, place_.top, place_.left + width, place_.top + height};
}

// Either sign counts: the power event tells at once; a compositor that stops showing the output
// without telling (no power protocol, or a nested one) withholds the frame callbacks.
bool OutputSurface::Seen(int64_t nowMs) const {
    return poweredOn_ && (frame_ == nullptr || nowMs - frameAskedMs_ < UnseenAfterMs);
}

// ---- the output's description ----

void OutputSurface::OnGeometry(void* self, wl_output*, int32_t x, int32_t y, int32_t, int32_t, int32_t, const char*,
                               const char*, int32_t transform) {
    auto* out = static_cast<OutputSurface*>(self);
    if (!out->logicalKnown_) out->place_ = {x, y, x, y};
    out->rotated_ = transform % 2 == 1;
}

void OutputSurface::OnMode(void* self, wl_output*, uint32_t flags, int32_t width, int32_t height, int32_t) {
    if ((flags & WL_OUTPUT_MODE_CURRENT) == 0) return;
    auto* out = static_cast<OutputSurface*>(self);
    out->modeWidth_ = width;
    out->modeHeight_ = height;
}

void OutputSurface::OnScale(void* self, wl_output*, int32_t scale) {
    static_cast<OutputSurface*>(self)->outputScale_ = std::max(scale, 1);
}

void OutputSurface::OnName(void* self, wl_output*, const char* name) { static_cast<OutputSurface*>(self)->name_ = name; }

void OutputSurface::OnDone(void* self, wl_output*) { static_cast<OutputSurface*>(self)->InfoDone(); }

void OutputSurface::OnLogicalPosition(void* self, zxdg_output_v1*, int32_t x, int32_t y) {
    auto* out = static_cast<OutputSurface*>(self);
    const int32_t width = out->place_.right - out->place_.left, height = out->place_.bottom - out->place_.top;
    out->place_ = {x, y, x + width, y + height};
}

void OutputSurface::OnLogicalSize(void* self, zxdg_output_v1*, int32_t width, int32_t height) {
    auto* out = static_cast<OutputSurface*>(self);
    out->place_.right = out->place_.left + width;
    out->place_.bottom = out->place_.top + height;
    out->logicalKnown_ = true;
}

// Before version 3 xdg-output ends its own batch of changes; from 3 wl_output.done ends both.
void OutputSurface::OnXdgDone(void* self, zxdg_output_v1*) { static_cast<OutputSurface*>(self)->InfoDone(); }

void OutputSurface::OnXdgName(void* self, zxdg_output_v1*, const char* name) {
    auto* out = static_cast<OutputSurface*>(self);
    // wl_output from version 4 tells the same name itself.
    if (wl_output_get_version(out->output_.get()) < WL_OUTPUT_NAME_SINCE_VERSION) out->name_ = name;
}

void OutputSurface::InfoDone() {
    if (xdgOutput_ != nullptr && !logicalKnown_) return;
    ready_ = true;
    // A new scale without fractional-scale: a buffer of the new pixel size, at once.
    if (configured_ && scale120_ == 0 && picture_ != nullptr && picture_->Width() != PixelWidth()) {
        Resized();
    }
    host_.OutputChanged();
}

void OutputSurface::OnPowerMode(void* self, zwlr_output_power_v1*, uint32_t mode) {
    auto* out = static_cast<OutputSurface*>(self);
    const bool on = mode == ZWLR_OUTPUT_POWER_V1_MODE_ON;
    if (on == out->poweredOn_) return;
    out->poweredOn_ = on;
    // Whatever was drawn while it was off was never seen.
    if (on) out->due_ = true;
    out->host_.VisibilityChanged();
    if (on) out->Draw();
}

// No power control for this output (or it went): frames coming back tell instead.
void OutputSurface::OnPowerFailed(void* self, zwlr_output_power_v1*) {
    auto* out = static_cast<OutputSurface*>(self);
    out->power_.reset();
    out->poweredOn_ = true;
    out->host_.VisibilityChanged();
}

// ---- the layer surface ----

void OutputSurface::MakeSurface() {
    const WaylandGlobals& globals = host_.Globals();
    surface_.reset(wl_compositor_create_surface(globals.compositor));
    layer_.reset(zwlr_layer_shell_v1_get_layer_surface(globals.layerShell, surface_.get(), output_.get(),
                                                       ZWLR_LAYER_SHELL_V1_LAYER_OVERLAY, SurfaceNamespace));
    static const zwlr_layer_surface_v1_listener layerListener = {OnConfigure, OnClosed};
    zwlr_layer_surface_v1_add_listener(layer_.get(), &layerListener, this);
    zwlr_layer_surface_v1_set_anchor(layer_.get(),
                                     ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP | ZWLR_LAYER_SURFACE_V1_ANCHOR_BOTTOM |
                                         ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT | ZWLR_LAYER_SURFACE_V1_ANCHOR_RIGHT);
    // Over every panel, not beside them; every key comes to the saver.
    zwlr_layer_surface_v1_set_exclusive_zone(layer_.get(), -1);
    zwlr_layer_surface_v1_set_keyboard_interactivity(layer_.get(),
                                                     ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_EXCLUSIVE);
    if (globals.viewporter != nullptr) viewport_.reset(wp_viewporter_get_viewport(globals.viewporter, surface_.get()));
    if (globals.fractionalScale != nullptr) {
        static const wp_fractional_scale_v1_listener scaleListener = {OnPreferredScale};
        fractional_.reset(wp_fractional_scale_manager_v1_get_fractional_scale(globals.fractionalScale, surface_.get()));
        wp_fractional_scale_v1_add_listener(fractional_.get(), &scaleListener, this);
    }
    wl_surface_commit(surface_.get());
}

void OutputSurface::DropSurface() {
    frame_.reset();
    picture_.reset();
    for (auto& buffer : buffers_) buffer.reset();
    latest_ = nullptr;
    fractional_.reset();
    viewport_.reset();
    layer_.reset();
    surface_.reset();
}

void OutputSurface::OnConfigure(void* self, zwlr_layer_surface_v1* layer, uint32_t serial, uint32_t width,
                                uint32_t height) {
    auto* out = static_cast<OutputSurface*>(self);
    zwlr_layer_surface_v1_ack_configure(layer, serial);
    const bool resized = !out->configured_ || static_cast<int>(width) != out->width_ ||
                         static_cast<int>(height) != out->height_;
    out->configured_ = true;
    out->width_ = static_cast<int>(width);
    out->height_ = static_cast<int>(height);
    if (resized) out->Resized();
}

void OutputSurface::OnClosed(void* self, zwlr_layer_surface_v1*) {
    auto* out = static_cast<OutputSurface*>(self);
    out->closed_ = true;
    out->DropSurface();
    out->host_.SurfaceClosed();
}

void OutputSurface::OnPreferredScale(void* self, wp_fractional_scale_v1*, uint32_t scale) {
    auto* out = static_cast<OutputSurface*>(self);
    if (scale == out->scale120_) return;
    out->scale120_ = scale;
    if (out->configured_) out->Resized();
}

int OutputSurface::PixelWidth() const {
    return scale120_ != 0 ? Scaled(width_, static_cast<int>(scale120_), FractionalDenominator) : width_ * outputScale_;
}

int OutputSurface::PixelHeight() const {
    return scale120_ != 0 ? Scaled(height_, static_cast<int>(scale120_), FractionalDenominator) : height_ * outputScale_;
}

// A new size or scale: a picture and buffers of the new pixel size, drawn at once, without
// waiting for a frame callback of the old size.
void OutputSurface::Resized() {
    picture_.reset();
    for (auto& buffer : buffers_) buffer.reset();
    latest_ = nullptr;
    frame_.reset();
    blackShown_ = false;
    due_ = dialDirty_ = true;
    Draw();
}

// ---- drawing ----

void OutputSurface::ShowClocks(const std::vector<ScreenRect>& clocks) {
    if (laidOut_ && SameRects(clocks, clocks_)) return;
    laidOut_ = true;
    clocks_ = clocks;
    picture_.reset();
    frame_.reset();
    blackShown_ = false;
    due_ = dialDirty_ = true;
    Draw();
}

void OutputSurface::FrameDue(bool dialDirty) {
    dialDirty_ = dialDirty_ || dialDirty;
    // A black output is drawn once, not at every tick.
    if (!HasClock()) return;
    due_ = true;
    Draw();
}

void OutputSurface::Draw() {
    if (closed_ || !configured_ || !laidOut_ || !due_ || width_ <= 0 || height_ <= 0) return;
    if (HasClock()) {
        DrawClock();
    } else {
        DrawBlack();
    }
}

// One black pixel stretched over the output by the viewport; without one, a black buffer of the
// output's logical size.
void OutputSurface::DrawBlack() {
    due_ = false;
    if (blackShown_) return;
    const bool stretched = viewport_ != nullptr;
    buffers_[0] = ShmBuffer::Make(host_.Globals().shm, stretched ? 1 : width_, stretched ? 1 : height_,
                                  OnBufferReleased, this);
    buffers_[1].reset();
    latest_ = nullptr;
    if (buffers_[0] == nullptr) return;
    wl_surface_set_buffer_scale(surface_.get(), 1);
    if (stretched) {
        // Only the middle of the pixel is stretched: a compositor stepping through the source in
        // fixed point (wlroots' pixman renderer) otherwise overshoots it at the far edge and shows
        // its own background in the last column.
        const wl_fixed_t quarter = wl_fixed_from_double(0.25), half = wl_fixed_from_double(0.5);
        wp_viewport_set_source(viewport_.get(), quarter, quarter, half, half);
        wp_viewport_set_destination(viewport_.get(), width_, height_);
    }
    wl_surface_attach(surface_.get(), buffers_[0]->Buffer(), 0, 0);
    wl_surface_damage_buffer(surface_.get(), 0, 0, INT32_MAX, INT32_MAX);
    wl_surface_commit(surface_.get());
    buffers_[0]->Lend();
    blackShown_ = true;
}

void OutputSurface::DrawClock() {
    if (frame_ != nullptr || !host_.DisplayOn() || !poweredOn_) return;
    const int width = PixelWidth(), height = PixelHeight();
    if (picture_ == nullptr) {
        std::vector<ScreenRect> rects;
        for (const ScreenRect& r : clocks_) {
            rects.push_back({Scaled(r.left, width, width_), Scaled(r.top, height, height_),
                             Scaled(r.right, width, width_), Scaled(r.bottom, height, height_)});
        }
        picture_ = std::make_unique<ClockPicture>(width, height, rects);
        // The picture is drawn into new, black buffers.
        for (auto& buffer : buffers_) buffer.reset();
        latest_ = nullptr;
    }
    ShmBuffer* buffer = FreeBuffer();
    // Both buffers still with the compositor: the next release draws.
    if (buffer == nullptr) return;
    // The frame is drawn over the last one: the buffer takes in what was drawn into the other.
    // A gliding needle's frame neither reads nor writes outside what it draws, so it goes first
    // and only the rest is copied.
    const bool gliding = host_.Settings().glide != 0;
    if (!gliding) buffer->CatchUp(latest_);
    Region changed = EmptyRegion(), drawn = EmptyRegion();
    picture_->Compose(buffer->Pixels(), buffer->Stride(), host_.Settings(), host_.World(), host_.Reading(),
                      host_.HomePage(), dialDirty_, changed.get(), drawn.get());
    if (gliding) buffer->CatchUp(latest_, drawn.get());
    dialDirty_ = false;
    due_ = false;
    latest_ = buffer;
    // The other buffer lacks what this frame wrote, which may be less than what it shows anew.
    for (auto& each : buffers_) {
        if (each != nullptr && each.get() != buffer) cairo_region_union(each->Stale(), drawn.get());
    }
    Present(*buffer, changed.get());
}

ShmBuffer* OutputSurface::FreeBuffer() {
    // The buffer holding the last frame, once given back, has nothing to catch up.
    for (auto& buffer : buffers_) {
        if (buffer != nullptr && buffer.get() == latest_ && !buffer->Busy()) return buffer.get();
    }
    for (auto& buffer : buffers_) {
        if (buffer != nullptr && !buffer->Busy()) return buffer.get();
    }
    // A second buffer only when the compositor still holds the first.
    for (auto& buffer : buffers_) {
        if (buffer == nullptr) {
            buffer = ShmBuffer::Make(host_.Globals().shm, PixelWidth(), PixelHeight(), OnBufferReleased, this);
            return buffer.get();
        }
    }
    return nullptr;
}

void OutputSurface::Present(ShmBuffer& buffer, cairo_region_t* damage) {
    wl_surface* surface = surface_.get();
    if (scale120_ != 0 && viewport_ != nullptr) {
        const wl_fixed_t unset = wl_fixed_from_int(-1);
        wl_surface_set_buffer_scale(surface, 1);
        wp_viewport_set_source(viewport_.get(), unset, unset, unset, unset);
        wp_viewport_set_destination(viewport_.get(), width_, height_);
    } else {
        wl_surface_set_buffer_scale(surface, outputScale_);
        if (viewport_ != nullptr) {
            const wl_fixed_t unset = wl_fixed_from_int(-1);
            wp_viewport_set_source(viewport_.get(), unset, unset, unset, unset);
            wp_viewport_set_destination(viewport_.get(), -1, -1);
        }
    }
    wl_surface_attach(surface, buffer.Buffer(), 0, 0);
    const int count = cairo_region_num_rectangles(damage);
    for (int i = 0; i < count; ++i) {
        cairo_rectangle_int_t r;
        cairo_region_get_rectangle(damage, i, &r);
        wl_surface_damage_buffer(surface, r.x, r.y, r.width, r.height);
    }
    static const wl_callback_listener frameListener = {OnFrameDone};
    frame_.reset(wl_surface_frame(surface));
    wl_callback_add_listener(frame_.get(), &frameListener, this);
    frameAskedMs_ = MonotonicMs();
    wl_surface_commit(surface);
    buffer.Lend();
}

void OutputSurface::OnFrameDone(void* self, wl_callback*, uint32_t) {
    auto* out = static_cast<OutputSurface*>(self);
    const bool wasSeen = out->Seen(MonotonicMs());
    out->frame_.reset();
    if (!wasSeen) out->host_.VisibilityChanged();
    out->Draw();
}

void OutputSurface::OnBufferReleased(void* self) { static_cast<OutputSurface*>(self)->Draw(); }
