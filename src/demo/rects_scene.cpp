// The rectangles and morph scenes, which share scene_c: first the flying rectangles
// build a grey layer in it (one byte a pixel, 320x240 bytes), then the coloured layer is
// faded there byte by byte into the second stara picture.
#include <cstring>

#include "demo/demo_data.h"
#include "demo/scenes.h"
#include "fx/rects.h"
#include "player/position_clock.h"

namespace {

constexpr int32_t morph_step_ms = 45;   // a step needs more than this since the last

uint8_t* grey_layer() { return reinterpret_cast<uint8_t*>(scene_c); }

// One step of every byte of the frame toward the target's byte at the same offset.
// Both are native pixel words, so byte k of each is the same channel of the same pixel.
void morph_step(uint32_t* frame, const uint32_t* target)
{
    uint8_t* f = reinterpret_cast<uint8_t*>(frame);
    const uint8_t* t = reinterpret_cast<const uint8_t*>(target);
    for (int32_t i = 0; i < frame_bytes; i++) {
        if (f[i] < t[i])
            f[i]++;
        else if (f[i] > t[i])
            f[i]--;
    }
}

} // namespace

int32_t rects_wave_offset(int32_t now)
{
    int32_t start = row_time(832);
    if (now < start)
        return 0;
    // now >= start, so the unsigned difference is exact and its tenth fits.
    return static_cast<int32_t>((static_cast<uint32_t>(now) - static_cast<uint32_t>(start)) / 10);
}

void rects_scene(int32_t now)
{
    if (rects_start == -1)
        rects_start = now;
    int32_t offset = rects_wave_offset(now);
    int32_t elapsed = static_cast<int32_t>(static_cast<uint32_t>(now) -
                                           static_cast<uint32_t>(rects_start));
    flying_rects(work_frame, grey_layer(), elapsed, offset);
}

void morph_scene(int32_t now)
{
    if (last_morph_step == -1) {
        // Colour the last layer of the rectangles once, with the wave at rest; from here
        // on scene_c holds pixel words.
        palette_wave(scene_a, grey_layer(), 0);
        std::memcpy(scene_c, scene_a, frame_bytes);
        last_morph_step = now;
    } else {
        int32_t since = static_cast<int32_t>(static_cast<uint32_t>(now) -
                                             static_cast<uint32_t>(last_morph_step));
        if (since > morph_step_ms) {
            morph_step(scene_c, picture_words(pic_stara_target));
            last_morph_step = now;
        }
    }
    std::memcpy(work_frame, scene_c, frame_bytes);
}
