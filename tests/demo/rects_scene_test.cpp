// The rectangles and morph scenes: the wave offset from position 832, the flight time
// from the scene's first frame, the one-time colouring and the byte-wise morph.
#include "scene_fixture.h"

#include <algorithm>

namespace {

using rects_scene_test = scene_test;

TEST_F(rects_scene_test, wave_offset_counts_tens_of_ms_from_position_832)
{
    EXPECT_EQ(rects_wave_offset(50000), 0) << "832 not stamped: row_time lies ahead";
    stamp(832, 50000);
    ASSERT_EQ(row_time(832), 50000);
    struct {
        int32_t now, offset;
    } cases[] = {{0, 0}, {49999, 0}, {50000, 0}, {50009, 0}, {50010, 1}, {50125, 12},
                 {INT32_MAX, 214743364}};
    for (const auto& c : cases)
        EXPECT_EQ(rects_wave_offset(c.now), c.offset) << c.now;
}

TEST_F(rects_scene_test, rectangles_fly_from_the_first_frame_with_the_wave_offset)
{
    stamp(832, 40000);
    std::vector<uint8_t> layer(reinterpret_cast<uint8_t*>(scene_c),
                               reinterpret_cast<uint8_t*>(scene_c) + 76800);
    static uint32_t expected[frame_words];
    struct {
        int32_t now, elapsed, offset;
    } frames[] = {{41000, 0, 100}, {41100, 100, 110}, {43000, 2000, 300}};
    for (const auto& f : frames) {
        SCOPED_TRACE(f.now);
        rects_scene(f.now);
        EXPECT_EQ(rects_start, 41000);
        // No rectangle lands before 3200 ms, so the effect's own state stays as it was.
        flying_rects(expected, layer.data(), f.elapsed, f.offset);
        EXPECT_TRUE(frames_equal(work_frame, expected));
        EXPECT_EQ(std::memcmp(scene_c, layer.data(), layer.size()), 0);
    }
}

class morph_scene_test : public scene_test {
protected:
    void SetUp() override
    {
        scene_test::SetUp();
        std::fill_n(reinterpret_cast<uint8_t*>(scene_c), 76800, uint8_t{0x40});   // the grey layer the rectangles left
    }
};

TEST_F(morph_scene_test, first_frame_colours_the_layer_once)
{
    morph_scene(60000);
    EXPECT_EQ(last_morph_step, 60000);
    // Wave at rest: grey 0x40 in red, green and blue, alpha 0.
    EXPECT_TRUE(frame_all(scene_a, 0x00404040u));
    EXPECT_TRUE(frame_all(scene_c, 0x00404040u));
    EXPECT_TRUE(frame_all(work_frame, 0x00404040u));
}

TEST_F(morph_scene_test, a_step_needs_more_than_45_ms)
{
    fill_all(pic_stara_target, 0xFFFFFFFFu);
    struct {
        int32_t now;
        uint32_t shown;
        int32_t last_step;
    } frames[] = {
        {60000, 0x00404040u, 60000}, {60020, 0x00404040u, 60000},
        {60045, 0x00404040u, 60000}, {60046, 0x01414141u, 60046},
        {60060, 0x01414141u, 60046}, {60092, 0x02424242u, 60092},
    };
    for (const auto& f : frames) {
        SCOPED_TRACE(f.now);
        morph_scene(f.now);
        EXPECT_EQ(last_morph_step, f.last_step);
        EXPECT_TRUE(frame_all(work_frame, f.shown));
        EXPECT_TRUE(frames_equal(scene_c, work_frame));
    }
}

TEST_F(morph_scene_test, every_byte_moves_one_step_toward_the_target)
{
    // Per byte: raised, lowered, kept, raised; alpha included.
    fill_all(pic_stara_target, 0xFF007F20u);
    struct {
        int steps;
        uint32_t word;
    } cases[] = {{0, 0x00FF7F10u}, {1, 0x01FE7F11u}, {10, 0x0AF57F1Au}, {16, 0x10EF7F20u},
                 {20, 0x14EB7F20u}};
    morph_scene(60000);
    for (uint32_t& w : scene_c)
        w = 0x00FF7F10u;
    int32_t now = 60000;
    int done = 0;
    for (const auto& c : cases) {
        for (; done < c.steps; done++)
            morph_scene(now += 46);
        EXPECT_TRUE(frame_all(scene_c, c.word)) << c.steps << " steps";
    }
}

} // namespace
