// The demo on the virtual clock: start-up, the device's buffer requests, frames.
#include "demo/virtual_run.h"

#include <cstring>

#include "demo/startup.h"
#include "host/host.h"
#include "player/player_control.h"

int virtual_run_start(virtual_run& run, const char** refused)
{
    host_use_virtual();
    if (player_open(virtual_device_rate, virtual_device_frames) != 1 || !virtual_audio_callback)
        return -1;
    const char* reason = start_music_and_scenes();
    if (refused)
        *refused = reason;
    run = virtual_run();
    return 0;
}

void virtual_run_audio_until(virtual_run& run, uint32_t ms, virtual_buffer_sink sink, void* user)
{
    static int16_t buffer[virtual_device_frames * 2];
    for (;;) {
        const uint64_t due =
            run.buffers_requested * virtual_device_frames * 1000 / virtual_device_rate;
        if (due > ms)
            return;
        virtual_ticks = uint32_t(due);
        std::memset(buffer, 0, sizeof buffer);
        if (!virtual_audio_paused && virtual_audio_callback)
            virtual_audio_callback(nullptr, reinterpret_cast<uint8_t*>(buffer), sizeof buffer);
        ++run.buffers_requested;
        if (sink)
            sink(buffer, virtual_device_frames, user);
    }
}

void virtual_run_frame(virtual_run& run, uint32_t ms)
{
    virtual_ticks = ms;
    frame_draw_scene(run.state);
    frame_fast_forward(run.state);
    frame_finish(run.state);
}

uint32_t virtual_frame_ms(uint64_t k, int fps) { return uint32_t(k * 1000 / uint64_t(fps)); }
