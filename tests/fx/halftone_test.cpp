// Tests of the halftone: kernel, levels, grid, sampling at the edges, per-channel dots
// and the saturating rim.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "fx/halftone.h"
#include "gfx/frame.h"

namespace {

struct frames {
    std::vector<uint32_t> source = std::vector<uint32_t>(frame_words, 0);
    std::vector<uint32_t> target = std::vector<uint32_t>(frame_words, 0);
    uint32_t& src(int x, int y) { return source[y * frame_width + x]; }
    uint32_t& dst(int x, int y) { return target[y * frame_width + x]; }
    void run(int32_t a) { halftone(target.data(), source.data(), a); }
};

class halftone_test : public ::testing::Test {
protected:
    void SetUp() override { build_dot_kernel(frame_width, frame_height); }
};

int kernel(int dx, int dy) { return halftone_kernel()[(dy + 6) * 12 + dx + 6]; }

TEST_F(halftone_test, kernel_holds_distances_in_units_of_1_over_42_67_pixel)
{
    EXPECT_EQ(kernel(0, 0), 10);
    EXPECT_EQ(kernel(1, 0), 53);
    EXPECT_EQ(kernel(0, -1), 53);
    EXPECT_EQ(kernel(1, 1), 71);
    EXPECT_EQ(kernel(2, 0), 96);
    EXPECT_EQ(kernel(-6, 0), 266);
    EXPECT_EQ(kernel(0, -6), 266);
    EXPECT_EQ(kernel(-6, -1), 270);   // distance 6.08
    EXPECT_EQ(kernel(-6, -6), -1);
    EXPECT_EQ(kernel(5, 5), -1);
    EXPECT_EQ(kernel(-6, 5), -1);
    EXPECT_EQ(kernel(4, 5), 283);     // distance 6.40, the largest present
    EXPECT_EQ(kernel(-6, -2), 280);   // distance 6.32: still within 6.5
    int max = -1, outside = 0;
    for (int i = 0; i < 144; ++i) {
        max = std::max(max, halftone_kernel()[i]);
        outside += halftone_kernel()[i] == -1;
    }
    EXPECT_EQ(max, 283);
    EXPECT_EQ(outside, 17);
}

TEST_F(halftone_test, zero_scale_or_zero_source_draws_nothing)
{
    struct { int32_t a; bool zero_source; } cases[] = {{0, false}, {-5, false}, {INT32_MIN, false},
                                                      {260, true}, {INT32_MAX, true}};
    for (const auto& c : cases) {
        frames f;
        srand(3);
        for (auto& w : f.target) w = static_cast<uint32_t>(rand()) * 2654435761u;
        if (!c.zero_source)
            for (auto& w : f.source) w = 0xFFFFFFFFu;
        const std::vector<uint32_t> before = f.target;
        f.run(c.a);
        EXPECT_EQ(f.target, before) << "a=" << c.a;
    }
}

TEST_F(halftone_test, one_red_sample_draws_a_red_dot_with_a_saturating_rim)
{
    // Only cell (45, 36) samples (45, 36): mean red 255 / 4 = 63, level 63 at a = 256.
    // Core where K < 63 (centre and axis neighbours), rim amounts 207 at K 71 and 54 at
    // K 96; K 106 and beyond draw nothing.
    struct { uint32_t under; uint32_t core, diagonal, two_away; } cases[] = {
        {0x00102030u, 0x00FF2030u, 0x00DF2030u, 0x00462030u},
        {0x00C8C8C8u, 0x00FFC8C8u, 0x00FFC8C8u, 0x00FEC8C8u},   // 200 + 207 caps at 255
        {0xFF000000u, 0xFFFF0000u, 0xFFCF0000u, 0xFF360000u},
    };
    for (const auto& c : cases) {
        frames f;
        f.src(45, 36) = 0x00FF0000u;
        std::fill(f.target.begin(), f.target.end(), c.under);
        f.run(256);
        EXPECT_EQ(f.dst(45, 36), c.core);
        EXPECT_EQ(f.dst(44, 36), c.core);
        EXPECT_EQ(f.dst(45, 37), c.core);
        EXPECT_EQ(f.dst(46, 35), c.diagonal);
        EXPECT_EQ(f.dst(44, 37), c.diagonal);
        EXPECT_EQ(f.dst(47, 36), c.two_away);
        EXPECT_EQ(f.dst(45, 34), c.two_away);
        int changed = 0;
        for (auto w : f.target) changed += w != c.under;
        EXPECT_EQ(changed, 13) << std::hex << c.under;
    }
}

TEST_F(halftone_test, levels_scale_with_a_and_draw_nothing_at_6_or_less)
{
    // Source blue 255 everywhere: level 255 * a >> 8. Up to level 11 only a cell's centre
    // (K 10) is in reach; the axis neighbours (K 53) lie more than 41 units beyond.
    struct { int32_t a; uint32_t centre; } cases[] = {
        {7, 0},          // level 6: no dot
        {8, 0xEDu},      // level 7: rim 3, (42 - 3) * 256 / 42 = 237
        {11, 0xFFu},     // level 10: rim 0, 256 capped at 255
        {12, 0xFFu},     // level 11: core
    };
    for (const auto& c : cases) {
        frames f;
        for (auto& w : f.source) w = 0x000000FFu;
        f.run(c.a);
        int changed = 0;
        for (auto w : f.target) changed += w != 0;
        EXPECT_EQ(f.dst(9, 0), c.centre) << "a=" << c.a;
        EXPECT_EQ(f.dst(13, 9), c.centre) << "a=" << c.a;
        EXPECT_EQ(changed, c.centre == 0 ? 0 : 27 * 36) << "a=" << c.a;
    }
}

TEST_F(halftone_test, cells_lie_on_a_staggered_grid_of_27_rows_of_36)
{
    // Level 11: each cell marks exactly its centre.
    frames f;
    for (auto& w : f.source) w = 0x000000FFu;
    f.run(12);
    for (int y = 0; y < frame_height; ++y)
        for (int x = 0; x < frame_width; ++x) {
            const bool centre = y % 9 == 0 && x % 9 == ((y / 9) % 2 == 0 ? 0 : 4);
            ASSERT_EQ(f.dst(x, y), centre ? 0x000000FFu : 0u) << x << "," << y;
        }
}

TEST_F(halftone_test, edge_cells_sample_only_pixels_inside_the_frame)
{
    // Top-left cell: samples (0, 0) alone; a blue of 255 there gives level 255: the core
    // covers K below 255 and the rim the rest of the in-frame quarter of the kernel,
    // all but its corner (5, 5).
    {
        frames f;
        f.src(0, 0) = 0x000000FFu;
        f.src(319, 239) = 0xFFFFFFFFu;   // would show if the sampling wrapped backward
        f.run(256);
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 12; ++x) {
                uint32_t expected = x <= 5 && y <= 5 ? 0xFFu : 0u;
                if ((x == 5 && y == 3) || (x == 3 && y == 5)) expected = 231;   // K 259
                if ((x == 5 && y == 4) || (x == 4 && y == 5)) expected = 85;    // K 283
                if (x == 5 && y == 5) expected = 0;                             // K -1
                EXPECT_EQ(f.dst(x, y), expected) << x << "," << y;
            }
    }
    // First cell of an odd row, centre (4, 9): samples (4, 3) and (4, 9) only, mean
    // green (200 + 100) / 2 = 150. Level 150 covers distance 3 (K 138) with the core;
    // with four samples the mean would be 75 and distance 3 would stay dark.
    {
        frames f;
        f.src(4, 3) = 0x0000C800u;
        f.src(4, 9) = 0x00006400u;
        f.src(318, 2) = 0x0000FF00u;   // the word before (-2, 3), if it were read
        f.src(318, 8) = 0x0000FF00u;   // the word before (-2, 9)
        f.run(256);
        EXPECT_EQ(f.dst(4, 9), 0x0000FF00u);
        EXPECT_EQ(f.dst(7, 9), 0x0000FF00u);       // K 138
        EXPECT_EQ(f.dst(7, 10), 0x0000FF00u);      // K 145
        EXPECT_EQ(f.dst(7, 11), 0x0000AA00u);      // K 164: rim 14, (42 - 14) * 256 / 42
        EXPECT_EQ(f.dst(1, 9), 0x0000FF00u);
    }
}

TEST_F(halftone_test, full_scale_dots_stay_inside_the_frame)
{
    // A bright source at the largest scale reaches every kernel entry of every cell,
    // including those past the right and bottom edges.
    constexpr uint32_t guard = 0x5A5A5A5Au;
    std::vector<uint32_t> source(frame_words, 0xFFFFFFFFu);
    std::vector<uint32_t> target(3 * frame_words, guard);
    std::fill(target.begin() + frame_words, target.begin() + 2 * frame_words, 0u);
    halftone(target.data() + frame_words, source.data(), 260);
    for (int i = 0; i < frame_words; ++i) {
        ASSERT_EQ(target[i], guard);
        ASSERT_EQ(target[2 * frame_words + i], guard);
    }
    EXPECT_EQ(target[frame_words + 100 * frame_width + 100], 0xFFFFFFFFu);
    // Sizes larger than a frame are held to the frame.
    build_dot_kernel(1000, 1000);
    std::fill(target.begin() + frame_words, target.begin() + 2 * frame_words, 0u);
    halftone(target.data() + frame_words, source.data(), 260);
    for (int i = 0; i < frame_words; ++i) {
        ASSERT_EQ(target[i], guard);
        ASSERT_EQ(target[2 * frame_words + i], guard);
    }
}


}  // namespace
