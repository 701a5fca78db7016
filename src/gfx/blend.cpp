// The rectangle form of the alpha-blend rule (the rule itself is inline in blend.h).
#include "gfx/blend.h"

#include "gfx/frame.h"

void blend_rect(uint32_t* dst, const uint32_t* src, int32_t x, int32_t y, int32_t w, int32_t h)
{
    // Clip to the 320x240 arrays in 64 bits, so extreme arguments cannot overflow.
    int64_t left = x, top = y;
    int64_t right = left + w, bottom = top + h;   // exclusive
    if (left < 0) left = 0;
    if (top < 0) top = 0;
    if (right > frame_width) right = frame_width;
    if (bottom > frame_height) bottom = frame_height;
    if (left >= right || top >= bottom)
        return;

    for (int32_t row = static_cast<int32_t>(top); row < bottom; ++row) {
        const int32_t base = row * frame_width;
        for (int32_t col = static_cast<int32_t>(left); col < right; ++col) {
            const uint32_t s = src[base + col];
            if (s < 0x08000000u)   // alpha below 8: the common transparent word
                continue;
            dst[base + col] = blend_pixel(s, dst[base + col]);
        }
    }
}
