// The frame tool's command line, the same on Windows and on Linux.
#pragma once

#include "settings/clock_options.h"

constexpr unsigned FrameToolOptions = option_group::Settings | option_group::Frame;

#include <cstdio>

constexpr char FrameToolUsageHead[] =
    "Usage: tarnwick-frame [options]\n"
    "Renders one frame of the clock as the saver draws it and writes it as a PNG.\n"
    "  --size WxH            canvas size, each side 1 to 8192 (default 1024x768)\n"
    "  --time \"YYYY-MM-DD HH:MM:SS\"  the local time to draw (default: now)\n";
constexpr char FrameToolUsageTail[] =
    "  --preview             draw as the preview does (no banner); default full-screen\n"
    "  --out FILE.png        where to write the picture (default tarnwick-frame.png)\n"
    "  --help                show this text\n";

inline void PrintFrameToolUsage() {
    std::fputs(FrameToolUsageHead, stdout);
    std::fputs(SettingsOptionsUsage, stdout);
    std::fputs(FrameToolUsageTail, stdout);
}
