// A canvas of two off-screen layers in memory, for drawing clocks outside the saver window:
// the frame tool, the benchmark and the tests render into it and read its pixels back.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "common/memory_layer_win32.h"
#include "render/render_clock_win32.h"

// Starts GDI+ for the life of the object; the saver's start-up does the same for its process.
class GdiplusSession {
public:
    GdiplusSession();
    ~GdiplusSession();
    GdiplusSession(const GdiplusSession&) = delete;
    GdiplusSession& operator=(const GdiplusSession&) = delete;
    bool Started() const { return token_ != 0; }

private:
    ULONG_PTR token_ = 0;
};

// The pixels of a layer as read back at one moment.
struct Picture {
    int32_t width;
    int32_t height;
    std::vector<uint32_t> pixels;
    // The colour at (x, y) as 0x00RRGGBB; 0xFFFFFFFF outside the picture.
    uint32_t At(int32_t x, int32_t y) const;
};

// A top-down 32-bit DIB section selected into a memory context of its own, its pixels in reach.
class PixelSection {
public:
    PixelSection(int32_t width, int32_t height);
    bool Valid() const { return dc_ != nullptr && bitmap_ != nullptr; }
    HDC Dc() const { return dc_.get(); }
    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }
    // Rows from the top, each pixel 0x00RRGGBB in its low bytes; call GdiFlush first.
    const uint32_t* Pixels() const { return static_cast<const uint32_t*>(bits_); }

private:
    int32_t width_;
    int32_t height_;
    void* bits_ = nullptr;
    gdi::MemoryDc dc_;
    gdi::Object bitmap_;
    std::optional<gdi::Selection> selection_;
};

// A copy of the layer's pixels, rows from the top, each pixel 0x00RRGGBB; empty when unreadable.
std::vector<uint32_t> ReadPixels(const MemoryLayer& layer);

// A saver canvas in memory, compatible with the screen; faceDirty starts set, like a window's.
class OffscreenCanvas {
public:
    OffscreenCanvas(int32_t width, int32_t height);
    bool Valid() const { return canvas_.Valid(); }
    SaverCanvas& Canvas() { return canvas_; }
    int32_t Width() const { return canvas_.Width(); }
    int32_t Height() const { return canvas_.Height(); }
    const MemoryLayer& Frame() const { return canvas_.Frame(); }
    const MemoryLayer& Face() const { return canvas_.Face(); }
    Picture ReadFrame() const { return {Width(), Height(), ReadPixels(Frame())}; }
    Picture ReadFace() const { return {Width(), Height(), ReadPixels(Face())}; }

private:
    SaverCanvas canvas_;
};

// Writes the layer's pixels as an opaque PNG; false when GDI+ cannot encode or write it.
bool SavePictureAsPng(const Picture& picture, const wchar_t* path);
