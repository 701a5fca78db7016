// Tests of the alpha-blend rule and blend_rect's clipping.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "gfx/blend.h"
#include "gfx/frame.h"

namespace {

// The rule channel by channel, the plain form the two-lane version must match.
uint32_t plain_blend(uint32_t s, uint32_t d)
{
    const uint32_t a = s >> 24;
    if (a < 8) return d;
    if (a > 250) return s;
    uint32_t out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const uint32_t cs = (s >> shift) & 0xFF, cd = (d >> shift) & 0xFF;
        out |= (((cs * a) >> 8) + ((cd * (255 - a)) >> 8)) << shift;
    }
    return out;
}

TEST(blend_pixel, thresholds_and_truncation)
{
    struct { uint32_t src, dst, expected; } cases[] = {
        {0x07FFFFFFu, 0x12345678u, 0x12345678u},   // alpha 7: transparent
        {0x00000000u, 0xFFFFFFFFu, 0xFFFFFFFFu},
        {0x08FFFFFFu, 0x00000000u, 0x00070707u},   // alpha 8: first blended value
        {0xFAFFFFFFu, 0x00000000u, 0x00F9F9F9u},   // alpha 250: still blended
        {0xFB123456u, 0xFFFFFFFFu, 0xFB123456u},   // alpha 251: copied whole
        {0xFB123456u, 0x00000000u, 0xFB123456u},
        {0xFF000000u, 0x00FFFFFFu, 0xFF000000u},
        {0x80FFFFFFu, 0xFFFFFFFFu, 0x00FDFDFDu},   // white on white never reaches 255
        {0x08000000u, 0x00FFFFFFu, 0x00F6F6F6u},
        {0x80FF0000u, 0xAA0000FFu, 0x007F007Eu},   // destination alpha plays no part
    };
    for (const auto& c : cases)
        EXPECT_EQ(blend_pixel(c.src, c.dst), c.expected) << std::hex << c.src << " over " << c.dst;
}

TEST(blend_pixel, matches_the_per_channel_rule_for_every_alpha)
{
    srand(7);
    for (uint32_t a = 0; a < 256; ++a)
        for (int k = 0; k < 2000; ++k) {
            const uint32_t s = (a << 24) | (static_cast<uint32_t>(rand()) & 0xFFFFFF);
            const uint32_t d = static_cast<uint32_t>(rand()) ^ (static_cast<uint32_t>(rand()) << 16);
            ASSERT_EQ(blend_pixel(s, d), plain_blend(s, d)) << std::hex << s << " " << d;
        }
    // The channel extremes, where a carry between lanes would show.
    for (uint32_t a = 8; a <= 250; ++a)
        for (uint32_t s : {0x00FFFFFFu, 0x00FF00FFu, 0x0000FF00u})
            for (uint32_t d : {0x00FFFFFFu, 0xFF00FF00u, 0x00FF00FFu})
                ASSERT_EQ(blend_pixel((a << 24) | s, d), plain_blend((a << 24) | s, d));
}

// A 320x240 array with a guard of one full frame on either side.
struct guarded {
    static constexpr uint32_t guard = 0xDEADBEEFu;
    std::vector<uint32_t> words = std::vector<uint32_t>(3 * frame_words, guard);
    uint32_t* frame() { return words.data() + frame_words; }
    bool guards_intact() const
    {
        for (int i = 0; i < frame_words; ++i)
            if (words[i] != guard || words[2 * frame_words + i] != guard) return false;
        return true;
    }
};

TEST(blend_rect, blends_only_inside_the_rectangle)
{
    guarded dst, src;
    std::fill(dst.frame(), dst.frame() + frame_words, 0x00000000u);
    std::fill(src.frame(), src.frame() + frame_words, 0x80FFFFFFu);
    blend_rect(dst.frame(), src.frame(), 10, 20, 30, 40);
    for (int y = 0; y < frame_height; ++y)
        for (int x = 0; x < frame_width; ++x) {
            const bool inside = x >= 10 && x < 40 && y >= 20 && y < 60;
            ASSERT_EQ(dst.frame()[y * frame_width + x], inside ? 0x007F7F7Fu : 0u) << x << "," << y;
        }
}

TEST(blend_rect, clips_to_the_frame_and_reads_nothing_outside)
{
    struct { int32_t x, y, w, h; int32_t x0, y0, x1, y1; } cases[] = {
        {224, 173, 74, 68, 224, 173, 298, 240},     // reaches one row past the last
        {-5, -3, 10, 10, 0, 0, 5, 7},
        {300, 230, 100, 100, 300, 230, 320, 240},
        {0, 0, 320, 240, 0, 0, 320, 240},
        {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, 0, 0, 0, 0},
        {-10, 0, INT32_MAX, 1, 0, 0, 320, 1},
        {INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX, 0, 0, 0, 0},
        {319, 239, 5, 5, 319, 239, 320, 240},
        {320, 0, 5, 5, 0, 0, 0, 0},
        {10, 10, 0, 50, 0, 0, 0, 0},
        {10, 10, -5, 50, 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        guarded dst, src;
        std::fill(dst.frame(), dst.frame() + frame_words, 0x00101010u);
        std::fill(src.frame(), src.frame() + frame_words, 0xFF00FF00u);
        // The source guard is opaque: any word read from it would land in the frame.
        std::fill(src.words.begin(), src.words.begin() + frame_words, 0xFF0000FFu);
        std::fill(src.words.begin() + 2 * frame_words, src.words.end(), 0xFF0000FFu);
        blend_rect(dst.frame(), src.frame(), c.x, c.y, c.w, c.h);
        EXPECT_TRUE(dst.guards_intact()) << c.x << " " << c.y << " " << c.w << " " << c.h;
        for (int y = 0; y < frame_height; ++y)
            for (int x = 0; x < frame_width; ++x) {
                const bool inside = x >= c.x0 && x < c.x1 && y >= c.y0 && y < c.y1;
                ASSERT_EQ(dst.frame()[y * frame_width + x], inside ? 0xFF00FF00u : 0x00101010u)
                    << c.x << " " << c.y << " " << c.w << " " << c.h << " at " << x << "," << y;
            }
    }
}

}  // namespace
