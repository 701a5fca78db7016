// The virtual-clock drive of the demo shared by the benchmark programs.
#include "demo_drive.h"

#include <cstring>

#include "demo/assets.h"
#include "demo/demo_data.h"
#include "demo/startup.h"
#include "host/host.h"
#include "player/player_control.h"
#include "player/position_clock.h"

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

int bench_start(bench_session& session)
{
    if (player_open(bench_rate, bench_buffer_frames) != 1 || !virtual_audio_callback)
        return 1;
    if (player_load(module_data, module_size, sizeof module_data) != 1)
        return 1;
    prepare_scenes();
    player_start(50);
    update_music_position();
    session.state = frame_loop_state();
    session.buffers_requested = 0;
    return 0;
}

void bench_audio_until(bench_session& session, uint32_t ms)
{
    static int16_t silence[bench_buffer_frames * 2];
    for (;;) {
        const uint64_t j = session.buffers_requested;
        const uint64_t due = j * bench_buffer_frames * 1000 / bench_rate;
        if (due > ms)
            return;
        virtual_ticks = uint32_t(due);
        int16_t* out = session.stream ? session.stream : silence;
        // The device hands over a buffer of silence, as SDL does before every call.
        std::memset(out, 0, sizeof silence);
        if (!virtual_audio_paused && virtual_audio_callback)
            virtual_audio_callback(nullptr, reinterpret_cast<uint8_t*>(out), sizeof silence);
        if (session.on_buffer)
            session.on_buffer(out, bench_buffer_frames);
        session.buffers_requested = j + 1;
    }
}

uint32_t bench_frame_ms(uint64_t k, int fps) { return uint32_t(k * 1000 / uint64_t(fps)); }
