// Perspective rectangles and palette wave over an 8-bit grey layer (320x240 bytes), with
// the path, ramp and wave tables built once at start-up.
#pragma once
#include <cstdint>

struct mosaic_rect {
    int32_t x, y, w, h;   // covers columns x..x+w and rows y..y+h; x = -10000 once landed
    uint8_t shade;
};

constexpr int mosaic_rect_count = 3000;
// The generated table of the portrait's rectangles (mosaic_rects_table.cpp).
extern const mosaic_rect mosaic_rect_table[mosaic_rect_count];
// The working copy that flying_rects marks as landed.
extern mosaic_rect mosaic_rects[mosaic_rect_count];

void build_effect_tables();   // also (re)fills mosaic_rects from mosaic_rect_table
void shade_rect(uint8_t* layer, int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t shade);
void palette_wave(uint32_t* target, const uint8_t* layer, int32_t offset);
void flying_rects(uint32_t* target, uint8_t* layer, int32_t t, int32_t offset);
