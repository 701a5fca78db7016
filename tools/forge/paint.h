// Small painting helpers shared by the picture recipes.
#pragma once
#include <algorithm>
#include <cstdint>
#include <vector>

#include "image.h"

inline rgba col(float r, float g, float b, float a = 255.0f) { return {r, g, b, a}; }
inline float clamp01(float v) { return v < 0 ? 0 : (v > 1 ? 1 : v); }
inline float smooth(float e0, float e1, float x)
{
    float t = clamp01((x - e0) / (e1 - e0));
    return t * t * (3 - 2 * t);
}
inline rgba scaled(rgba c, float k) { return {c.r * k, c.g * k, c.b * k, c.a}; }

// A well-mixed 32-bit hash of a cell position: procedural randomness that depends only on
// where it is asked for, so periodic patterns stay periodic.
inline uint32_t cell_hash(int32_t x, int32_t y, uint32_t seed)
{
    uint32_t h = uint32_t(x) * 0x8DA6B343u ^ uint32_t(y) * 0xD8163841u ^ seed * 0xCB1AB31Fu;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return h;
}
inline float cell_unit(int32_t x, int32_t y, uint32_t seed)
{
    return float(cell_hash(x, y, seed) >> 8) * (1.0f / 16777216.0f);
}

struct box_rect {
    int x0, y0, x1, y1;   // inclusive
};

// Clears every pixel outside the given rectangles to transparent black, so a sprite
// never shows anything where the demo does not expect it.
void keep_only(image& img, const std::vector<box_rect>& rects);

// Lettering with a soft dark shadow and a vertical gradient from `top` to `bottom`.
void lettering(image& img, const char* text, float cx, float y, float sx, float sy, rgba top,
               rgba bottom, float slant = 0.0f);

// Rounded rectangle into a mask.
void mask_round_rect(mask& m, float x0, float y0, float x1, float y1, float r);

// Coverage of m minus coverage of cut, clamped at 0.
void mask_subtract(mask& m, const mask& cut);
