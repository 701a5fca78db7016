// The walkers and closing scenes: the walkers grow on scene_b from position 1200 to the
// end; scene_b is shown until 1339, then noise with stara through a shrinking halftone.
#include <cmath>
#include <cstring>

#include "demo/demo_data.h"
#include "demo/scenes.h"
#include "fx/halftone.h"
#include "fx/walkers.h"
#include "player/position_clock.h"

void walkers_update(int32_t now)
{
    // Unsigned difference: the fireworks' last update is long past at position 1200.
    if (static_cast<uint32_t>(now) - last_effect_update > 25) {
        crawlers(scene_b, &pictures[pic_heart]);
        last_effect_update = static_cast<uint32_t>(now);
    }
}

void walkers_scene()
{
    std::memcpy(work_frame, scene_b, frame_bytes);
}

int32_t closing_halftone_scale(int32_t e1340)
{
    // Single precision throughout; cosf + 1 is never negative, so neither is the scale.
    return static_cast<int32_t>((cosf(0.001f * static_cast<float>(e1340)) + 1.0f) * 130.0f);
}

void closing_scene(int32_t now)
{
    std::memcpy(work_frame, picture_words(pic_noise), frame_bytes);
    int32_t e1340 = static_cast<int32_t>(static_cast<uint32_t>(now) -
                                         static_cast<uint32_t>(row_time(1340)));
    halftone(work_frame, picture_words(pic_stara), closing_halftone_scale(e1340));
}
