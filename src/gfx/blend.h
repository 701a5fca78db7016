// The one alpha-blend rule of the system and its rectangle form over 320-wide arrays.
#pragma once
#include <cstdint>

// Alpha below 8 is transparent, above 250 opaque; in between each channel is
// (cs * a >> 8) + (cd * (255 - a) >> 8), both products truncated on their own, alpha 0.
// Inline, so that the per-pixel loops over pictures (the overlays, blend_rect) pay only
// the alpha test for the transparent words that make up most of a sprite picture.
inline uint32_t blend_pixel(uint32_t source, uint32_t destination)
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
// Blends src onto dst at the same place; the rectangle is clipped to 320x240.
void blend_rect(uint32_t* dst, const uint32_t* src, int32_t x, int32_t y, int32_t w, int32_t h);
