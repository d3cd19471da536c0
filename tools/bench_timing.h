// What the Windows and the Linux benchmark share: the sizes, the run counts, the timing of a
// job and the line each size prints.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "host/saver_session.h"
#include "host/clock_layout.h"
#include "render/clock_scene.h"
#include "settings/clock_options.h"
#include "settings/time_zones.h"
#include <functional>
#include <memory>
#include <cstring>
#include <vector>

constexpr char BenchUsage[] =
    "Usage: tarnwick-bench [options]\nPrints, per canvas size, the minimum and median milliseconds of the dial "
    "draw, the frame compose and a plain copy of a frame-sized buffer, then whether the 4K frame meets its goal;\n"
    "then the same at 4K for a 40 % clock, whose frame should cost at most half of the first.\n"
    "The clock is drawn with the default settings and what the options change (e.g. --face dark --drift).\n"
    "Then it times converting the time for the world clocks of --zone (default: four zones), once per tick,\n"
    "and a gliding needle's steps at 4K against frames composed whole.\n";

struct BenchSize {
    int32_t width;
    int32_t height;
};

constexpr BenchSize BenchSizes[] = {{1024, 768}, {1920, 1080}, {3840, 2160}};
constexpr int DialRuns = 7;
constexpr int FrameRuns = 31;
constexpr int CopyRuns = 31;
// A small clock composes only its square into a ground laid once: at 4K its frame should cost
// at most this share of the full clock's.
constexpr int32_t SmallBenchClockSize = 40;
constexpr double SmallFrameGoalShare = 0.5;

struct Timing {
    double min;
    double median;
};

// Runs the job once to warm up, then the given number of times; milliseconds.
template <typename Job>
Timing TimeRuns(int runs, Job job) {
    job();
    std::vector<double> samples;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        job();
        const auto end = std::chrono::steady_clock::now();
        samples.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    }
    std::sort(samples.begin(), samples.end());
    return {samples.front(), samples[samples.size() / 2]};
}

// One plain copy of a frame-sized block: the yardstick of what this machine can move.
inline Timing TimeFrameCopy(const std::vector<uint32_t>& source) {
    std::vector<uint32_t> target(source.size());
    return TimeRuns(CopyRuns, [&] { std::memcpy(target.data(), source.data(), source.size() * sizeof(uint32_t)); });
}

// The medians of one size's frame and copy; a negative frame when the canvas cannot be made.
struct BenchResult {
    double frame;
    double copy;
};

// One size's line; a clock of less than the full size says its size after the canvas's.
inline BenchResult PrintBenchLine(BenchSize size, int32_t clockSize, Timing dial, Timing frame, Timing copy) {
    std::printf("%dx%d", size.width, size.height);
    if (clockSize != FullClockSize) std::printf(" clock %d %%", clockSize);
    std::printf(" dial %.2f %.2f frame %.2f %.2f copy %.2f %.2f\n", dial.min, dial.median, frame.min, frame.median,
                copy.min, copy.median);
    std::fflush(stdout);
    return {frame.median, copy.median};
}

// The answer to any words on the command line: the usage, with exit code 0 for --help and 2
// after a complaint for anything else.
// The settings the clock is benched with, from the words after the program's name; false when
// the program must end at once with `code` (a bad option, or the help shown).
inline bool ReadBenchSettings(const std::vector<std::string>& words, ClockSettings& settings, int& code) {
    ClockOptions options;
    code = ReadClockOptions(words, option_group::Settings, "tarnwick-bench", options);
    if (code == 0 && options.help) PrintUsage(BenchUsage, option_group::Settings);
    settings = options.settings;
    return code == 0 && !options.help;
}

// Benches every size with the platform's function, which prints the size's line, then says
// whether the largest frame meets the goal; then benches that size again with a 40 % clock
// against the same run's frame.
template <typename BenchOne>
int BenchAllSizes(double goalTimesCopy, const ClockSettings& settings, BenchOne benchOne) {
    const auto bench = [&](BenchSize size, const ClockSettings& with, BenchResult& result) {
        result = benchOne(size, with);
        if (result.frame < 0) std::fprintf(stderr, "tarnwick-bench: no memory for a %dx%d canvas\n", size.width, size.height);
        return result.frame >= 0;
    };
    BenchResult full{}, small{};
    for (const BenchSize& size : BenchSizes) {
        if (!bench(size, settings, full)) return 1;
    }
    const BenchSize& largest = BenchSizes[sizeof BenchSizes / sizeof BenchSizes[0] - 1];
    const double ratio = full.frame / full.copy;
    std::printf("goal %dx%d frame within %.1f x copy: %s (%.2f x)\n", largest.width, largest.height, goalTimesCopy,
                ratio <= goalTimesCopy ? "met" : "missed", ratio);
    ClockSettings smaller = settings;
    smaller.size = SmallBenchClockSize;
    if (!bench(largest, smaller, small)) return 1;
    const double share = small.frame / full.frame;
    std::printf("goal %dx%d frame of a %d %% clock within %.1f x the %d %% frame: %s (%.2f x)\n", largest.width,
                largest.height, smaller.size, SmallFrameGoalShare, settings.size,
                share <= SmallFrameGoalShare ? "met" : "missed", share);
    return 0;
}

// Converting the time for every world clock costs each tick this at most.
constexpr double ZonesGoalMilliseconds = 0.1;
constexpr int ZoneTicksPerRun = 1000;
constexpr int64_t ZonesBenchStart = 1773446400;  // 2026-03-14 00:00 UTC

// Times the zones of the options (else the platform's `fallback`) converting one tick after
// another, and prints the milliseconds per tick against the goal.
inline void BenchZones(const ClockSettings& settings, const std::vector<std::u16string>& fallback) {
    std::vector<std::u16string> names;
    for (const auto& zone : settings.worldZone) {
        if (zone[0] != u'\0') names.emplace_back(zone);
    }
    if (names.empty()) names = fallback;
    std::vector<std::unique_ptr<TimeZone>> zones;
    for (const std::u16string& name : names) {
        if (auto zone = FindTimeZone(name)) zones.push_back(std::move(zone));
    }
    int64_t second = ZonesBenchStart;
    volatile int32_t shown = 0;  // keeps the conversions from being left out
    const Timing run = TimeRuns(FrameRuns, [&] {
        for (int tick = 0; tick < ZoneTicksPerRun; ++tick, ++second) {
            for (const auto& zone : zones) shown = zone->At({second, 0}).second;
        }
    });
    const double median = run.median / ZoneTicksPerRun;
    std::printf("zones %zu of %zu convert %.5f %.5f ms per tick, goal %.1f: %s\n", zones.size(), names.size(),
                run.min / ZoneTicksPerRun, median, ZonesGoalMilliseconds,
                median <= ZonesGoalMilliseconds && zones.size() == names.size() ? "met" : "missed");
    std::fflush(stdout);
}

// A gliding needle's frame rebuilds only where the needle was and is: at 4K one step should cost
// at most this share of a frame composed whole.
constexpr double GlideStepGoalShare = 0.25;
constexpr BenchSize GlideBenchSize{3840, 2160};
constexpr LocalDateTime GlideBenchStart{2026, 3, 14, 6, 10, 10, 30, 0};

// The reading one glide frame later.
inline void NextGlideStep(LocalDateTime& time) {
    time.millisecond += 1000 / GlideFramesPerSecond;
    if (time.millisecond >= 1000) time.millisecond -= 1000, ++time.second;
}

// Times frames composed whole at GlideBenchStart, then (the canvas made incremental by
// `incremental`) glide steps from it, with the platform's `compose` of a reading; prints both.
template <typename Compose, typename Incremental>
void BenchGlide(Compose compose, Incremental incremental) {
    LocalDateTime time = GlideBenchStart;
    const Timing whole = TimeRuns(FrameRuns, [&] { compose(time); });
    incremental();
    compose(time);
    const Timing step = TimeRuns(FrameRuns, [&] {
        NextGlideStep(time);
        compose(time);
    });
    const double share = step.median / whole.median;
    std::printf("%dx%d glide step %.2f %.2f whole frame %.2f %.2f: %.2f of it, goal %.2f: %s\n", GlideBenchSize.width,
                GlideBenchSize.height, step.min, step.median, whole.min, whole.median, share, GlideStepGoalShare,
                share <= GlideStepGoalShare ? "met" : "missed");
    std::fflush(stdout);
}

// A row of world clocks at 4K: each clock drawn at its own size costs no more, all together, than
// one full clock's frame.
constexpr int RowBenchClocks = 5;
constexpr BenchSize RowBenchSize{3840, 2160};

// Times one full clock's frame and the frames of a row of RowBenchClocks clocks in the same run;
// `frames(width, height, role)` makes a canvas with its dial drawn and returns the job that composes
// one frame on it.
template <typename Frames>
void BenchRow(Frames frames) {
    const std::function<void()> whole = frames(RowBenchSize.width, RowBenchSize.height, ClockRole{});
    std::vector<std::function<void()>> cells;
    for (const ScreenRect& r : ClockCells({0, 0, RowBenchSize.width, RowBenchSize.height}, RowBenchClocks)) {
        cells.push_back(frames(r.right - r.left, r.bottom - r.top, ClockRole{true, u"Tokyo"}));
    }
    const Timing one = TimeRuns(FrameRuns, whole);
    const Timing row = TimeRuns(FrameRuns, [&] {
        for (const auto& cell : cells) cell();
    });
    std::printf("%dx%d row of %d clocks %.2f %.2f one clock %.2f %.2f: %.2f of it, goal at most 1: %s\n",
                RowBenchSize.width, RowBenchSize.height, RowBenchClocks, row.min, row.median, one.min, one.median,
                row.median / one.median, row.median <= one.median ? "met" : "missed");
    std::fflush(stdout);
}
