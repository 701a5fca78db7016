// The greetings scene: a background texture ANDed with a mask texture, each drifting on
// a slow sine path, and fifteen greetings revealed by music position. Keeps no state.
#include <cmath>

#include "demo/demo_data.h"
#include "demo/scenes.h"
#include "gfx/blend.h"

namespace {

struct greeting_entry {
    int32_t x, y, start_pos;
};

constexpr greeting_entry greetings_table[15] = {
    {123, 61, 600}, {15, 17, 602},   {15, 127, 603}, {15, 61, 604},  {123, 17, 606},
    {15, 149, 609}, {123, 127, 610}, {123, 39, 616}, {123, 149, 617}, {123, 83, 620},
    {15, 83, 630},  {15, 39, 631},   {123, 105, 632}, {15, 105, 633}, {15, 193, 635},
};

constexpr int32_t greeting_height = 22;

// Single-precision 1/1500 and 1/1400: the periods of the drift in ms per radian.
constexpr float over_1500 = 0.00066666666f;
constexpr float over_1400 = 0.0007142857f;

} // namespace

void greetings_scene(uint32_t p, int32_t now)
{
    const picture& bg = pictures[pic_circle32];
    const picture& mask = pictures[pic_circle34];
    const uint32_t* bg_words = picture_words(pic_circle32);
    const uint32_t* mask_words = picture_words(pic_circle34);

    // Background offset 0..31: every value below is a single-precision float; the sums
    // lie between 958 and 1042, so the remainder is never negative.
    float f = static_cast<float>(now);
    int32_t bg_y = static_cast<int32_t>(1000.0f + 32.0f * cosf(f * over_1500)) % 32;
    int32_t bg_x = static_cast<int32_t>(1000.0f + 42.0f * sinf(f * over_1400)) % 32;
    for (int32_t y = 0; y < frame_height; y++) {
        const uint32_t* src = bg_words + (bg_y + y) * bg.width + bg_x;
        uint32_t* dst = work_frame + y * frame_width;
        for (int32_t x = 0; x < frame_width; x++)
            dst[x] = src[x];
    }

    // Mask offset 0..33: the angle is formed in double and rounded to single, the rest
    // is single precision; the arguments bend with a period of 2000 * 2 pi ms.
    float a = static_cast<float>(now * 0.0005);
    float s, c;
    sincosf(a, &s, &c);
    float g = static_cast<float>(static_cast<int32_t>(static_cast<uint32_t>(now) + 500u));
    float u = sinf((g + 500.0f * c) * over_1500);
    float v = cosf((g - 500.0f * s) * over_1400);
    int32_t mask_y = static_cast<int32_t>(1000.0f + 30.0f * v) % 34;
    int32_t mask_x = static_cast<int32_t>(1000.0f + 40.0f * u) % 34;
    for (int32_t y = 0; y < frame_height; y++) {
        const uint32_t* src = mask_words + (mask_y + y) * mask.width + mask_x;
        uint32_t* dst = work_frame + y * frame_width;
        for (int32_t x = 0; x < frame_width; x++)
            dst[x] &= src[x];
    }

    const uint32_t* greetz = picture_words(pic_greetz);
    for (int i = 0; i < 15; i++) {
        const greeting_entry& e = greetings_table[i];
        if (p < static_cast<uint32_t>(e.start_pos))
            continue;
        int32_t w = i == 14 ? 160 : 105;
        blend_rect(work_frame, greetz, e.x, e.y, w, greeting_height);
    }
}
