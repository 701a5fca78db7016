// Timed overlays: pictures laid over the finished scene during spans of music positions,
// dissolving in and out by randomly chosen whole rows.
#pragma once
#include <cstdint>

#include "gfx/picture.h"

struct overlay_entry {
    uint32_t start_pos;
    int32_t fade_in_ms;
    int32_t since_start_ms;
    uint32_t end_pos;
    int32_t fade_out_ms;
    int32_t since_end_ms;
    const picture* pic;        // null ends the table
    int32_t left, top, right, bottom;
};

constexpr int overlay_entries = 13;   // twelve overlays and the end marker
extern overlay_entry overlay_table[overlay_entries];

void build_overlay_table();            // after the pictures are loaded
void overlay(uint32_t* frame, overlay_entry* table);
void overlay_reset_state();            // last_overlay_ticks and the accumulators
