// The renderer's one front: the dial cached in a face layer and redrawn only when dirty, every
// frame a copy of it with the hands drawn over. Platform-free: a canvas carries the two layers
// out with one 2-D library (GDI+ on Windows, Cairo on Linux).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "render/clock_painter.h"
#include "render/clock_scene.h"

// A frame's steps as the front measures them: a box and a digest of what was drawn there.
struct MeasuredSteps {
    std::vector<IntBox> boxes;
    std::vector<uint64_t> digests;
};

class ClockCanvas {
public:
    virtual ~ClockCanvas() = default;

    virtual int32_t Width() const = 0;
    virtual int32_t Height() const = 0;
    // Both layers exist: nothing is drawn otherwise.
    virtual bool Valid() const = 0;
    // A frame starts: a canvas that collects its drawing calls' results starts afresh.
    virtual void BeginFrame() {}
    // Makes the face layer that size, unless it is already; true when it had to, so that the
    // dial must be drawn. A canvas whose face is always its own size keeps it.
    virtual bool PrepareFace(int32_t width, int32_t height) {
        (void)width, (void)height;
        return false;
    }
    // A painter over the face layer, asked for only to draw the dial anew.
    virtual std::unique_ptr<ClockPainter> FacePainter() = 0;
    // Lays the dial into the frame layer at the scene's face origin, the rest in its ground
    // colour: everywhere, or only within the area's boxes (which may reach past the canvas).
    virtual void CopyFaceToFrame(const ClockScene& scene, const std::vector<IntBox>* area) = 0;
    // A painter over the frame layer, for what the frame adds over the dial.
    virtual std::unique_ptr<ClockPainter> FramePainter() = 0;
    // Lays the dial into the frame within the area's boxes and draws there what `paint` draws,
    // to the pixels that CopyFaceToFrame and a frame painter drawing within the boxes give; false,
    // having drawn nothing, when the canvas does not or cannot draw some step so.
    virtual bool DrawWithin(const ClockScene& scene, const std::vector<IntBox>& area,
                            const std::function<void(ClockPainter&)>& paint) {
        (void)scene, (void)area, (void)paint;
        return false;
    }
    // Holds the scene's hour and minute hands and the shadows under them apart from the frame
    // (see HeldStill), for the frame painter to put on; false when the canvas cannot.
    virtual bool HoldStill(const ClockScene& scene, HeldStill& held) {
        (void)scene, (void)held;
        return false;
    }

    // The dial must be drawn before the next frame; the frame that draws it clears it.
    bool faceDirty = true;
    // Set: a frame restores the dial only where the last frame drew and draws the hands anew
    // there; the rest of the frame is kept. The frame is the same, pixel for pixel, as one built
    // whole. A gliding needle's frames (thirty a second) restore and draw only within the boxes
    // that changed, and nothing round them is read: there a 2-D library may round an anti-aliased
    // edge that the boxes cut a few levels otherwise than a whole frame would.
    bool incremental = false;
    // Where the last frame differs from the one before, in canvas pixels: the old and new places
    // of the steps that changed (a moving needle is a few small boxes); the whole canvas for a
    // frame built whole, nothing for one that changed nothing.
    const std::vector<IntBox>& ChangedArea() const { return changed_; }

protected:
    // The frame layer moved to memory of which only the changed areas are kept up: the ground
    // round the face is laid again with the next frame built whole.
    void ForgetGround() { groundLaid_ = false; }

private:
    friend void RenderFrameOverDial(ClockCanvas& canvas, const ClockScene& scene);
    friend void RenderDial(ClockCanvas& canvas, const ClockScene& scene);
    friend void RenderClockFrame(ClockCanvas& canvas, const ClockScene& scene);
    // The last frame's steps, as the front measured them, and where its face stood.
    MeasuredSteps lastSteps_;
    IntBox lastFace_{0, 0, 0, 0};
    uint32_t lastGround_ = 0;
    bool lastKnown_ = false;  // cleared by a new dial
    // The frame round the face layer holds the ground of the last frame, which drew nothing
    // there: a whole frame then copies the face alone.
    bool groundLaid_ = false;
    std::vector<IntBox> changed_;
    // The texts the dial of a world clock was last drawn with: a change of them redraws it.
    std::u16string dialTexts_;
    // What the held still hands were drawn from, and whether the canvas holds them.
    std::string stillKey_;
    bool holdsStill_ = false;
    HeldStill held_{};
};

// The parts of a width x height frame that the face layer, laid as `face`, leaves bare: the
// canvas fills them with the ground's colour. None when it covers the frame.
std::vector<IntBox> BareStrips(int32_t width, int32_t height, const IntBox& face);
// Whether a box lies wholly inside another.
bool Inside(const IntBox& inner, const IntBox& outer);
bool SameBox(const IntBox& a, const IntBox& b);
// The smallest box holding both.
IntBox HullOf(const IntBox& a, const IntBox& b);
// Cuts the box to its part within `by`; false, leaving it as it was, when they do not meet.
bool CutBox(IntBox& box, const IntBox& by);
// Where two frames differ, clipped to a width x height canvas: the old and the new box of each
// step that changed; everything when the frames have different steps.
std::vector<IntBox> ChangedBoxes(const MeasuredSteps& before, const MeasuredSteps& after, int32_t width,
                                 int32_t height);
// Where the scene lays its face layer in the frame.
inline IntBox FaceBoxOf(const ClockScene& scene) {
    return {scene.faceOrigin.x, scene.faceOrigin.y, scene.faceWidth, scene.faceHeight};
}

// One frame: the dial first while faceDirty is set (which it then clears), then the copy and the
// hands.
void RenderClockFrame(ClockCanvas& canvas, const ClockScene& scene);
// The platform's short date of a local date (Windows: the user's locale; Linux: LC_TIME), as
// UTF-16; empty when it cannot be formatted. Each platform's canvas file defines it.
std::u16string ShortDateOf(const LocalDateTime& time);

// The scene of a canvas, as every host and tool of the platform builds it.
inline ClockScene SceneOf(const ClockCanvas& canvas, const ClockSettings& settings, const LocalDateTime& time,
                          bool fullScreen, const char* homePage, const ClockRole& role = {}) {
    return MakeClockScene(canvas.Width(), canvas.Height(), settings, time, fullScreen, homePage, ShortDateOf, role);
}

// The dial alone into the face layer.
void RenderDial(ClockCanvas& canvas, const ClockScene& scene);
// The frame alone over the cached dial.
void RenderFrameOverDial(ClockCanvas& canvas, const ClockScene& scene);
