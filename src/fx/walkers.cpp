// Crawling walkers: up to 200 walkers step diagonally over a target frame, painting the
// mask picture's colour with plot_glow and branching at right angles at one third, two
// thirds and the end of their life. Owns the walker table and the first-call flag.
#include "fx/walkers.h"

#include <cstdlib>

#include "fx/fireworks.h"
#include "gfx/frame.h"

namespace {

struct walkers_state {
    walker walkers[walker_count] = {};
    bool crawlers_start_pending = true;
};
walkers_state state;

constexpr int32_t walkers_per_call = 12;

// Puts a new walker into the free slot with the lowest index; a full table spawns
// nothing and draws no random number.
void spawn(int32_t x, int32_t y, int32_t dx, int32_t dy)
{
    for (walker& w : state.walkers) {
        if (w.active != 0)
            continue;
        w.dx = dx;
        w.dy = dy;
        w.x = x;
        w.y = y;
        w.age = 0;
        w.life = rand() % 10 + 13;   // 13 .. 22 steps
        w.active = 1;
        return;
    }
}

}  // namespace

void crawlers(uint32_t* target, const picture* mask)
{
    // The mask is read as pixel words over the whole 320x240 frame area.
    if (mask == nullptr || mask->pixels == nullptr || mask->format != 4 ||
        mask->width < frame_width || mask->height < frame_height)
        return;
    const uint32_t* mask_words = reinterpret_cast<const uint32_t*>(mask->pixels);
    const int32_t stride = mask->width;

    if (state.crawlers_start_pending) {
        for (walker& w : state.walkers) w = walker{};
        state.walkers[0] = walker{-1, -1, 215, 180, 0, 60, 1};
        state.crawlers_start_pending = false;
    }

    int32_t drawn = 0;
    for (walker& w : state.walkers) {
        if (w.active == 0)
            continue;
        // A walker dies before it steps where plot_glow's neighbours or its next step
        // would leave the frame: it must stay in columns 1 .. 318 and rows 1 .. 238.
        const int32_t x = w.x + w.dx, y = w.y + w.dy;
        if (x < 1 || x > frame_width - 2 || y < 1 || y > frame_height - 2) {
            w.active = 0;
            continue;
        }
        w.x = x;
        w.y = y;
        const int32_t i = y * frame_width + x;

        const uint32_t m = mask_words[y * stride + x];
        if ((m & 0x808080u) == 0x808080u) {   // bright mask: the shape's edge
            w.active = 0;
            continue;
        }
        if ((target[i] & 0x8080u) == 0) {      // dark target: already drawn over
            w.active = 0;
            continue;
        }
        plot_glow(target, i, m);
        w.age += 1;

        const int32_t third = w.life / 3;
        if (w.age == 2 * third)
            spawn(w.x, w.y, -w.dy, w.dx);      // a quarter turn clockwise
        else if (w.age == w.life || w.age == third)
            spawn(w.x, w.y, w.dy, -w.dx);      // a quarter turn counter-clockwise
        if (w.age == w.life)
            w.active = 0;

        if (++drawn == walkers_per_call)
            return;
    }
}

void crawlers_reset_state() { state = walkers_state{}; }

walker* crawlers_walkers() { return state.walkers; }
