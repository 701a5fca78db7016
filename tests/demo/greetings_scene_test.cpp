// The greetings scene: texture offsets, the AND of whole words, greetings by position.
#include "scene_fixture.h"

namespace {

constexpr uint32_t greetz_tag = 0xFF00660Cu;

using greetings_scene_test = scene_test;

// The word of a texture at (x, y): its coordinates, with an alpha byte that the AND cuts.
uint32_t coords(int x, int y) { return 0xC0000000u | static_cast<uint32_t>(y << 12 | x); }

TEST_F(greetings_scene_test, textures_drift_by_their_offsets)
{
    struct {
        int32_t now;
        int bg_x, bg_y, mask_x, mask_y;
    } cases[] = {{0, 8, 8, 4, 8}, {1000, 3, 1, 18, 32}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.now);
        // Background read through an all-but-alpha mask: the frame shows where it came from.
        fill(pic_circle32, 351, 271, coords);
        fill(pic_circle34, 353, 273, [](int, int) { return 0x5FFFFFFFu; });
        greetings_scene(500, c.now);
        for (int y = 0; y < frame_height; y++)
            for (int x = 0; x < frame_width; x++)
                ASSERT_EQ(at(work_frame, x, y), coords(c.bg_x + x, c.bg_y + y) & 0x5FFFFFFFu)
                    << "background x " << x << " y " << y;

        fill(pic_circle32, 351, 271, [](int, int) { return 0xFFFFFFFFu; });
        fill(pic_circle34, 353, 273, coords);
        greetings_scene(500, c.now);
        for (int y = 0; y < frame_height; y++)
            for (int x = 0; x < frame_width; x++)
                ASSERT_EQ(at(work_frame, x, y), coords(c.mask_x + x, c.mask_y + y))
                    << "mask x " << x << " y " << y;
    }
}

TEST_F(greetings_scene_test, a_zero_mask_word_clears_and_a_full_one_keeps)
{
    fill(pic_circle32, 351, 271, [](int, int) { return 0xA5C3E781u; });
    fill(pic_circle34, 353, 273, [](int x, int) { return x % 2 ? 0xFFFFFFFFu : 0u; });
    greetings_scene(500, 0);   // mask offset x 4: even frame columns meet even mask ones
    for (int x = 0; x < frame_width; x++)
        ASSERT_EQ(at(work_frame, x, 7), x % 2 ? 0xA5C3E781u : 0u) << x;
}

TEST_F(greetings_scene_test, greetings_appear_by_position)
{
    struct box {
        int x, y, w;
    };
    const box boxes[15] = {
        {123, 61, 105}, {15, 17, 105},  {15, 127, 105}, {15, 61, 105},  {123, 17, 105},
        {15, 149, 105}, {123, 127, 105}, {123, 39, 105}, {123, 149, 105}, {123, 83, 105},
        {15, 83, 105},  {15, 39, 105},  {123, 105, 105}, {15, 105, 105}, {15, 193, 160},
    };
    struct {
        uint32_t position;
        std::vector<int> shown;
    } cases[] = {
        {599, {}},
        {600, {0}},
        {609, {0, 1, 2, 3, 4, 5}},
        {610, {0, 1, 2, 3, 4, 5, 6}},
        {634, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}},
        {635, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}},
        {699, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}},
    };
    fill_all(pic_greetz, greetz_tag);
    fill(pic_circle32, 351, 271, [](int, int) { return 0xFFFFFFFFu; });
    fill(pic_circle34, 353, 273, [](int, int) { return 0x00000000u; });
    for (const auto& c : cases) {
        SCOPED_TRACE(c.position);
        greetings_scene(c.position, 0);
        int drawn = 0;
        for (int y = 0; y < frame_height; y++) {
            for (int x = 0; x < frame_width; x++) {
                bool inside = false;
                for (int i : c.shown)
                    inside = inside || (x >= boxes[i].x && x < boxes[i].x + boxes[i].w &&
                                        y >= boxes[i].y && y < boxes[i].y + 22);
                ASSERT_EQ(at(work_frame, x, y), inside ? greetz_tag : 0u) << x << "," << y;
                drawn += inside;
            }
        }
        EXPECT_EQ(drawn, static_cast<int>(c.shown.size() * 105 * 22 +
                                          (c.shown.size() == 15 ? 55 * 22 : 0)));
    }
}

} // namespace
