// The demo played on the virtual clock, for offline renders and full-run tests. The audio
// device is modelled as the demo's: 4096-frame buffers at 44100 Hz, each pre-filled with
// silence and handed to the callback the player opened, buffer j requested (and heard) at
// j * 4096 / 44100 s. Video frames run the frame loop's SDL-free steps at a given clock
// reading. Everything runs on one thread, so no lock is ever contended.
#pragma once
#include <cstdint>

#include "demo/frame_loop.h"

constexpr int virtual_device_frames = 4096;
constexpr int virtual_device_rate = 44100;

struct virtual_run {
    frame_loop_state state;
    uint64_t buffers_requested = 0;
};

// Receives every rendered device buffer: `frames` stereo frames of native 16-bit words.
using virtual_buffer_sink = void (*)(const int16_t* samples, int frames, void* user);

// The demo's start-up after its assets are in memory: the player on the virtual device,
// then start_music_and_scenes (a module that cannot be played gives way to the silent
// stand-in, as in the demo; `refused`, when given, receives the loader's reason or null).
// 0, or -1 when the player cannot open.
int virtual_run_start(virtual_run& run, const char** refused = nullptr);
// Requests from the player every device buffer due at or before `ms`.
void virtual_run_audio_until(virtual_run& run, uint32_t ms, virtual_buffer_sink sink, void* user);
// One frame at clock reading `ms`: scene, fast-forward step, overlays, grain into work_frame.
void virtual_run_frame(virtual_run& run, uint32_t ms);
// The clock reading of video frame k at `fps` frames a second.
uint32_t virtual_frame_ms(uint64_t k, int fps);
