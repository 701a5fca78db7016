// Fireworks: 25 particles on damped spirals burning dots into a target that fades back
// toward a source; plot_glow, the dot with its darkened halo, is shared with the walkers.
#pragma once
#include <cstdint>

// Positions and velocities in 1/1024 pixel: pixel = value >> 10.
struct particle {
    int32_t x;
    int32_t y;
    int32_t vx;
    int32_t vy;
    int32_t spin;   // turning strength, 10 .. 265
    int32_t turn;   // turning direction, 0 or 1
};
constexpr int32_t particle_count = 25;

// Moves min(count, 25) particles; mode -1 skips the fade, mode 1 relaunches all of them.
// The first call launches them whatever the mode. Never allocates.
void fireworks(uint32_t* target, const uint32_t* source, int32_t count, int32_t mode);
// Sets word i to c and averages half of c into its four neighbours. Draws nothing when
// i lies in the first or the last row, where a neighbour would fall outside the frame.
void plot_glow(uint32_t* frame, int32_t i, uint32_t c);
void fireworks_reset_state();
// The particle table (particle_count entries), for tests that set up a flight.
particle* fireworks_particles();
