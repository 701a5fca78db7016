// The alpha-blend rule of the pixel word 0xAARRGGBB and its rectangle form.
// Alpha below 8 is transparent, above 250 opaque; in between each channel is
// (cs * a >> 8) + (cd * (255 - a) >> 8), both products truncated on their own.
#include "gfx/blend.h"

#include "gfx/frame.h"

uint32_t blend_pixel(uint32_t source, uint32_t destination)
{
    const uint32_t a = source >> 24;
    if (a < 8)
        return destination;
    if (a > 250)
        return source;
    const uint32_t i = 255 - a;
    // Red and blue share one multiplication: each product is below 65536, so the two
    // 16-bit lanes never touch, and the mask after the shift truncates each one alone.
    const uint32_t rb = (((source & 0x00FF00FFu) * a) >> 8 & 0x00FF00FFu) +
                        (((destination & 0x00FF00FFu) * i) >> 8 & 0x00FF00FFu);
    const uint32_t g = (((source & 0x0000FF00u) * a) >> 8 & 0x0000FF00u) +
                       (((destination & 0x0000FF00u) * i) >> 8 & 0x0000FF00u);
    // Each channel sum is at most 253, so nothing carries between channels; alpha is 0.
    return rb + g;
}

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
