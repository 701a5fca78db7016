// The demo's assets and frames, all static and alive for the whole run.
#pragma once
#include <cstdint>

#include "gfx/frame.h"
#include "gfx/picture.h"

constexpr int picture_count = 16;
constexpr int model_data_bytes = 10000;
constexpr int module_data_bytes = 1000000;

// Index into `pictures` by role.
enum picture_index {
    pic_circle32 = 0, pic_circle34 = 1, pic_heart = 2, pic_trulgun = 3, pic_karvazonk = 4,
    pic_garvohunt = 5, pic_towers = 6, pic_stara = 7, pic_gringot = 8, pic_veskarra = 9,
    pic_tovvimarmummo = 10, pic_luot1 = 11, pic_greetz = 12, pic_noise = 13,
    pic_whitenoise = 14, pic_stara_target = 15,
};

extern picture pictures[picture_count];
extern int32_t model_data[model_data_bytes / 4];     // native-order integers of gun.bare
extern uint8_t module_data[module_data_bytes];        // the module image, played in place
extern uint32_t module_size;                          // bytes of the file read into it

extern uint32_t work_frame[frame_words];
extern uint32_t scene_a[frame_words];
extern uint32_t scene_b[frame_words];
extern uint32_t scene_c[frame_words];

// Pixel words of a loaded picture.
inline const uint32_t* picture_words(int index)
{
    return reinterpret_cast<const uint32_t*>(pictures[index].pixels);
}
