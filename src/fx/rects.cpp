// Perspective rectangles and palette wave: the start-up tables (flight path, colour ramp,
// wave), shade_rect, palette_wave and flying_rects. Owns the tables, the working copy of
// the rectangle records and the working grey layer.
#include "fx/rects.h"

#include <cmath>
#include <cstring>

mosaic_rect mosaic_rects[mosaic_rect_count] = {};   // filled from mosaic_rect_table at start-up
int32_t path_x[path_depths] = {};
int32_t path_y[path_depths] = {};
int32_t path_scale[path_depths] = {};               // 16.16
uint32_t colour_ramp[ramp_steps * 256] = {};
uint8_t palette_wave_table[wave_positions] = {};
uint8_t rect_work_layer[layer_bytes] = {};

namespace {

int32_t wrap_mul(int32_t a, int32_t b)
{
    return static_cast<int32_t>(static_cast<uint32_t>(a) * static_cast<uint32_t>(b));
}

int32_t wrap_add(int32_t a, int32_t b)
{
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

// A layer coordinate v (pixels, relative to the centre) scaled by a 16.16 factor and put
// back around the centre. The product wraps in 32 bits (at depths 510 and 511 it does);
// the shift is arithmetic, rounding toward minus infinity.
int32_t perspective(int32_t v, int32_t scale, int32_t centre)
{
    return (wrap_mul(wrap_add(v, -centre), scale) >> 16) + centre;
}

void build_path_tables()
{
    for (int i = 0; i < path_depths; i++) {
        const float angle = static_cast<float>(i * 0.02);
        const float c = cosf(angle);
        const float s = sinf(angle);
        path_x[i] = static_cast<int32_t>(((c * static_cast<float>(i)) * 0.0005f) * static_cast<float>(i));
        path_y[i] = static_cast<int32_t>((static_cast<float>(i * i) * 0.00033333333f) * s);
        path_scale[i] = i <= 511 ? 134217728 / (2048 - 4 * i) : -10000 * 65536;
    }
}

void build_colour_ramp()
{
    for (int n = 0; n < ramp_steps; n++) {
        for (int v = 0; v < 256; v++) {
            const uint32_t red = static_cast<uint32_t>(2 * n + v > 255 ? 255 : 2 * n + v);
            const uint32_t grey = static_cast<uint32_t>(n / 4 + v > 255 ? 255 : n / 4 + v);
            colour_ramp[n * 256 + v] = (red << 16) | (grey << 8) | grey;
        }
    }
}

// A half sine over wave positions 240 onward whose speed varies with the cosine term;
// only positions up to 599 can be non-zero.
void build_palette_wave_table()
{
    for (int k = 0; k < wave_positions; k++) {
        const int m = k - 240 > 0 ? k - 240 : 0;
        const double c = cos(static_cast<double>(static_cast<float>(m) * 0.0090909088f));
        const float angle = static_cast<float>(((c + 0.5) * 0.003125) * m);
        uint8_t step = 0;
        if (angle >= 0 && angle < 3.14159 && k <= 599) {
            step = static_cast<uint8_t>(static_cast<int32_t>(sinf(angle) * 128.0f));
        }
        palette_wave_table[k] = step;
    }
}

}  // namespace

void rects_reset_state()
{
    std::memcpy(mosaic_rects, mosaic_rect_table, sizeof mosaic_rects);
    std::memset(rect_work_layer, 0, sizeof rect_work_layer);
}

void build_effect_tables()
{
    build_path_tables();
    build_colour_ramp();
    build_palette_wave_table();
    rects_reset_state();
}

// Moves the clipped area a quarter of the way toward the shade: v * 3/4 (rounding down)
// plus shade / 4, kept to 8 bits.
void shade_rect(uint8_t* layer, int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t shade)
{
    if (y0 < 0) y0 = 0;
    if (y1 > 239) y1 = 239;
    if (x0 < 0) x0 = 0;
    if (x1 > 319) x1 = 319;
    if (y1 < y0 || x1 < x0) return;
    const int32_t add = shade >> 2;
    for (int32_t y = y0; y <= y1; y++) {
        uint8_t* line = layer + y * 320;
        for (int32_t x = x0; x <= x1; x++) {
            line[x] = static_cast<uint8_t>(((line[x] * 192) >> 8) + add);
        }
    }
}

void palette_wave(uint32_t* target, const uint8_t* layer, int32_t offset)
{
    for (int32_t y = 0; y < 240; y++) {
        // Unsigned sum: a floor modulo 2048 for every offset, negative or near INT32_MAX.
        const uint32_t position = (static_cast<uint32_t>(y) + static_cast<uint32_t>(offset)) & 2047u;
        const uint32_t* ramp = colour_ramp + palette_wave_table[position] * 256;
        const uint8_t* in = layer + y * 320;
        uint32_t* out = target + y * 320;
        for (int x = 0; x < 320; x++) out[x] = ramp[in[x]];
    }
}

// Records arrive in pairs, one pair every 8 ms: depth f = c / 2 + 400 - t / 8. At f <= 0
// a record is stamped into the persistent layer for good and marked landed; at 1..511 it
// is drawn, scaled by path_scale[f] around the centre, onto the working layer only.
void flying_rects(uint32_t* target, uint8_t* layer, int32_t t, int32_t offset)
{
    std::memcpy(rect_work_layer, layer, sizeof rect_work_layer);
    const int32_t elapsed = t / 8;
    for (int32_t c = 0; c < mosaic_rect_count; c++) {
        mosaic_rect& r = mosaic_rects[c];
        if (r.x == rect_landed) continue;
        const int32_t f = c / 2 + 400 - elapsed;
        if (f <= 0) {
            const int32_t x1 = wrap_add(r.x, r.w);
            const int32_t y1 = wrap_add(r.y, r.h);
            shade_rect(layer, r.x, r.y, x1, y1, r.shade);
            shade_rect(rect_work_layer, r.x, r.y, x1, y1, r.shade);
            r.x = rect_landed;
        } else if (f <= 511) {
            const int32_t p = path_scale[f];
            const int32_t left = wrap_add(r.x, path_x[f]);
            const int32_t top = wrap_add(r.y, path_y[f]);
            shade_rect(rect_work_layer,
                       perspective(left, p, 160), perspective(top, p, 120),
                       perspective(wrap_add(left, r.w), p, 160),
                       perspective(wrap_add(top, r.h), p, 120), r.shade);
        }
    }
    palette_wave(target, rect_work_layer, offset);
}
