// Fireworks: 25 particles on damped spirals burning dots into a target that fades back
// toward a source; plot_glow, the dot with its darkened halo, is shared with the walkers.
#pragma once
#include <cstdint>

void fireworks(uint32_t* target, const uint32_t* source, int32_t count, int32_t mode);
void plot_glow(uint32_t* frame, int32_t i, uint32_t c);
void fireworks_reset_state();
