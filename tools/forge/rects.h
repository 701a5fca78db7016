// The portrait's 3000 rectangles for the flying-rectangles effect, fitted greedily to the
// luminance of the stara picture, and the C++ source file that holds them.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "image.h"

struct forge_rect {
    int32_t x, y, w, h;   // covers columns x..x+w and rows y..y+h (inclusive)
    int32_t shade;        // 0..244
};

constexpr int forge_rect_count = 3000;

// Grey level of each pixel of a 320x240 picture: (77 R + 150 G + 29 B) >> 8.
std::vector<uint8_t> luminance(const image& img);

// Stamps one rectangle into a 320x240 grey layer the way the effect lands it: every
// covered byte v becomes ((v * 192) >> 8) + (shade >> 2), clipped to the layer.
void stamp_rect(std::vector<uint8_t>& layer, const forge_rect& r);

// Fits the table to `target` (320x240 grey levels). Rectangles shrink along the table.
std::vector<forge_rect> fit_rects(const std::vector<uint8_t>& target);

// The source file defining mosaic_rect_table, marked as generated in its first lines.
std::string rects_source(const std::vector<forge_rect>& rects);
