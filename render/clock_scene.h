// Everything one render draws from, gathered once by the host: the canvas size, the settings,
// one reading of the local time and the texts the platform supplies. Platform-free.
#pragma once

#include <cstdint>
#include <string>

#include "common/local_time.h"
#include "render/dial_geometry.h"
#include "render/hand_geometry.h"
#include "settings/clock_settings.h"

// The colours of the whole picture (ARGB) but the user's accent, which stays the marker colour.
struct FacePalette {
    uint32_t ground;              // round the clock
    uint32_t bezelFrom, bezelTo;  // the bezel's gradient
    uint32_t rimUnder;            // what the rim's partly transparent shades are laid on
    uint32_t rimFrom, rimTo;
    uint32_t face;
    uint32_t ink;                 // outlines of the hour discs and the logo
    uint32_t hands;               // hour and minute hand bodies and the cap
    uint32_t shadow;
    uint32_t numerals;            // numerals and minute ticks
    uint32_t needle;              // the seconds needle and its disc's outline
};

// Today's picture: white ground and face, black ink and hands.
extern const FacePalette LightPalette;
// For the night and for OLED screens: a black ground, a dark face, grey ink and light hands.
extern const FacePalette DarkPalette;

// The light palette in the user's colours of face, numerals, hands and ground.
FacePalette LightPaletteOf(const ClockSettings& settings);

// Where a wandering clock's centre stands at a local time, within [low, high] on each axis: one
// step along each axis a minute, bouncing at the edges. A pure function of the time.
IntPoint WanderingCentre(const LocalDateTime& time, IntPoint low, IntPoint high, int32_t step);

// The drift's offset of the picture at a local time, for a clock of the given unit: one step of
// one pixel along one axis per minute, round a closed path that visits every offset from -2 to
// 2 units less one pixel on each axis once. A pure function of the time, so a restart keeps to
// the path.
IntPoint DriftOffset(const LocalDateTime& time, int32_t unit);

struct ClockScene {
    int32_t width;
    int32_t height;
    const ClockSettings& settings;
    LocalDateTime time;
    bool fullScreen;           // only the banner asks
    std::u16string dateText;   // today's short date in the user's format, only for the date logo
    const char* homePage;      // the banner's text
    FacePalette palette;
    uint32_t bannerArgb;       // the banner's colour
    IntPoint offset;           // the drift's offset of the whole picture, else 0,0
    DialGeometry dial;         // the dial in its own layer, worked out once a frame
    int32_t faceWidth;         // that layer: the whole canvas for a full-size centred clock,
    int32_t faceHeight;        // else the clock's square
    IntPoint faceOrigin;       // where the layer's top-left lies in the frame, the drift included
    int32_t shadowOffset;      // the hands' shadow, in proportion to the clock's size
    ClockHands hands;          // the hands at the scene's time, where the frame shows them
    bool inRow;                // one of a row of world clocks
    std::u16string caption;    // under a clock in a row of world clocks; empty: none
    FloatBox captionBox;       // where it is centred, in the face layer
    float captionEmSize;
    uint32_t captionArgb;
};

// How a clock stands among the clocks of its monitor: alone (placed as the settings say), or in
// a row of world clocks, where its cell leaves room for a caption under every dial.
struct ClockRole {
    bool inRow = false;
    std::u16string caption;
};

// The platform's short date of a local date, as UTF-16; empty when it cannot be formatted.
using ShortDateFormatter = std::u16string (*)(const LocalDateTime& time);

// The one way a host builds a scene. The date is formatted only when the date logo shows it.
ClockScene MakeClockScene(int32_t width, int32_t height, const ClockSettings& settings, const LocalDateTime& time,
                          bool fullScreen, const char* homePage, ShortDateFormatter formatDate,
                          const ClockRole& role = {});

// The hands' reading of a time: with `glide`, the needle follows the milliseconds too.
ClockTime ClockTimeOf(const LocalDateTime& time, bool glide = false);
