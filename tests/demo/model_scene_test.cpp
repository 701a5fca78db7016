// The model scene: the shift per position range, the halftone scale and the
// whitenoise slide-in.
#include "scene_fixture.h"

#include <algorithm>
#include <cmath>

namespace {

using model_scene_test = scene_test;

TEST_F(model_scene_test, model_shift_follows_the_position_ranges)
{
    struct {
        uint32_t p;
        int32_t e1000, e1100, e1148;
        float y, z, tolerance;
    } cases[] = {
        {1000, 0, 0, 0, -10.3f, -20.0f, 0.0f},
        {1010, 250, 0, 0, -7.8f, -20.0f, 0.0f},
        {1010, 1500, 0, 0, -0.3f, -20.0f, 0.0f},
        {1031, 999, 0, 0, -0.31f, -20.0f, 0.0f},
        {1032, 250, 0, 0, -0.3f, -20.0f, 0.0f},
        {1120, 0, 0, 0, -0.3f, -20.0f, 0.0f},
        {1120, 0, 78, 0, 2.61f, -20.0f, 0.005f},
        {1120, 0, 2000, 0, -0.3f, -20.0f, 0.0f},
        {1147, 0, 1995, 0, -0.3f, -20.0f, 0.0f},   // A just below zero
        {1148, 0, 1000, 0, -0.3f, -9.0f, 0.0f},
        {1148, 0, 1500, 1000, -10.3f, -10.0f, 0.0f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.p << " " << c.e1000 << " " << c.e1100 << " " << c.e1148);
        float y = 0, z = 0;
        model_translation(c.p, c.e1000, c.e1100, c.e1148, &y, &z);
        if (c.tolerance == 0.0f)
            EXPECT_EQ(y, c.y);
        else
            EXPECT_NEAR(y, c.y, c.tolerance);
        EXPECT_EQ(z, c.z);
    }
}

TEST_F(model_scene_test, bounce_amplitude_dies_out)
{
    // A = 4 (1 + e/1000)^-4 - 0.05 reaches 0 about 1.99 s after 1100: the swing about
    // -0.3 shrinks, and is gone from then on.
    float peak_early = 0, peak_late = 0;
    for (int32_t e = 0; e < 3000; e++) {
        float y, z;
        model_translation(1120, 0, e, 0, &y, &z);
        float swing = std::fabs(y + 0.3f);
        if (e < 200) {
            peak_early = std::max(peak_early, swing);
        } else if (e >= 1000 && e < 1200) {
            peak_late = std::max(peak_late, swing);
        } else if (e >= 2000) {
            ASSERT_EQ(y, -0.3f) << e;
        }
    }
    // The first crest, near 78 ms, under the starting amplitude of 3.95.
    EXPECT_GT(peak_early, 2.9f);
    EXPECT_LT(peak_early, 3.95f);
    EXPECT_LT(peak_late, 0.3f);
    EXPECT_GT(peak_late, 0.0f);
}

TEST_F(model_scene_test, bounce_keeps_its_mix_of_single_and_double_precision)
{
    // Worked out apart from this code with the bounce's roundings (power, sine and
    // product in single, the two subtractions and the sine's argument in double).
    // Doing it all in single precision moves the last bit at each of these times.
    struct {
        int32_t e1100;
        float y;
    } cases[] = {{150, 0x1.01054cp-6f}, {333, 0x1.2ea0eep-3f}, {777, -0x1.ee2ca2p-3f},
                 {1234, -0x1.64bcf0p-2f}};
    for (const auto& c : cases) {
        float y, z;
        model_translation(1120, 0, c.e1100, 0, &y, &z);
        EXPECT_EQ(y, c.y) << c.e1100;
    }
}

TEST_F(model_scene_test, halftone_scale_swings_around_130)
{
    struct {
        uint32_t p;
        int32_t e1000, scale;
    } cases[] = {{1000, 0, 230}, {1099, 0, 230}, {1100, 0, 250}, {1199, 0, 250},
                 {1050, 1000, 88}, {1100, 1000, 80}};
    for (const auto& c : cases)
        EXPECT_EQ(model_halftone_scale(c.p, c.e1000), c.scale) << c.p << " " << c.e1000;
}

TEST_F(model_scene_test, halftone_shows_stara_at_the_scale_of_the_moment)
{
    fill(pic_stara, frame_width, frame_height,
         [](int x, int y) { return static_cast<uint32_t>((x * 7 + y * 3) & 0xFF) * 0x01010101u; });
    stamp(1000, 20000);
    static uint32_t expected[frame_words];
    for (int32_t now : {20000, 21000}) {
        SCOPED_TRACE(now);
        model_scene(1010, now);
        // The model holds no triangle here, so stara stays as it is.
        EXPECT_TRUE(frames_equal(scene_a, picture_words(pic_stara)));
        std::memset(expected, 0, frame_bytes);
        halftone(expected, picture_words(pic_stara), model_halftone_scale(1010, now - 20000));
        EXPECT_TRUE(frames_equal(work_frame, expected));
    }
}

TEST_F(model_scene_test, whitenoise_slides_in_from_the_left)
{
    fill(pic_whitenoise, frame_width, frame_height,
         [](int x, int y) { return 0xEE000000u | static_cast<uint32_t>(y << 12 | x); });
    stamp(1000, 10000);
    stamp(1100, 20000);
    stamp(1148, 30000);
    struct {
        int32_t now;
        int columns;
    } cases[] = {{29000, 0}, {30000, 0}, {30004, 0}, {30005, 1}, {30800, 160}, {31600, 320},
                 {40000, 320}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.now);
        model_scene(1148, c.now);
        for (int y = 0; y < frame_height; y++) {
            for (int x = 0; x < frame_width; x++) {
                uint32_t expected = x < c.columns
                                        ? 0xEE000000u | static_cast<uint32_t>(y << 12 | (320 - c.columns + x))
                                        : 0u;
                ASSERT_EQ(at(work_frame, x, y), expected) << x << "," << y;
            }
        }
    }
}

TEST_F(model_scene_test, whitenoise_columns_clamp_to_the_frame)
{
    struct {
        int32_t e1148, columns;
    } cases[] = {{INT32_MIN, 0}, {-9999999, 0}, {-5, 0}, {0, 0}, {4, 0}, {5, 1},
                 {800, 160}, {1600, 320}, {1604, 320}, {INT32_MAX, 320}};
    for (const auto& c : cases)
        EXPECT_EQ(whitenoise_columns(c.e1148), c.columns) << c.e1148;
}

} // namespace
