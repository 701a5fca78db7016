// Flying rectangles and palette wave: the start-up tables, shade_rect's convergence and
// clipping, the wave's rows and offsets, and the flight, landing and wrap of the records.
#include "fx/rects.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <initializer_list>
#include <utility>

#include "gfx/frame.h"

namespace {

constexpr uint8_t guard_byte = 0xA5;
constexpr int guard_bytes = 4096;

// A grey layer with guard zones on both sides, so a write outside the layer shows.
struct guarded_layer {
    uint8_t bytes[guard_bytes + layer_bytes + guard_bytes];
    explicit guarded_layer(uint8_t fill = 0)
    {
        std::memset(bytes, guard_byte, sizeof bytes);
        std::memset(layer(), fill, layer_bytes);
    }
    uint8_t* layer() { return bytes + guard_bytes; }
    uint8_t& at(int x, int y) { return layer()[y * 320 + x]; }
    bool guards_intact() const
    {
        for (int i = 0; i < guard_bytes; i++) {
            if (bytes[i] != guard_byte || bytes[guard_bytes + layer_bytes + i] != guard_byte)
                return false;
        }
        return true;
    }
};

uint32_t grey(uint32_t v) { return (v << 16) | (v << 8) | v; }

uint32_t target[frame_words];

class RectsTest : public ::testing::Test {
protected:
    void SetUp() override { build_effect_tables(); }
};

TEST_F(RectsTest, path_tables_follow_the_spiral_and_the_scale)
{
    const struct { int f; int32_t scale; } scales[] = {
        {0, 65536}, {1, 65664}, {256, 131072}, {510, 16777216}, {511, 33554432},
        {512, -10000 * 65536}, {2047, -10000 * 65536},
    };
    for (const auto& s : scales) EXPECT_EQ(s.scale, path_scale[s.f]) << s.f;

    EXPECT_EQ(0, path_x[0]);
    EXPECT_EQ(0, path_y[0]);
    EXPECT_EQ(-91, path_x[511]);
    EXPECT_EQ(-62, path_y[511]);
    // Against the same spiral in double precision: single precision may differ by one.
    for (int i = 0; i < 512; i++) {
        const double a = i * 0.02;
        EXPECT_NEAR(std::trunc(std::cos(a) * i * 0.0005 * i), path_x[i], 1.0) << i;
        EXPECT_NEAR(std::trunc(i * i / 3000.0 * std::sin(a)), path_y[i], 1.0) << i;
    }
}

TEST_F(RectsTest, colour_ramp_adds_the_step_to_red_and_a_quarter_to_green_and_blue)
{
    const struct { int n, v; uint32_t word; } cases[] = {
        {0, 0, 0x00000000u}, {0, 200, 0x00C8C8C8u}, {45, 100, 0x00BE6F6Fu},
        {127, 0, 0x00FE1F1Fu}, {127, 255, 0x00FFFFFFu}, {3, 255, 0x00FFFFFFu},
        {64, 200, 0x00FFD8D8u},
    };
    for (const auto& c : cases) EXPECT_EQ(c.word, colour_ramp[c.n * 256 + c.v]) << c.n << "," << c.v;
}

TEST_F(RectsTest, wave_table_is_one_hump_from_242_to_469_peaking_45_at_354)
{
    int first = -1, last = -1, peak = 0, peak_at = -1;
    for (int k = 0; k < wave_positions; k++) {
        if (palette_wave_table[k] == 0) continue;
        if (first < 0) first = k;
        last = k;
        if (palette_wave_table[k] > peak) {
            peak = palette_wave_table[k];
            peak_at = k;
        }
    }
    EXPECT_EQ(242, first);
    EXPECT_EQ(469, last);
    EXPECT_EQ(45, peak);
    EXPECT_EQ(354, peak_at);
    for (int k = first; k < peak_at; k++) EXPECT_LE(palette_wave_table[k], palette_wave_table[k + 1]) << k;
    for (int k = peak_at; k < last; k++) EXPECT_GE(palette_wave_table[k], palette_wave_table[k + 1]) << k;
}

TEST(ShadeRect, moves_a_quarter_of_the_way_and_settles_below_the_shade)
{
    const struct {
        int start, shade, after_one, limit;
    } cases[] = {
        {100, 200, 125, 197},
        {197, 200, 197, 197}, {198, 200, 198, 198}, {199, 200, 199, 199}, {200, 200, 200, 200},
        {255, 200, 241, 200},
        {0, 255, 63, 249},
        {255, 255, 254, 252},   // 252 * 3/4 rounds down to 189, + 63: fixed
        {0, 0, 0, 0}, {255, 0, 191, 0},
    };
    for (const auto& c : cases) {
        guarded_layer g(static_cast<uint8_t>(c.start));
        shade_rect(g.layer(), 10, 20, 10, 20, c.shade);
        EXPECT_EQ(c.after_one, g.at(10, 20)) << c.start << " toward " << c.shade;
        int highest = g.at(10, 20);
        for (int i = 0; i < 100; i++) {
            shade_rect(g.layer(), 10, 20, 10, 20, c.shade);
            if (g.at(10, 20) > highest) highest = g.at(10, 20);
        }
        EXPECT_EQ(c.limit, g.at(10, 20)) << c.start << " toward " << c.shade;
        EXPECT_LE(highest, c.shade == 255 ? 254 : 255);
        EXPECT_EQ(c.start, g.at(11, 20));
        EXPECT_EQ(c.start, g.at(10, 21));
    }
}

TEST(ShadeRect, clips_to_the_layer_and_ignores_empty_areas)
{
    const struct {
        const char* name;
        int32_t x0, y0, x1, y1;
        int cx0, cy0, cx1, cy1;   // the area changed; cx0 = -1 for none
    } cases[] = {
        {"inside, ends included", 5, 6, 7, 9, 5, 6, 7, 9},
        {"x1 beyond 319", 300, 10, 400, 12, 300, 10, 319, 12},
        {"y0 above 0", 0, -5, 3, 2, 0, 0, 3, 2},
        {"whole layer and more", INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, 0, 0, 319, 239},
        {"wholly left", -20, 10, -1, 20, -1, 0, 0, 0},
        {"wholly below", 10, 240, 20, 300, -1, 0, 0, 0},
        {"wholly right", 320, 10, 330, 20, -1, 0, 0, 0},
        {"reversed", 20, 10, 10, 20, -1, 0, 0, 0},
    };
    for (const auto& c : cases) {
        guarded_layer g(100);
        shade_rect(g.layer(), c.x0, c.y0, c.x1, c.y1, 200);
        EXPECT_TRUE(g.guards_intact()) << c.name;
        int wrong = 0;
        for (int y = 0; y < 240; y++) {
            for (int x = 0; x < 320; x++) {
                const bool in = c.cx0 >= 0 && x >= c.cx0 && x <= c.cx1 && y >= c.cy0 && y <= c.cy1;
                wrong += g.at(x, y) != (in ? 125 : 100);
            }
        }
        EXPECT_EQ(0, wrong) << c.name;
    }
}

// A layer whose byte at (x, y) is 100 on row 239 and x % 256 elsewhere.
void fill_test_layer(guarded_layer& g)
{
    for (int y = 0; y < 240; y++)
        for (int x = 0; x < 320; x++) g.at(x, y) = static_cast<uint8_t>(y == 239 ? 100 : x % 256);
}

TEST_F(RectsTest, palette_wave_colours_each_row_by_its_wave_position)
{
    guarded_layer g;
    fill_test_layer(g);

    palette_wave(target, g.layer(), 0);   // rows 0..239 all sit on step 0: plain grey
    for (int y = 0; y < 240; y++)
        for (int x = 0; x < 320; x++)
            ASSERT_EQ(grey(g.at(x, y)), target[y * 320 + x]) << x << "," << y;

    palette_wave(target, g.layer(), 115);  // row 239 at position 354, step 45
    EXPECT_EQ(0x00BE6F6Fu, target[239 * 320 + 5]);
    EXPECT_EQ(grey(7), target[126 * 320 + 7]);   // position 241: still step 0
    EXPECT_EQ(colour_ramp[1 * 256 + 7], target[127 * 320 + 7]);   // position 242: step 1
}

TEST_F(RectsTest, palette_wave_offset_wraps_modulo_2048_in_both_directions)
{
    guarded_layer g;
    fill_test_layer(g);
    static uint32_t expect[frame_words];
    const struct { int32_t offset, same_as; } cases[] = {
        {115 + 2048, 115}, {115 + 2048 * 1000, 115}, {115 - 2048, 115},
        {-1, 2047}, {-2048, 0}, {INT32_MIN, 0}, {INT32_MAX, 2047},
    };
    for (const auto& c : cases) {
        palette_wave(expect, g.layer(), c.same_as);
        palette_wave(target, g.layer(), c.offset);
        EXPECT_EQ(0, std::memcmp(expect, target, sizeof target)) << c.offset;
    }
    // Offset 235 puts row 119 on the peak.
    palette_wave(target, g.layer(), 235);
    EXPECT_EQ(colour_ramp[45 * 256 + 5], target[119 * 320 + 5]);
}

// Only the records listed stay in the table; every other one counts as landed.
void keep_only(std::initializer_list<std::pair<int, mosaic_rect>> records)
{
    for (mosaic_rect& r : mosaic_rects) r.x = rect_landed;
    for (const auto& r : records) mosaic_rects[r.first] = r.second;
}

int landed_count()
{
    int n = 0;
    for (const mosaic_rect& r : mosaic_rects) n += r.x == rect_landed;
    return n;
}

TEST_F(RectsTest, table_records_land_in_pairs_every_8_ms)
{
    for (const mosaic_rect& r : mosaic_rect_table) ASSERT_NE(rect_landed, r.x);
    const struct { int32_t t; int landed; } steps[] = {
        {0, 0}, {3199, 0}, {3200, 2}, {3207, 2}, {3208, 4}, {15191, 2998}, {15192, 3000},
    };
    guarded_layer g;
    for (const auto& s : steps) {
        flying_rects(target, g.layer(), s.t, 0);
        EXPECT_EQ(s.landed, landed_count()) << "t = " << s.t;
        for (int c = 0; c < s.landed; c++) ASSERT_EQ(rect_landed, mosaic_rects[c].x) << c;
        EXPECT_TRUE(g.guards_intact());
    }
    // All landed: the target is the layer through the wave, nothing else.
    static uint32_t expect[frame_words];
    palette_wave(expect, g.layer(), 300);
    flying_rects(target, g.layer(), 20000, 300);
    EXPECT_EQ(0, std::memcmp(expect, target, sizeof target));
}

TEST_F(RectsTest, at_t_0_records_up_to_223_fly_and_the_layer_stays_untouched)
{
    guarded_layer g;
    flying_rects(target, g.layer(), 0, 0);
    EXPECT_EQ(0, landed_count());
    for (int i = 0; i < layer_bytes; i++) ASSERT_EQ(0, g.layer()[i]) << i;
}

TEST_F(RectsTest, in_flight_record_is_scaled_around_the_centre_on_the_working_layer_only)
{
    // Record 0 at t = 0 flies at depth 400: path (-11, 52), scale 299593 (about 4.57).
    // Columns 150..160 become (-21..-11) * 4.57 >> 16 + 160, flooring: 64..109;
    // rows 60..70 become (-8..2) * 4.57 >> 16 + 120: 83..129.
    ASSERT_EQ(-11, path_x[400]);
    ASSERT_EQ(52, path_y[400]);
    keep_only({{0, {150, 60, 10, 10, 200}}});
    guarded_layer g;
    flying_rects(target, g.layer(), 0, 0);
    for (int y = 0; y < 240; y++) {
        for (int x = 0; x < 320; x++) {
            const bool in = x >= 64 && x <= 109 && y >= 83 && y <= 129;
            ASSERT_EQ(in ? grey(50) : 0u, target[y * 320 + x]) << x << "," << y;
            ASSERT_EQ(in ? 50 : 0, rect_work_layer[y * 320 + x]);
        }
    }
    for (int i = 0; i < layer_bytes; i++) ASSERT_EQ(0, g.layer()[i]) << i;
    EXPECT_EQ(150, mosaic_rects[0].x);
}

TEST_F(RectsTest, products_wrap_at_depth_511_and_shade_the_whole_frame)
{
    // At depth 511 the scale is 2^25: a coordinate 127 from the centre wraps to -1 and one
    // 130 away to 2, so the rectangle spans far beyond both edges and is clipped to the
    // whole frame. One depth further the record is not drawn at all.
    const mosaic_rect wrapping = {287 - path_x[511], 247 - path_y[511], 3, 3, 200};
    const struct { int record; int32_t t; uint32_t everywhere; } cases[] = {
        {223, 0, grey(50)},   // depth 511
        {224, 0, 0},          // depth 512
        {225, 8, grey(50)},   // 112 + 400 - 1 = 511
    };
    for (const auto& c : cases) {
        keep_only({{c.record, wrapping}});
        guarded_layer g;
        flying_rects(target, g.layer(), c.t, 0);
        EXPECT_TRUE(g.guards_intact());
        int wrong = 0;
        for (int i = 0; i < frame_words; i++) wrong += target[i] != c.everywhere;
        EXPECT_EQ(0, wrong) << "record " << c.record;
    }
}

TEST_F(RectsTest, landed_records_are_stamped_once_and_skipped_when_time_goes_back)
{
    keep_only({{0, {10, 20, 4, 5, 200}}, {1, {100, 20, 0, 0, 100}}, {2, {200, 20, 1, 1, 200}}});
    guarded_layer g;
    flying_rects(target, g.layer(), 3200, 0);
    EXPECT_EQ(rect_landed, mosaic_rects[0].x);
    EXPECT_EQ(rect_landed, mosaic_rects[1].x);
    EXPECT_EQ(200, mosaic_rects[2].x);   // depth 1: still in flight
    EXPECT_EQ(50, g.at(10, 20));
    EXPECT_EQ(50, g.at(14, 25));
    EXPECT_EQ(0, g.at(15, 25));
    EXPECT_EQ(25, g.at(100, 20));
    EXPECT_EQ(0, g.at(200, 20));
    EXPECT_EQ(grey(50), target[20 * 320 + 10]);

    mosaic_rects[2].x = rect_landed;   // only the two landed records are left to skip
    for (int32_t t : {0, 3200, 100000}) {
        flying_rects(target, g.layer(), t, 0);
        EXPECT_EQ(50, g.at(10, 20)) << t;   // not shaded a second time
        EXPECT_EQ(25, g.at(100, 20)) << t;
        EXPECT_EQ(grey(50), target[20 * 320 + 10]) << t;
        EXPECT_EQ(0u, target[100 * 320 + 160]) << t;   // not drawn in flight either
    }
}

TEST_F(RectsTest, build_effect_tables_restores_the_records)
{
    guarded_layer g;
    flying_rects(target, g.layer(), 100000, 0);
    EXPECT_EQ(mosaic_rect_count, landed_count());
    build_effect_tables();
    EXPECT_EQ(0, landed_count());
    EXPECT_EQ(0, std::memcmp(mosaic_rect_table, mosaic_rects, sizeof mosaic_rects));
}

}  // namespace
