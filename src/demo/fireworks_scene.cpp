// The fireworks scene: the fireworks run on scene_a, relaunched on rows 0 and 32 of
// each order, with four marks of the luot1 picture appearing one after the other.
#include <cstring>

#include "demo/demo_data.h"
#include "demo/scenes.h"
#include "fx/fireworks.h"
#include "gfx/blend.h"

namespace {

struct fireworks_mark {
    uint32_t from_pos;
    int32_t x, y, w, h;
};

constexpr fireworks_mark fireworks_marks[4] = {
    {304, 224, 173, 74, 68},
    {336, 136, 12, 74, 68},
    {404, 128, 167, 74, 68},
    {436, 237, 73, 74, 68},
};

constexpr int32_t fireworks_count = 25;

} // namespace

void fireworks_scene(uint32_t p, int32_t now)
{
    // The difference is unsigned, so the start value 0 is always long past.
    if (static_cast<uint32_t>(now) - last_effect_update > 15) {
        int32_t launch = 0;
        if (((p % 100) & 31) == 0)
            launch = launch_toggle ^ 1;
        fireworks(scene_a, picture_words(pic_whitenoise), fireworks_count, launch);
        last_effect_update = static_cast<uint32_t>(now);
        launch_toggle = launch;
    }

    std::memcpy(work_frame, scene_a, frame_bytes);

    const uint32_t* luot = picture_words(pic_luot1);
    for (const fireworks_mark& m : fireworks_marks) {
        if (p < m.from_pos)
            continue;
        // Mark 1 reaches row 240; the row past the frame and the picture is not drawn.
        int32_t h = m.h;
        if (m.y + h > frame_height)
            h = frame_height - m.y;
        blend_rect(work_frame, luot, m.x, m.y, m.w, h);
    }
}
