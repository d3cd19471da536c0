// The clock's drawing recipe: what the dial and each frame are made of, in which order, with
// every box, colour and width taken from the geometry. Platform-free: it draws through a
// ClockPainter, so every platform's picture comes from this one description.
#pragma once

#include <cstdint>

#include "render/clock_painter.h"
#include "render/clock_scene.h"
#include "render/dial_geometry.h"
#include "render/hand_geometry.h"
#include "settings/clock_settings.h"

// The banner: the maker's address in minute 7 of a full-screen run, in a line of its own font at
// the top right of the frame.
constexpr int32_t BannerMinute = 7;
constexpr int32_t BannerFontHeight = 24;
constexpr int32_t BannerStripHeight = 40;
constexpr char BannerFontName[] = "Palatino Linotype";

// The static dial: background, bezel, rim, face, markers, numerals and the logo line.
void PaintDial(ClockPainter& painter, const ClockScene& scene);
// What each frame adds over the dial: one shadow under all hands, the hour and minute hands
// with their stripes, the second hand, the cap and, in minute 7 of a full-screen run, the banner.
// With `held`, the hour and minute hands and the shadows under them are put on from what the
// canvas holds (a gliding needle's frames) instead of drawn.
void PaintHands(ClockPainter& painter, const ClockScene& scene, const HeldStill* held = nullptr);
// What a canvas holds of them: the shadows of the hour and minute hands and the cap as opaque
// coverage, and the two hands.
void PaintStillShadows(ClockPainter& painter, const ClockScene& scene);
void PaintStillHands(ClockPainter& painter, const ClockScene& scene);
