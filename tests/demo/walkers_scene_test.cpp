// The walkers and closing scenes: update cadence, what is shown, the closing scale.
#include "scene_fixture.h"

namespace {

using walkers_scene_test = scene_test;

TEST_F(walkers_scene_test, walkers_update_in_every_third_10_ms_frame)
{
    // scene_b bright, the heart mask dark: walker 0 draws its first dot at (214, 179).
    for (uint32_t& w : scene_b)
        w = 0x00FFFFFFu;
    int32_t now = 100000;
    uint32_t last = 0;
    for (int frame = 0; frame < 10; frame++, now += 10) {
        draw_scene(1250, now);
        if (frame % 3 == 0)
            last = static_cast<uint32_t>(now);
        EXPECT_EQ(last_effect_update, last) << "frame " << frame;
        EXPECT_TRUE(frames_equal(work_frame, scene_b));
    }
    EXPECT_EQ(at(scene_b, 214, 179), 0u);
}

TEST_F(walkers_scene_test, walkers_update_needs_more_than_25_ms)
{
    struct {
        int32_t frame_ms;
        int every;   // an update in every n-th frame
    } cases[] = {{25, 2}, {26, 1}, {13, 2}, {12, 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.frame_ms);
        SetUp();
        int32_t now = 100000;
        uint32_t last = 0;
        for (int frame = 0; frame < 12; frame++, now += c.frame_ms) {
            draw_scene(1340, now);
            if (frame % c.every == 0)
                last = static_cast<uint32_t>(now);
            EXPECT_EQ(last_effect_update, last) << "frame " << frame;
        }
    }
}

TEST_F(walkers_scene_test, closing_shows_noise_while_walkers_go_on_unseen)
{
    fill_all(pic_noise, 0x0D0D0D0Du);
    for (uint32_t& w : scene_b)
        w = 0x00FFFFFFu;
    draw_scene(1339, 100000);
    EXPECT_TRUE(frames_equal(work_frame, scene_b));
    draw_scene(1340, 100030);
    EXPECT_EQ(last_effect_update, 100030u);
    EXPECT_EQ(at(scene_b, 213, 178), 0u) << "second walkers step";
    EXPECT_TRUE(frame_all(work_frame, 0x0D0D0D0Du)) << "stara is black: no dots";
}

TEST_F(walkers_scene_test, closing_scale_falls_from_260)
{
    struct {
        int32_t e1340, scale;
    } cases[] = {{0, 260}, {1000, 200}, {1571, 129}, {3142, 0}, {5000, 166}};
    for (const auto& c : cases)
        EXPECT_EQ(closing_halftone_scale(c.e1340), c.scale) << c.e1340;
}

TEST_F(walkers_scene_test, closing_lays_stara_over_noise_through_the_halftone)
{
    fill(pic_noise, frame_width, frame_height,
         [](int x, int y) { return static_cast<uint32_t>(x ^ y) * 0x00010101u; });
    fill(pic_stara, frame_width, frame_height,
         [](int x, int y) { return static_cast<uint32_t>((x + 2 * y) & 0xFF) * 0x01010101u; });
    stamp(1340, 50000);
    static uint32_t expected[frame_words];
    for (int32_t now : {50000, 51000, 52500}) {
        SCOPED_TRACE(now);
        closing_scene(now);
        std::memcpy(expected, picture_words(pic_noise), frame_bytes);
        halftone(expected, picture_words(pic_stara), closing_halftone_scale(now - 50000));
        EXPECT_TRUE(frames_equal(work_frame, expected));
    }
}

} // namespace
