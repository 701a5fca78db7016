// The list of picture files and the recipe that paints each. Every picture is a pure
// function of this source: random numbers come from seeded generators, curves from
// detmath, so the bytes never change between runs or hosts.
#include "pictures.h"

const picture_recipe picture_recipes[picture_recipe_count] = {
    {"circle32.png", forge_circle32},   {"circle34.png", forge_circle34},
    {"heart.png", forge_heart},         {"trulgun.png", forge_trulgun},
    {"karvazonk.png", forge_karvazonk}, {"garvohunt.png", forge_garvohunt},
    {"towers.png", forge_towers},       {"stara.png", forge_stara},
    {"gringot.png", forge_gringot},     {"veskarra.png", forge_veskarra},
    {"tovvimarmummo.png", forge_tovvimarmummo}, {"luot1.png", forge_luot1},
    {"greetz.png", forge_greetz},       {"noise.png", forge_noise},
    {"whitenoise.png", forge_whitenoise},
};
