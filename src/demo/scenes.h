// The scenes of the timeline and the scene state they share between frames.
// Every scene draws the whole of work_frame for one frame; p is the music position
// (compared unsigned) and now the frame's clock reading in signed milliseconds.
// The scenes never allocate; their only failure-free inputs are the loaded pictures,
// whose sizes start-up has checked.
#pragma once
#include <cstdint>

// Scene state kept from frame to frame (start values in timeline.cpp).
extern uint32_t last_effect_update;   // now at the last fireworks or walkers update
extern int32_t launch_toggle;         // launch flag of the last fireworks update
extern int32_t rects_start;           // now at the first rectangles frame, -1 before it
extern int32_t last_morph_step;       // now at the morph set-up or last step, -1 before it

// The dispatcher for an explicit position; scene_timeline passes music_position().
void draw_scene(uint32_t p, int32_t now);

// 0..299: three bands of the towers picture scrolling at three speeds.
void parallax_scene(int32_t now);
// 300..499: fireworks on scene_a with four marks.
void fireworks_scene(uint32_t p, int32_t now);
// 500..699: two drifting textures cut by AND, then the greetings.
void greetings_scene(uint32_t p, int32_t now);
// 700..899: flying rectangles onto the grey layer in scene_c.
void rects_scene(int32_t now);
// 900..999: the coloured layer morphing byte by byte into the second stara picture.
void morph_scene(int32_t now);
// 1000..1199: the model's silhouette over stara, shown through the halftone.
void model_scene(uint32_t p, int32_t now);
// 1200 on: one walkers step on scene_b at most every 26 ms, shown or not.
void walkers_update(int32_t now);
// 1200..1339: scene_b as it is.
void walkers_scene();
// 1340 on: the noise picture with stara through a shrinking halftone.
void closing_scene(int32_t now);

// The timing rules of the scenes, as used by them.
// Wave offset of the rectangles: one step per 10 ms since position 832, 0 before it.
int32_t rects_wave_offset(int32_t now);
// The model's shift along y and z for position p and the times since 1000, 1100, 1148.
void model_translation(uint32_t p, int32_t e1000, int32_t e1100, int32_t e1148,
                       float* y, float* z);
// Halftone scale of the model scene.
int32_t model_halftone_scale(uint32_t p, int32_t e1000);
// Columns of whitenoise slid in at e1148 ms after position 1148: 0..320.
int32_t whitenoise_columns(int32_t e1148);
// Halftone scale of the closing scene: 260 at position 1340, following the cosine.
int32_t closing_halftone_scale(int32_t e1340);
