// The scene timeline: draws the scene of the current music position into work_frame.
#pragma once
#include <cstdint>

void scene_timeline(int32_t now);
void scene_state_reset_state();   // last_effect_update, launch_toggle, rects_start, last_morph_step
