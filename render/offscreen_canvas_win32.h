// A canvas of two off-screen layers in memory, for drawing clocks outside the saver window:
// the frame tool, the benchmark and the tests render into it and read its pixels back.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "host/saver_canvas_win32.h"

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

// One memory device context with a bitmap compatible with a reference context selected into it:
// the saver window's layers, and the frame tool's, benchmark's and tests' (compatible with the
// screen, so that drawing there costs what it costs in the saver).
class MemoryLayer {
public:
    MemoryLayer() = default;
    // A layer compatible with the screen; not Valid() when it cannot be made.
    MemoryLayer(int32_t width, int32_t height);
    ~MemoryLayer() { Reset(); }
    MemoryLayer(const MemoryLayer&) = delete;
    MemoryLayer& operator=(const MemoryLayer&) = delete;

    // Replaces the layer by a new one; false, with nothing held, when either object cannot be made.
    bool Create(HDC reference, int32_t width, int32_t height);
    // Deletes both objects, restoring the context's own bitmap first so that both really go.
    void Reset();

    bool Valid() const { return dc_ != nullptr && bitmap_ != nullptr; }
    HDC Dc() const { return dc_; }
    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }
    // A copy of the pixels, rows from the top, each pixel 0x00RRGGBB; empty when unreadable.
    std::vector<uint32_t> ReadPixels() const;

private:
    int32_t width_ = 0;
    int32_t height_ = 0;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
};

// The pixels of a layer as read back at one moment.
struct Picture {
    int32_t width;
    int32_t height;
    std::vector<uint32_t> pixels;
    // The colour at (x, y) as 0x00RRGGBB; 0xFFFFFFFF outside the picture.
    uint32_t At(int32_t x, int32_t y) const;
};

class OffscreenCanvas {
public:
    OffscreenCanvas(int32_t width, int32_t height);
    bool Valid() const { return face_.Valid() && frame_.Valid(); }
    // The layers as the renderer takes them; faceDirty starts set, like the saver window's.
    SaverCanvas& Canvas() { return canvas_; }
    int32_t Width() const { return canvas_.width; }
    int32_t Height() const { return canvas_.height; }
    const MemoryLayer& Frame() const { return frame_; }
    const MemoryLayer& Face() const { return face_; }
    Picture ReadFrame() const { return {Width(), Height(), frame_.ReadPixels()}; }
    Picture ReadFace() const { return {Width(), Height(), face_.ReadPixels()}; }

private:
    MemoryLayer face_;
    MemoryLayer frame_;
    SaverCanvas canvas_;
};

// Writes the layer's pixels as an opaque PNG; false when GDI+ cannot encode or write it.
bool SavePictureAsPng(const Picture& picture, const wchar_t* path);
