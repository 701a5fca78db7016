// Placeholder timeline: shows the towers picture until the scenes land.
#include "demo/timeline.h"

#include <cstring>

#include "demo/demo_data.h"

void scene_timeline(int32_t)
{
    std::memcpy(work_frame, picture_words(pic_towers), frame_bytes);
}

void scene_state_reset_state() {}
