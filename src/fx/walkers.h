// Crawling walkers: a branching pattern of diagonal lines confined by a mask picture.
#pragma once
#include <cstdint>
#include "gfx/picture.h"

struct walker {
    int32_t dx;       // horizontal step, -1 or +1
    int32_t dy;       // vertical step, -1 or +1
    int32_t x;        // column
    int32_t y;        // row
    int32_t age;      // steps taken since it was spawned
    int32_t life;     // number of steps it lives
    int32_t active;   // non-zero while the walker exists
};
constexpr int32_t walker_count = 200;

// Advances at most 12 drawing walkers. The mask must be a format-4 picture of at least
// 320x240 pixel words (read with its own row stride); any other mask draws nothing and
// leaves the walkers as they were. Never allocates.
void crawlers(uint32_t* target, const picture* mask);
void crawlers_reset_state();
// The walker table (walker_count entries), for tests that set up a pattern.
walker* crawlers_walkers();
