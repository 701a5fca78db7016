// Timed overlays: the twelve-entry overlay_table and the row dissolve that lays its
// pictures over the finished scene. Owns the table's accumulators and last_overlay_ticks.
#include "demo/overlay.h"

#include <cstdlib>

#include "demo/demo_data.h"
#include "gfx/blend.h"
#include "gfx/frame.h"
#include "host/host.h"
#include "player/position_clock.h"

overlay_entry overlay_table[overlay_entries];

namespace {

// The SDL_GetTicks reading at the end of the previous call; 0 before the first one, so
// the first call's delta is the whole time since start-up.
uint32_t last_overlay_ticks = 0;

struct overlay_row {
    uint32_t start_pos;
    int32_t fade_in_ms;
    uint32_t end_pos;
    int32_t fade_out_ms;
    int picture;   // index into pictures, -1 for the end marker
    int32_t left, top, right, bottom;
};

constexpr overlay_row overlay_rows[overlay_entries] = {
    {100, 200, 148, 1500, pic_gringot, 0, 53, 319, 183},
    {200, 200, 248, 1500, pic_veskarra, 0, 42, 319, 196},
    {260, 500, 300, 1, pic_whitenoise, 0, 0, 319, 239},
    {300, 200, 448, 1500, pic_garvohunt, 0, 83, 93, 239},
    {452, 2000, 500, 500, pic_noise, 0, 0, 319, 239},
    {500, 1500, 700, 1, pic_karvazonk, 215, 18, 319, 239},
    {652, 2000, 700, 500, pic_noise, 0, 0, 319, 239},
    {1000, 1500, 1060, 500, pic_tovvimarmummo, 0, 8, 133, 239},
    {1100, 500, 1132, 1500, pic_tovvimarmummo, 0, 8, 133, 239},
    {1200, 200, 1340, 1, pic_trulgun, 208, 70, 319, 239},
    {1324, 800, 1340, 1, pic_whitenoise, 0, 0, 319, 239},
    {1344, 4400, 1400, 1, pic_noise, 0, 0, 319, 239},
    {0, 0, 0, 0, -1, 0, 0, 319, 239},
};

// Signed 32-bit sum and difference that wrap instead of overflowing.
int32_t wrap_add(int32_t a, uint32_t b)
{
    return static_cast<int32_t>(static_cast<uint32_t>(a) + b);
}
int32_t wrap_sub(int32_t a, int32_t b)
{
    return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}

// Whether row y of an entry shows in this frame; draws the rand values in their fixed
// order: the dissolve in's only while it lasts, the dissolve out's only for a row that
// survived the first. A length of 0 or less has no dissolve (and no division by it).
bool row_shows(const overlay_entry& e)
{
    int32_t d = wrap_sub(e.fade_in_ms, e.since_start_ms);
    if (d > 0 && e.fade_in_ms > 0) {
        int32_t r = std::rand() % e.fade_in_ms;
        if (d > r)
            return false;
    }
    if (e.fade_out_ms > 0) {
        int32_t left = wrap_sub(e.fade_out_ms, e.since_end_ms);
        int32_t r = std::rand() % e.fade_out_ms;
        if (left < r)
            return false;
    }
    return true;
}

} // namespace

void build_overlay_table()
{
    for (int i = 0; i < overlay_entries; i++) {
        const overlay_row& r = overlay_rows[i];
        overlay_entry& e = overlay_table[i];
        e.start_pos = r.start_pos;
        e.fade_in_ms = r.fade_in_ms;
        e.since_start_ms = 0;
        e.end_pos = r.end_pos;
        e.fade_out_ms = r.fade_out_ms;
        e.since_end_ms = 0;
        e.pic = r.picture < 0 ? nullptr : &pictures[r.picture];
        e.left = r.left;
        e.top = r.top;
        e.right = r.right;
        e.bottom = r.bottom;
    }
}

void overlay(uint32_t* frame, overlay_entry* table)
{
    uint32_t t = host_ticks();
    uint32_t delta = t - last_overlay_ticks;
    uint32_t p = static_cast<uint32_t>(music_position());

    for (overlay_entry* e = table; e->pic != nullptr; e++) {
        if (e->start_pos > p)
            continue;
        if (p >= e->end_pos)
            e->since_end_ms = wrap_add(e->since_end_ms, delta);
        e->since_start_ms = wrap_add(e->since_start_ms, delta);
        if (e->fade_out_ms <= e->since_end_ms)
            continue;
        if (e->top > e->bottom)
            continue;

        // The picture is read 320 words a row at the frame's own coordinates; a
        // rectangle reaching outside 0..319 x 0..239 is cut to it, and rows cut away
        // draw no random numbers.
        int32_t top = e->top < 0 ? 0 : e->top;
        int32_t bottom = e->bottom > frame_height - 1 ? frame_height - 1 : e->bottom;
        int32_t left = e->left < 0 ? 0 : e->left;
        int32_t right = e->right > frame_width - 1 ? frame_width - 1 : e->right;
        const uint32_t* src = reinterpret_cast<const uint32_t*>(e->pic->pixels);
        for (int32_t y = top; y <= bottom; y++) {
            if (!row_shows(*e))
                continue;
            int32_t base = y * frame_width;
            for (int32_t x = left; x <= right; x++)
                frame[base + x] = blend_pixel(src[base + x], frame[base + x]);
        }
    }

    last_overlay_ticks = host_ticks();
}

void overlay_reset_state()
{
    last_overlay_ticks = 0;
    for (overlay_entry& e : overlay_table) {
        e.since_start_ms = 0;
        e.since_end_ms = 0;
    }
}
