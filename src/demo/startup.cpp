// The scene buffers' first contents and the overlay table.
#include "demo/startup.h"

#include <cstring>

#include "demo/demo_data.h"
#include "demo/overlay.h"

void prepare_scenes()
{
    std::memcpy(scene_a, picture_words(pic_whitenoise), frame_bytes);
    std::memcpy(scene_b, picture_words(pic_whitenoise), frame_bytes);
    std::memset(scene_c, 0, frame_bytes);
    build_overlay_table();
}
