// The frame tool's command line, the same on Windows and on Linux.
#pragma once

#include "settings/clock_options.h"

constexpr unsigned FrameToolOptions = option_group::Settings | option_group::Frame;

constexpr char FrameToolUsage[] =
    "Usage: tarnwick-frame [options]\n"
    "Renders one frame of the clock as the saver draws it and writes it as a PNG.\n"
    "  --size WxH          canvas size, each side 1 to 8192 (default 1024x768)\n"
    "  --time \"YYYY-MM-DD HH:MM:SS\"  the local time to draw (default: now)\n"
    "  --seconds off|normal|fullback|N  the seconds hand (default normal)\n"
    "  --logo off|date|text|N  the logo line (default text)\n"
    "  --text TEXT         the logo text, at most 259 characters (default Brevant)\n"
    "  --font NAME         the numerals' font (default Palatino Linotype)\n"
    "  --color #RRGGBB     the marker colour, or 0xBBGGRR as stored (default #C8C8C8)\n"
    "  --preview           draw as the preview does (no banner); default full-screen\n"
    "  --out FILE.png      where to write the picture (default tarnwick-frame.png)\n"
    "  --help              show this text\n";
