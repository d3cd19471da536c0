// A buffer of XRGB pixels in memory shared with the compositor. The compositor reads it from the
// commit that shows it until it sends release; only then may it be written again.
#pragma once

#include <cairo.h>
#include <wayland-client.h>

#include <cstddef>
#include <memory>

#include "host/wayland/wayland_holders_wayland.h"

class ShmBuffer {
public:
    using ReleaseHandler = void (*)(void* owner);
    // Null when the memory or the buffer cannot be made. The new buffer is black.
    static std::unique_ptr<ShmBuffer> Make(wl_shm* shm, int width, int height, ReleaseHandler onRelease, void* owner);
    ShmBuffer(const ShmBuffer&) = delete;
    ShmBuffer& operator=(const ShmBuffer&) = delete;
    ~ShmBuffer();

    wl_buffer* Buffer() const { return buffer_.get(); }
    bool Busy() const { return busy_; }
    // Attached and committed: the compositor holds it until release.
    void Lend() { busy_ = true; }
    unsigned char* Pixels() const { return static_cast<unsigned char*>(memory_); }
    int Stride() const;
    // Where the buffer differs from the last frame drawn: everything at first, then the changes
    // of each frame drawn into another buffer.
    cairo_region_t* Stale() const { return stale_.get(); }
    // Copies the stale part in from `latest` (of this buffer's size, holding the last frame; null
    // before the first), leaving out what a frame already drew anew (`redrawn`, may be null);
    // nothing is stale after.
    void CatchUp(const ShmBuffer* latest, const cairo_region_t* redrawn = nullptr);

private:
    ShmBuffer(int width, int height, void* memory, size_t size, ReleaseHandler onRelease, void* owner);
    static void OnRelease(void* self, wl_buffer* buffer);

    int width_;
    int height_;
    void* memory_;
    size_t size_;
    ReleaseHandler onRelease_;
    void* owner_;
    bool busy_ = false;
    Region stale_;
    Proxy<wl_buffer> buffer_;
};
