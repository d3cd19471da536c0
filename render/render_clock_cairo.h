// The clock's canvas on Linux: two Cairo image surfaces of one size, a cached dial and the frame
// built over it, carried out by the Cairo painter.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include "render/cairo_painter_cairo.h"
#include "render/clock_front.h"
#include "render/row_painter_cairo.h"

// Two opaque layers of the canvas size and the dial-cache flag. Pixels are 32-bit words
// 0x00RRGGBB, rows from the top, `Stride()` bytes apart.
class CairoCanvas final : public ClockCanvas {
public:
    // The frame layer may live in memory the caller owns (e.g. shared with a display): rows of
    // `frameStride` bytes (0: the canvas's own width), which may belong to a larger picture, the
    // canvas being a rectangle of it. The memory must outlive the canvas.
    CairoCanvas(int32_t width, int32_t height, unsigned char* frameMemory = nullptr, int frameStride = 0);
    int32_t Width() const override { return width_; }
    int32_t Height() const override { return height_; }
    bool Valid() const override;
    bool PrepareFace(int32_t width, int32_t height) override;
    std::unique_ptr<ClockPainter> FacePainter() override;
    void CopyFaceToFrame(const ClockScene& scene, const std::vector<IntBox>* area) override;
    std::unique_ptr<ClockPainter> FramePainter() override;
    bool HoldStill(const ClockScene& scene, HeldStill& held) override;
    void BeginFrame() override;
    // Each row of the area in one pass (see RowPainter); after a frame so drawn, only round where
    // the figures move.
    bool DrawWithin(const ClockScene& scene, const std::vector<IntBox>& area,
                    const std::function<void(ClockPainter&)>& paint) override;

    // Moves the frame layer to other memory of the same row length (another of a display's
    // buffers). It must hold the last frame, but before a gliding needle's frame, which reads none
    // of it: what lies outside the area that frame changes (see ChangedArea) the caller brings up
    // to date afterwards.
    void MoveFrame(unsigned char* frameMemory, int frameStride);

    int Stride() const;
    cairo_surface_t* Face() const { return face_.get(); }
    cairo_surface_t* Frame() const { return frame_.get(); }
    // The frame's pixel at (x, y) as 0x00RRGGBB; 0xFFFFFFFF outside the canvas.
    uint32_t FramePixel(int32_t x, int32_t y) const;

    // What the last frame changed (see ChangedArea), as a region for a presenter.
    CairoRegion ChangedRegion() const;
    // The part of it the last frame drew: the rest of the changed area it left as the frame
    // before had it, which is what it shows. A caller that moves the frame between buffers must
    // bring that part up to date in this one.
    CairoRegion DrawnRegion() const;

private:
    int32_t width_;
    int32_t height_;
    CairoSurface face_;
    CairoSurface frame_;
    FrameMasks masks_;  // kept for the next frames
    // The moving rows of the last frame drawn row by row, over the held layers it names.
    RowPainter::MovingRows moving_;
    uint64_t movingHeld_ = 0;
    bool rowsLast_ = false;  // the last frame was drawn row by row
    bool rowsNow_ = false;
    std::vector<IntBox> drawn_;  // while rowsNow_
};

// Conversions between the C library's local time and the clock's.
LocalDateTime LocalDateTimeOf(const std::tm& time);
std::tm TmOf(const LocalDateTime& time);
// The instant of a local time of the system's zone (the frame tool's --time).
TickInstant InstantOf(const LocalDateTime& time);

// Writes the frame as a PNG; false when it cannot be written.
bool SaveFrameAsPng(const CairoCanvas& canvas, const char* path);
