// The scene buffers' first contents and the overlay table.
#include "demo/startup.h"

#include <cstring>

#include "demo/demo_data.h"
#include "demo/overlay.h"
#include "player/module_loader.h"
#include "player/player_control.h"
#include "player/position_clock.h"
#include "player/silent_module.h"

void prepare_scenes()
{
    std::memcpy(scene_a, picture_words(pic_whitenoise), frame_bytes);
    std::memcpy(scene_b, picture_words(pic_whitenoise), frame_bytes);
    std::memset(scene_c, 0, frame_bytes);
    build_overlay_table();
}

const char* start_music_and_scenes()
{
    const char* refused = nullptr;
    if (!player_load(module_data, module_size, sizeof module_data)) {
        refused = pt_error;
        module_size = build_silent_module(module_data, sizeof module_data);
        player_load(module_data, module_size, sizeof module_data);
    }
    prepare_scenes();
    player_start(50);
    update_music_position();
    return refused;
}
