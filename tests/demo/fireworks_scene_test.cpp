// The fireworks scene: update cadence, launch toggling and the four marks.
#include "scene_fixture.h"

namespace {

constexpr uint32_t luot_tag = 0xFF00110Bu;

using fireworks_scene_test = scene_test;

TEST_F(fireworks_scene_test, first_frame_updates_at_once_with_a_launch)
{
    fireworks_scene(300, 5000);
    EXPECT_EQ(last_effect_update, 5000u);
    EXPECT_EQ(launch_toggle, 1);
    EXPECT_TRUE(frames_equal(work_frame, scene_a));
}

TEST_F(fireworks_scene_test, updates_need_more_than_15_ms)
{
    struct {
        int32_t frame_ms;
        int every;   // an update in every n-th frame
    } cases[] = {{10, 2}, {15, 2}, {16, 1}, {5, 4}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.frame_ms);
        SetUp();
        int32_t now = 7000;
        uint32_t last = 0;
        for (int frame = 0; frame < 12; frame++, now += c.frame_ms) {
            fireworks_scene(301, now);
            if (frame % c.every == 0)
                last = static_cast<uint32_t>(now);
            EXPECT_EQ(last_effect_update, last) << "frame " << frame;
        }
    }
}

TEST_F(fireworks_scene_test, launch_alternates_on_rows_0_and_32_only)
{
    // Frames 20 ms apart, so every frame updates; launch_toggle is the launch passed.
    struct {
        uint32_t position;
        int32_t launch;
    } frames[] = {
        {331, 0}, {332, 1}, {332, 0}, {332, 1}, {332, 0}, {332, 1},
        {333, 0}, {333, 0}, {363, 0}, {400, 1}, {400, 0}, {401, 0}, {432, 1},
    };
    int32_t now = 9000;
    for (const auto& f : frames) {
        fireworks_scene(f.position, now);
        EXPECT_EQ(launch_toggle, f.launch) << "position " << f.position << " at " << now;
        now += 20;
    }
}

TEST_F(fireworks_scene_test, launch_keeps_alternating_across_frames_without_update)
{
    fireworks_scene(300, 1000);   // launch 1
    fireworks_scene(300, 1010);   // no update: the toggle stays
    EXPECT_EQ(launch_toggle, 1);
    fireworks_scene(300, 1020);   // launch 0
    EXPECT_EQ(launch_toggle, 0);
}

TEST_F(fireworks_scene_test, marks_appear_by_position)
{
    fill_all(pic_luot1, luot_tag);
    struct mark {
        int x, y, w, h;
    };
    const mark marks[4] = {{224, 173, 74, 68}, {136, 12, 74, 68}, {128, 167, 74, 68},
                           {237, 73, 74, 68}};
    struct {
        uint32_t position;
        int count;
    } cases[] = {{300, 0}, {303, 0}, {304, 1}, {335, 1}, {336, 2}, {403, 2},
                 {404, 3}, {435, 3}, {436, 4}, {499, 4}};
    int32_t now = 3000;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.position);
        fireworks_scene(c.position, now += 20);
        for (int y = 0; y < frame_height; y++) {
            for (int x = 0; x < frame_width; x++) {
                bool inside = false;
                for (int m = 0; m < c.count; m++)
                    inside = inside || (x >= marks[m].x && x < marks[m].x + marks[m].w &&
                                        y >= marks[m].y && y < marks[m].y + marks[m].h);
                uint32_t expected = inside ? luot_tag : at(scene_a, x, y);
                ASSERT_EQ(at(work_frame, x, y), expected) << "x " << x << " y " << y;
            }
        }
    }
    // Mark 1 reaches down to the frame's last row, and (under the address sanitizer)
    // no further: luot1's array is exactly 320x240 words.
    EXPECT_EQ(at(work_frame, 224, 239), luot_tag);
}

} // namespace
