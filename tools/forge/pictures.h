// The demo's sixteen pictures (fifteen distinct files), each painted in code.
#pragma once
#include "image.h"

constexpr int screen_width = 320;
constexpr int screen_height = 240;

// Where the walkers start and their first step (up-left): the start must lie inside the
// heart's dark shape.
constexpr int walkers_start_x = 215;
constexpr int walkers_start_y = 180;

image forge_circle32();
image forge_circle34();
image forge_heart();
image forge_trulgun();
image forge_karvazonk();
image forge_garvohunt();
image forge_towers();
image forge_stara();
image forge_gringot();
image forge_veskarra();
image forge_tovvimarmummo();
image forge_luot1();
image forge_greetz();
image forge_noise();
image forge_whitenoise();

struct picture_recipe {
    const char* file_name;
    image (*make)();
};

// The distinct picture files in the order of the demo's picture list (stara.png once).
constexpr int picture_recipe_count = 15;
extern const picture_recipe picture_recipes[picture_recipe_count];
