// The demo driven on the virtual clock for the benchmarks: the audio device is modelled as
// the demo's (4096-frame buffers at 44100 Hz, buffer j requested at j * 4096 / 44100 s and
// heard from then on), video frames at a fixed rate, frame k at k * 1000 / fps ms.
// Only the SDL-free parts of the frame loop run; nothing is shown or heard.
#pragma once
#include <cstdint>

#include "demo/virtual_run.h"

constexpr int bench_buffer_frames = virtual_device_frames;
constexpr int bench_rate = virtual_device_rate;

// The scenes of the timeline, in order, by the first position each one owns.
constexpr int bench_scene_count = 8;
extern const char* const bench_scene_names[bench_scene_count];
int bench_scene_of(uint32_t position);

struct bench_session {
    virtual_run run;   // frame-loop state and the device's buffer count
    void (*on_buffer)(const int16_t* samples, int frames) = nullptr;   // sees each buffer
};

// Loads data/ from the working directory (the repository root). 0, or 1 on failure.
int bench_load();
// Opens the player on the virtual device, loads the module, prepares the scene buffers and
// starts the music, as the demo's start-up does after loading. 0, or 1 on failure.
int bench_start(bench_session& session);
// Requests from the player every device buffer due at or before `ms`.
void bench_audio_until(bench_session& session, uint32_t ms);
// The clock reading of video frame k at `fps` frames a second.
uint32_t bench_frame_ms(uint64_t k, int fps);
