// Tests of the screen grain: dots, speck and line positions, and that no t writes
// outside the frame.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <vector>

#include "gfx/frame.h"
#include "gfx/grain.h"

namespace {

struct white_frame {
    std::vector<uint32_t> words = std::vector<uint32_t>(frame_words, 0xFFFFFFFFu);
    uint32_t at(int x, int y) const { return words[y * frame_width + x]; }
};

// Columns in which every row was changed.
std::vector<int> full_columns(const white_frame& f)
{
    std::vector<int> columns;
    for (int x = 0; x < frame_width; ++x) {
        int changed = 0;
        for (int y = 0; y < frame_height; ++y) changed += f.at(x, y) != 0xFFFFFFFFu;
        if (changed == frame_height) columns.push_back(x);
    }
    return columns;
}

TEST(screen_grain, t_zero_draws_ten_dots_and_speck_a_at_row_3_column_40)
{
    white_frame f;
    screen_grain(f.words.data(), 0);
    std::vector<uint32_t> expected(frame_words, 0xFFFFFFFFu);
    const int dots[10][2] = {{0, 0},    {20, 30},  {42, 62},  {66, 96},   {92, 132},
                             {120, 170}, {150, 210}, {182, 12}, {216, 56}, {252, 102}};
    for (const auto& d : dots) expected[d[1] * frame_width + d[0]] = 0x007F7F7Fu;
    const int speck[9][2] = {{1, 0}, {1, 1}, {2, 1}, {0, 2}, {1, 2}, {2, 2}, {3, 2}, {1, 3}, {2, 3}};
    for (const auto& s : speck) expected[(3 + s[1]) * frame_width + 40 + s[0]] = 0;
    for (int i = 0; i < frame_words; ++i)
        ASSERT_EQ(f.words[i], expected[i]) << "pixel " << i % frame_width << "," << i / frame_width;
}

TEST(screen_grain, line_appears_in_the_fourth_period_except_on_multiples_of_4)
{
    struct { int32_t t; int column; } cases[] = {
        {151, 305}, {152, -1}, {199, 159}, {200, -1}, {150, 300}, {149, -1}, {1, -1}, {348, -1},
    };
    for (const auto& c : cases) {
        white_frame f;
        screen_grain(f.words.data(), c.t);
        const std::vector<int> columns = full_columns(f);
        if (c.column < 0) {
            EXPECT_TRUE(columns.empty()) << "t=" << c.t;
            continue;
        }
        ASSERT_EQ(columns, std::vector<int>{c.column}) << "t=" << c.t;
        for (int y = 0; y < frame_height; ++y) {
            const uint32_t v = f.at(c.column, y);
            EXPECT_TRUE(v == 0x007F7F7Fu || v == 0x003F3F3Fu || v == 0) << "t=" << c.t << " row " << y;
        }
    }
}

TEST(screen_grain, white_frame_changes_only_line_dots_and_speck)
{
    // t = 151: the line at column 305, 17 dots off the line, and pattern B (151 mod 3 = 1,
    // four pixels) at offset 70954 (row 221, column 234).
    white_frame f;
    screen_grain(f.words.data(), 151);
    int line = 0, dots = 0;
    for (int y = 0; y < frame_height; ++y)
        for (int x = 0; x < frame_width; ++x) {
            const uint32_t v = f.at(x, y);
            if (v == 0xFFFFFFFFu || v == 0) continue;
            ASSERT_EQ(v, 0x007F7F7Fu) << x << "," << y;
            if (x == 305) ++line;
            else ++dots;
        }
    EXPECT_EQ(line, frame_height);
    EXPECT_EQ(dots, 17);
    EXPECT_EQ(f.at(81, 8), 0x007F7F7Fu);    // dot 0
    EXPECT_EQ(f.at(1, 88), 0x007F7F7Fu);    // dot 16
    const int speck[4][2] = {{236, 222}, {235, 223}, {236, 223}, {234, 224}};
    for (const auto& s : speck) EXPECT_EQ(f.at(s[0], s[1]), 0u) << s[0] << "," << s[1];
    EXPECT_EQ(std::count(f.words.begin(), f.words.end(), 0u), 4);
}

TEST(screen_grain, dot_on_the_line_is_darkened_twice)
{
    // t = 166 draws the line at column 288 and its dot 9 at (288, 80).
    white_frame f;
    screen_grain(f.words.data(), 166);
    EXPECT_EQ(full_columns(f), std::vector<int>{288});
    EXPECT_EQ(f.at(288, 80), 0x003F3F3Fu);
    EXPECT_EQ(f.at(288, 79), 0x007F7F7Fu);
}

TEST(screen_grain, every_t_writes_inside_the_frame)
{
    constexpr uint32_t guard = 0xA5A5A5A5u;
    std::vector<uint32_t> buffer(3 * frame_words, guard);
    uint32_t* frame = buffer.data() + frame_words;
    std::fill(frame, frame + frame_words, 0xFFFFFFFFu);
    const int32_t ts[] = {12852, 12853, 12854, 20000, 46340, 46341, 65536, 100000, 1000000,
                          214748364, INT32_MAX, INT32_MAX - 1, -1, -2, -50, -151, -12853,
                          -46341, INT32_MIN, INT32_MIN + 1};
    for (int32_t t : ts) {
        screen_grain(frame, t);
        for (int i = 0; i < frame_words; ++i) {
            ASSERT_EQ(buffer[i], guard) << "before the frame, t=" << t;
            ASSERT_EQ(buffer[2 * frame_words + i], guard) << "after the frame, t=" << t;
        }
    }
    for (int32_t t = 12000; t < 200000; t += 7) screen_grain(frame, t);
    for (int i = 0; i < frame_words; ++i) {
        ASSERT_EQ(buffer[i], guard);
        ASSERT_EQ(buffer[2 * frame_words + i], guard);
    }
}

TEST(screen_grain, speck_still_drawn_for_t_above_12853)
{
    // The reduced offset still places a whole speck: t = 12855 (mod 3 = 0) draws all 9
    // pixels of pattern A, none lost off either end of the frame.
    for (int32_t t : {12855, 30000, INT32_MAX - 1}) {
        white_frame f;
        screen_grain(f.words.data(), t);
        const int black = static_cast<int>(std::count(f.words.begin(), f.words.end(), 0u));
        EXPECT_EQ(black, t % 3 == 0 ? 9 : 4) << "t=" << t;
    }
}

}  // namespace
