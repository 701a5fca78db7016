// The scene timeline: picks the scene by music position and owns the scene state that
// the scenes share; also the first scene, the parallax towers.
#include "demo/timeline.h"

#include <cstring>

#include "demo/demo_data.h"
#include "demo/scenes.h"
#include "player/position_clock.h"

uint32_t last_effect_update = 0;
int32_t launch_toggle = 0;
int32_t rects_start = -1;
int32_t last_morph_step = -1;

void scene_state_reset_state()
{
    last_effect_update = 0;
    launch_toggle = 0;
    rects_start = -1;
    last_morph_step = -1;
}

void draw_scene(uint32_t p, int32_t now)
{
    if (p <= 299) {
        parallax_scene(now);
    } else if (p <= 499) {
        fireworks_scene(p, now);
    } else if (p <= 699) {
        greetings_scene(p, now);
    } else if (p <= 899) {
        rects_scene(now);
    } else if (p <= 999) {
        morph_scene(now);
    } else if (p <= 1199) {
        model_scene(p, now);
    } else {
        walkers_update(now);
        if (p <= 1339)
            walkers_scene();
        else
            closing_scene(now);
    }
}

void scene_timeline(int32_t now)
{
    draw_scene(static_cast<uint32_t>(music_position()), now);
}
