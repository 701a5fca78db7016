// The demo played offline on the virtual clock. The audio device is modelled exactly:
// 4096-frame buffers, each pre-filled with silence and handed to the callback that the
// player opened, each heard from the moment it is requested, so buffer j is requested at
// j * 4096 / 44100 s after the player started. Video frames are drawn at a fixed rate with
// the frame loop's SDL-free steps; frame k reads the clock k * 1000 / fps ms (rounded
// down). Every buffer due at or before a frame's time is rendered before that frame.
#pragma once
#include <cstdint>
#include <string>

#include "demo/virtual_run.h"
#include "wav_file.h"

constexpr int device_buffer_frames = virtual_device_frames;
constexpr int device_rate = virtual_device_rate;

// Keeps the rendered sound and writes the part inside [begin, end) (44100 Hz frames) to
// a WAV. Until `begin` is known the last two buffers are kept.
struct audio_tape {
    wav_writer* wav = nullptr;      // null: the sound is rendered but not kept
    bool begin_known = false;
    uint64_t begin = 0, end = UINT64_MAX;
    uint64_t rendered = 0;          // frames rendered since the start
    uint64_t kept_start = 0;        // frame index of kept[0]
    int16_t kept[2 * device_buffer_frames * 2] = {};
    uint64_t kept_frames = 0;
};

struct demo_session {
    int fps = 60;
    virtual_run run;           // frame-loop state and the device's buffer count
    audio_tape tape;
};

// Loads the data from `dir` and runs the demo's start-up on the virtual host. The program
// state must be fresh (a new process). 0, or -1 with `error` set.
int demo_start(demo_session& session, const char* dir, std::string& error);
// The clock reading of video frame k.
uint32_t frame_time_ms(uint64_t k, int fps);
// The first 44100 Hz sample frame of video frame k.
uint64_t frame_first_sample(uint64_t k, int fps);
// Requests every buffer due at or before `ms` from the device callback.
int demo_audio_until(demo_session& session, uint32_t ms, std::string& error);
// Draws one frame at clock reading `ms` into work_frame (scene, overlays, grain).
void demo_draw_frame(demo_session& session, uint32_t ms);
// Starts the WAV at sample frame `begin` (no earlier than two buffers back).
int tape_begin(audio_tape& tape, uint64_t begin, std::string& error);
// Renders what is still missing up to sample frame `end` and closes the WAV.
int tape_finish(demo_session& session, uint64_t end, std::string& error);
