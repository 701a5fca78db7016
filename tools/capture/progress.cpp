// Progress and summary lines on standard error.
#include "progress.h"

#include <cstdio>
#include <ctime>

namespace {

double seconds_now()
{
    timespec t = {};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

// The timeline's scene boundaries: the first position of each scene.
struct scene_span {
    uint32_t first;
    const char* name;
};
constexpr scene_span scenes[] = {
    {0, "parallax"}, {300, "fireworks"}, {500, "greetings"}, {700, "rectangles"},
    {900, "morph"},  {1000, "model"},    {1200, "walkers"},  {1340, "closing"},
};

void print_line(progress_meter& meter, int32_t position, uint64_t frames, uint32_t now_ms,
                const char* end)
{
    const double elapsed = seconds_now() - meter.started;
    const double speed = elapsed > 0.0 ? double(now_ms) / 1000.0 / elapsed : 0.0;
    std::fprintf(stderr, "\rposition %4d %-10s  frames %6llu  demo time %3u:%02u.%01u  %5.1fx real time%s",
                 int(position), scene_name(uint32_t(position)), (unsigned long long)frames,
                 now_ms / 60000, now_ms / 1000 % 60, now_ms / 100 % 10, speed, end);
    std::fflush(stderr);
}

} // namespace

const char* scene_name(uint32_t position)
{
    const char* name = scenes[0].name;
    for (const scene_span& s : scenes)
        if (position >= s.first)
            name = s.name;
    return name;
}

void progress_start(progress_meter& meter, bool quiet)
{
    meter.quiet = quiet;
    meter.started = seconds_now();
    meter.last_shown = -1.0;
    meter.shown = false;
}

void progress_show(progress_meter& meter, int32_t position, uint64_t frames_written,
                   uint32_t now_ms, bool force)
{
    if (meter.quiet)
        return;
    const double t = seconds_now();
    if (!force && meter.last_shown >= 0.0 && t - meter.last_shown < 0.25)
        return;
    meter.last_shown = t;
    meter.shown = true;
    print_line(meter, position, frames_written, now_ms, "");
}

void progress_end(progress_meter& meter, int32_t position, uint64_t frames_written,
                  uint32_t now_ms)
{
    if (meter.quiet)
        return;
    print_line(meter, position, frames_written, now_ms, "\n");
}
