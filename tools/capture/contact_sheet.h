// The contact sheet: one frame of each scene and of each overlay entry from one run of
// the demo, in a grid PNG, each labelled with its music position.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "capture_options.h"
#include "demo/overlay.h"

struct sheet_tile {
    uint32_t position;       // the first frame at or after this position is taken
    std::string label;       // what the tile shows; the frame's position is added
};

// The tiles: each scene at a position chosen to show it well, and each overlay entry at
// the middle of its span (in rows), never after the demo's end position.
std::vector<sheet_tile> sheet_tiles(const overlay_entry* table);
int run_contact_sheet(const capture_options& options);
