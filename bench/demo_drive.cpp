// The virtual-clock drive of the demo shared by the benchmark programs.
#include "demo_drive.h"

#include "demo/assets.h"
#include "demo/demo_data.h"
#include "host/host.h"

const char* const bench_scene_names[bench_scene_count] = {
    "parallax", "fireworks", "greetings", "rects", "morph", "model", "walkers", "closing",
};

int bench_scene_of(uint32_t p)
{
    if (p <= 299) return 0;
    if (p <= 499) return 1;
    if (p <= 699) return 2;
    if (p <= 899) return 3;
    if (p <= 999) return 4;
    if (p <= 1199) return 5;
    if (p <= 1339) return 6;
    return 7;
}

int bench_load()
{
    host_use_virtual();
    virtual_ticks = 0;
    return load_assets("data") == 0 ? 0 : 1;
}

int bench_start(bench_session& session) { return virtual_run_start(session.run) == 0 ? 0 : 1; }

namespace {

void forward_buffer(const int16_t* samples, int frames, void* user)
{
    static_cast<bench_session*>(user)->on_buffer(samples, frames);
}

} // namespace

void bench_audio_until(bench_session& session, uint32_t ms)
{
    virtual_run_audio_until(session.run, ms, session.on_buffer ? forward_buffer : nullptr,
                            &session);
}

uint32_t bench_frame_ms(uint64_t k, int fps) { return virtual_frame_ms(k, fps); }
