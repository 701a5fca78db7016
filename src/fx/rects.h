// Perspective rectangles and palette wave over an 8-bit grey layer (320x240 bytes), with
// the path, ramp and wave tables built once at start-up.
// Never allocates; every write stays inside the layer and the target frame.
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

constexpr int path_depths = 2048;
constexpr int ramp_steps = 128;
constexpr int wave_positions = 2048;
constexpr int layer_bytes = 320 * 240;
constexpr int32_t rect_landed = -10000;   // x of a record that has landed

// Flight path by depth f: offsets in pixels and a 16.16 scale 1 / (1 - f / 512) for
// f <= 511, -10000 * 65536 beyond.
extern int32_t path_x[path_depths];
extern int32_t path_y[path_depths];
extern int32_t path_scale[path_depths];
// Entry (n, v) at n * 256 + v: red min(255, 2n + v), green = blue = min(255, n / 4 + v).
extern uint32_t colour_ramp[ramp_steps * 256];
// Ramp step per wave position.
extern uint8_t palette_wave_table[wave_positions];
// The working layer flying_rects draws the rectangles in flight onto.
extern uint8_t rect_work_layer[layer_bytes];

void build_effect_tables();   // also (re)fills mosaic_rects from mosaic_rect_table
void shade_rect(uint8_t* layer, int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t shade);
// Row y uses wave position (y + offset) mod 2048, taken as a floor modulo for any offset,
// negative ones included (the wave simply continues periodically).
void palette_wave(uint32_t* target, const uint8_t* layer, int32_t offset);
void flying_rects(uint32_t* target, uint8_t* layer, int32_t t, int32_t offset);

// Restores mosaic_rects from mosaic_rect_table (no record landed) and clears the working
// layer; build_effect_tables calls it.
void rects_reset_state();
