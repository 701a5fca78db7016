// The SDL-free part of one frame-loop iteration, shared by the demo, the capture tool and
// the tests: music position and clock, the scene, fast-forward, overlays and grain.
#pragma once
#include <cstdint>

constexpr uint32_t last_position = 1362;   // the frame past this position is the last

struct frame_loop_state {
    int32_t now = 0;               // host clock read once per iteration
    bool quit_after_frame = false;
    bool fast_forward = false;     // on while Space is held
    int32_t last_ff_step = 0;      // now / 10 at the last fast-forward step
};

// Steps 1 to 5: position update, clock reading, the scene into work_frame, end test.
void frame_draw_scene(frame_loop_state& state);
// Step 6: one quarter second of music rendered silently, at most once per 10 ms of `now`;
// holds the audio lock so it never overlaps the device's own callback.
void frame_fast_forward(frame_loop_state& state);
// Steps 8 and 9: overlays and grain over work_frame.
void frame_finish(const frame_loop_state& state);
