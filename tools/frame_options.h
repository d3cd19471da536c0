// The frame tool's command line, the same on Windows and on Linux.
#pragma once

#include <cstdio>
#include <string>

#include "settings/clock_options.h"

constexpr unsigned FrameToolOptions = option_group::Settings | option_group::HomePage | option_group::Frame;

inline void PrintFrameToolUsage() {
    PrintUsage("Usage: tarnwick-frame [options]\n"
               "Renders one frame of the clock as the saver draws it and writes it as a PNG.\n",
               FrameToolOptions);
}

// The address the banner shows: the one given, else the build's own.
inline std::string HomePageOf(const ClockOptions& options, const char* buildHomePage) {
    return options.homePage.empty() ? buildHomePage : options.homePage;
}
