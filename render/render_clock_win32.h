// The clock's canvas on Windows: two memory layers of one size, a cached dial and the frame
// built over it, carried out by the GDI+ painter.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "common/memory_layer_win32.h"
#include "render/clock_front.h"

// A clock window's canvas: its size, the two layers and the dial-cache flag. The saver's clock
// windows own one each, sized to the window; the frame tool, the benchmark and the tests make
// their own.
class SaverCanvas final : public ClockCanvas {
public:
    SaverCanvas() = default;
    // Both layers at the given size, compatible with the reference context; false, with no layer
    // held, when either cannot be made. The size is kept either way, and faceDirty is set.
    bool Create(HDC reference, int32_t width, int32_t height);
    // Deletes both layers.
    void Release();

    int32_t Width() const override { return width_; }
    int32_t Height() const override { return height_; }
    bool Valid() const override { return face_.Valid() && frame_.Valid(); }
    // Each frame's drawing results are collected afresh, for a test to read.
    void BeginFrame() override;
    bool PrepareFace(int32_t width, int32_t height) override;
    std::unique_ptr<ClockPainter> FacePainter() override;
    void CopyFaceToFrame(const ClockScene& scene, const std::vector<IntBox>* area) override;
    std::unique_ptr<ClockPainter> FramePainter() override;

    const MemoryLayer& Face() const { return face_; }
    const MemoryLayer& Frame() const { return frame_; }
    HDC FaceLayer() const { return face_.Dc(); }
    HDC FrameLayer() const { return frame_.Dc(); }

private:
    int32_t width_ = 0;
    int32_t height_ = 0;
    // Lays the face into the part of the frame within `box`, the ground round it.
    void CopyFaceWithin(const IntBox& box, const IntBox& face, HBRUSH ground);

    MemoryLayer face_;
    MemoryLayer frame_;
};

LocalDateTime LocalDateTimeOf(const SYSTEMTIME& time);
// The instant of a local time of the system's zone (the frame tool's --time).
TickInstant InstantOf(const LocalDateTime& time);
