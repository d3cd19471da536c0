// tarnwick-bench: times the dial draw and the frame compose at three screen sizes, against one
// plain copy of a frame-sized buffer as the yardstick of what this machine can move.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <vector>

#include "render/render_clock_win32.h"
#include "tools/offscreen_canvas_win32.h"
#include "settings/clock_settings.h"

namespace {

struct Size {
    int32_t width;
    int32_t height;
};

constexpr Size Sizes[] = {{1024, 768}, {1920, 1080}, {3840, 2160}};
constexpr int DialRuns = 7;
constexpr int FrameRuns = 31;
constexpr int CopyRuns = 31;
// The frame is rebuilt every second, so at 4K it should cost little more than moving its pixels.
constexpr double FrameGoalTimesCopy = 2.5;

struct Timing {
    double min;
    double median;
};

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    static const double ticksPerMs = [] {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        return static_cast<double>(frequency.QuadPart) / 1000.0;
    }();
    return static_cast<double>(to.QuadPart - from.QuadPart) / ticksPerMs;
}

// Runs the job once to warm up, then the given number of times, and sums up the timings.
template <typename Job>
Timing Time(int runs, Job job) {
    job();
    std::vector<double> samples;
    for (int i = 0; i < runs; ++i) {
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        job();
        GdiFlush();
        QueryPerformanceCounter(&end);
        samples.push_back(Milliseconds(start, end));
    }
    std::sort(samples.begin(), samples.end());
    return {samples.front(), samples[samples.size() / 2]};
}

// A busy minute-of-the-hour with every part of the picture shown.
SYSTEMTIME BenchTime() {
    SYSTEMTIME time{};
    time.wYear = 2026;
    time.wMonth = 3;
    time.wDay = 14;
    time.wHour = 10;
    time.wMinute = 8;
    time.wSecond = 37;
    return time;
}

// Prints one line of timings; the frame median over the copy median, or a negative number when
// the canvas cannot be made.
double BenchSize(Size size, const ClockSettings& settings) {
    OffscreenCanvas canvas(size.width, size.height);
    if (!canvas.Valid()) return -1;
    SaverCanvas& layers = canvas.Canvas();
    const SYSTEMTIME time = BenchTime();
    const Timing dial = Time(DialRuns, [&] {
        RenderCall call(layers, settings, time, true);
        DrawDialFace(call);
    });
    const Timing frame = Time(FrameRuns, [&] {
        RenderCall call(layers, settings, time, true);
        ComposeFrame(call);
    });
    const std::vector<uint32_t> source = ReadPixels(canvas.Face());
    std::vector<uint32_t> target(source.size());
    const Timing copy = Time(CopyRuns, [&] {
        std::memcpy(target.data(), source.data(), source.size() * sizeof(uint32_t));
    });
    std::printf("%dx%d dial %.2f %.2f frame %.2f %.2f copy %.2f %.2f\n", size.width, size.height, dial.min,
                dial.median, frame.min, frame.median, copy.min, copy.median);
    std::fflush(stdout);
    return frame.median / copy.median;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc > 1) {
        const bool help = wcscmp(argv[1], L"--help") == 0;
        std::fprintf(help ? stdout : stderr,
                     "%sUsage: tarnwick-bench\nPrints, per canvas size, the minimum and median milliseconds of the "
                     "dial draw, the frame compose and a plain copy of a frame-sized buffer, then whether the 4K frame "
                     "meets its goal.\n",
                     help ? "" : "tarnwick-bench: takes no options\n");
        return help ? 0 : 2;
    }
    GdiplusSession gdiplus;
    if (!gdiplus.Started()) return 1;
    ClockSettings settings{};
    SetDefaultSettings(settings);
    double ratio = 0;
    for (const Size& size : Sizes) {
        ratio = BenchSize(size, settings);
        if (ratio < 0) {
            std::fprintf(stderr, "tarnwick-bench: no memory for a %dx%d canvas\n", size.width, size.height);
            return 1;
        }
    }
    const Size& largest = Sizes[std::size(Sizes) - 1];
    std::printf("goal %dx%d frame within %.1f x copy: %s (%.2f x)\n", largest.width, largest.height,
                FrameGoalTimesCopy, ratio <= FrameGoalTimesCopy ? "met" : "missed", ratio);
    return 0;
}
