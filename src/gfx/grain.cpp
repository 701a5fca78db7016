// Screen grain: an occasional darkened column, 10 to 19 darkened dots and one black
// 4x4 speck, all pure functions of the time t (fiftieths of a second). No state.
#include "gfx/grain.h"

#include <cmath>

#include "gfx/frame.h"

namespace {

// Speck patterns, 4 rows of 4, row by row; non-zero marks a pixel of the speck.
constexpr uint8_t speck_a[16] = {0, 1, 0, 0, 0, 1, 1, 0, 1, 1, 1, 1, 0, 1, 1, 0};
constexpr uint8_t speck_b[16] = {0, 0, 0, 0, 0, 0, 1, 0, 0, 1, 1, 0, 1, 0, 0, 0};

// Remainder that is never negative: equal to the truncating one for v >= 0, so the
// positions of every t that occurs in a run are unchanged; other t still stay in range.
int32_t mod_floor(int32_t v, int32_t m)
{
    const int32_t r = v % m;
    return r < 0 ? r + m : r;
}

// Products of t wrap at 32 bits, as they would in plain 32-bit integer arithmetic,
// without relying on signed overflow.
int32_t wrap(uint32_t v) { return static_cast<int32_t>(v); }

}  // namespace

void screen_grain(uint32_t* frame, int32_t t)
{
    const uint32_t ut = static_cast<uint32_t>(t);

    // Line: in the fourth 50-unit period of every 200, except when t is a multiple of 4.
    if (mod_floor(t / 50, 4) == 3 && t % 4 != 0) {
        const float s = sinf(static_cast<float>(t) * 0.05f);
        const int32_t x = static_cast<int32_t>(static_cast<double>(s * 320.0f) + 320.0);
        const int32_t column = mod_floor(x, frame_width);
        for (int32_t row = 0; row < frame_height; ++row) {
            uint32_t& p = frame[row * frame_width + column];
            p = darken(p);
        }
    }

    // Dots.
    const int32_t n = mod_floor(t / 20, 10) + 10;
    for (int32_t i = 0; i < n; ++i) {
        const uint32_t ui = static_cast<uint32_t>(i);
        const int32_t x = mod_floor(wrap(ut * ut + ui * ui + 19u * ui), frame_width);
        const int32_t y = mod_floor(wrap(17u * ut + 10u * ui + static_cast<uint32_t>(x)),
                                    frame_height);
        uint32_t& p = frame[y * frame_width + x];
        p = darken(p);
    }

    // Speck: its offset is reduced into 0 .. 75519 (236 rows), so the 4x4 pattern
    // always lies inside the frame, even where 13 t^2 + 1000 wraps (t >= 12853).
    const uint8_t* pattern = (t % 3 == 0) ? speck_a : speck_b;
    const double base = static_cast<double>(wrap(13u * ut * ut + 1000u));
    // |c| stays below 2^31 + 501, so it fits a 64-bit integer.
    const int64_t c = static_cast<int64_t>(sin(static_cast<double>(t)) * 500.0 + base);
    int64_t o = c % 75520;
    if (o < 0)
        o += 75520;
    for (int32_t r = 0; r < 4; ++r)
        for (int32_t k = 0; k < 4; ++k)
            if (pattern[r * 4 + k] != 0)
                frame[o + frame_width * r + k] = 0;   // darkened 50 times over
}
