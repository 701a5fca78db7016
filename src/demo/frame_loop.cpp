// One frame-loop iteration without SDL: everything that produces work_frame.
#include "demo/frame_loop.h"

#include "demo/demo_data.h"
#include "demo/overlay.h"
#include "demo/timeline.h"
#include "gfx/grain.h"
#include "host/host.h"
#include "player/player_control.h"
#include "player/position_clock.h"

void frame_draw_scene(frame_loop_state& state)
{
    update_music_position();
    state.now = int32_t(host_ticks());
    scene_timeline(state.now);
    state.quit_after_frame = uint32_t(music_position()) > last_position;
}

void frame_fast_forward(frame_loop_state& state)
{
    if (!state.fast_forward || state.now / 10 == state.last_ff_step)
        return;
    host_lock_audio();
    audio_fill(nullptr, nullptr, 44100);
    host_unlock_audio();
    state.last_ff_step = state.now / 10;
}

void frame_finish(const frame_loop_state& state)
{
    overlay(work_frame, overlay_table);
    screen_grain(work_frame, state.now / 20);
}
