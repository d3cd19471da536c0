// One memory device context with a bitmap compatible with a reference context selected into it:
// the saver window's two layers, and those of the frame tool, the benchmark and the tests
// (compatible with the screen, so that drawing there costs what it costs in the saver).
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>

#include "common/gdi_holders_win32.h"

class MemoryLayer {
public:
    MemoryLayer() = default;
    // A layer compatible with the screen; not Valid() when it cannot be made.
    MemoryLayer(int32_t width, int32_t height);
    MemoryLayer(const MemoryLayer&) = delete;
    MemoryLayer& operator=(const MemoryLayer&) = delete;

    // Replaces the layer by a new one; false, with nothing held, when either object cannot be made.
    bool Create(HDC reference, int32_t width, int32_t height);
    // Deletes both objects, the context's own bitmap selected back first so that both really go.
    void Reset();

    bool Valid() const { return dc_ != nullptr && bitmap_ != nullptr; }
    HDC Dc() const { return dc_.get(); }
    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }

private:
    int32_t width_ = 0;
    int32_t height_ = 0;
    // Destroyed in reverse order: the selections are undone, then the font, the bitmap and the
    // context go.
    gdi::MemoryDc dc_;
    gdi::Object bitmap_;
    gdi::Object font_;
    std::optional<gdi::Selection> selection_;
    std::optional<gdi::Selection> fontSelection_;
};
