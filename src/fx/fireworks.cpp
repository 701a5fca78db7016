// Fireworks: 25 particles on damped spirals burning black dots into a target frame,
// which fades one step per call back toward a source frame. Owns the particle table
// and the first-call launch flag. plot_glow, the dot with its halo, lives here too.
#include "fx/fireworks.h"

#include <cstdlib>

#include "gfx/frame.h"

namespace {

struct fireworks_state {
    particle particles[particle_count] = {};
    bool fireworks_launch_pending = true;
};
fireworks_state state;

// Every channel of t below the same channel of s grows by 1.
uint32_t fade_toward(uint32_t t, uint32_t s)
{
    uint32_t step = 0;
    for (uint32_t shift = 0; shift < 32; shift += 8)
        if (((t >> shift) & 0xFFu) < ((s >> shift) & 0xFFu))
            step += 1u << shift;
    return t + step;   // a channel below its source is at most 254: no carry
}

void launch()
{
    for (particle& p : state.particles) {
        p.x = 76800;   // column 75
        p.y = (rand() % 30 + 150) * 1024;
        p.vx = (rand() % 5100) / 4 + 2400;
        p.vy = -600 - (rand() % 5100) / 8;
        p.turn = rand() % 2;
        p.spin = (rand() % 10240) / 40 + 10;
    }
}

// Adds without relying on signed overflow (a position creeping for ever wraps).
int32_t add_wrapping(int32_t a, int32_t b)
{
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

}  // namespace

void plot_glow(uint32_t* frame, int32_t i, uint32_t c)
{
    // All five words must lie in the frame: i must not be in the first or the last row.
    if (i < frame_width || i >= frame_words - frame_width)
        return;
    frame[i] = c;
    const uint32_t h = darken(c);
    frame[i - 1] = darken(frame[i - 1]) + h;
    frame[i + 1] = darken(frame[i + 1]) + h;
    frame[i - frame_width] = darken(frame[i - frame_width]) + h;
    frame[i + frame_width] = darken(frame[i + frame_width]) + h;
}

void fireworks(uint32_t* target, const uint32_t* source, int32_t count, int32_t mode)
{
    if (mode != -1) {
        // Columns 0 .. 59 are never faded.
        for (int32_t row = 0; row < frame_height; ++row) {
            const int32_t base = row * frame_width;
            for (int32_t col = 60; col < frame_width; ++col) {
                const uint32_t t = target[base + col], s = source[base + col];
                if (t != s)
                    target[base + col] = fade_toward(t, s);
            }
        }
    }

    if (state.fireworks_launch_pending || mode == 1) {
        launch();
        state.fireworks_launch_pending = false;
    }

    if (count > particle_count)
        count = particle_count;
    for (int32_t k = 0; k < count; ++k) {
        particle& p = state.particles[k];
        p.x = add_wrapping(p.x, p.vx);
        p.y = add_wrapping(p.y, p.vy);

        // Damp by 1010/1024; arithmetic shifts round toward minus infinity, so -1 stays -1.
        const int32_t vx = (p.vx * 1010) >> 10;
        const int32_t vy = (p.vy * 1010) >> 10;
        // Turn by about s/1024 radian, using the damped values of this step.
        const int32_t s = (p.spin * 90) >> 10;
        if (p.turn != 0) {
            p.vx = vx + ((vy * s) >> 10);
            p.vy = vy + ((vx * -s) >> 10);
        } else {
            p.vx = vx + ((vy * -s) >> 10);
            p.vy = vy + ((vx * s) >> 10);
        }

        // Plotting window: columns 0 .. 318, rows 1 .. 238. A particle that curled left of
        // column 0 (negative x) is not drawn: its index would fall into the row above and,
        // near row 1, its upper neighbour before the frame.
        if (p.x >= 0 && p.x <= 326655 && p.y >= 1024 && p.y <= 244735)
            plot_glow(target, (p.y >> 10) * frame_width + (p.x >> 10), 0);
    }
}

void fireworks_reset_state() { state = fireworks_state{}; }

particle* fireworks_particles() { return state.particles; }
