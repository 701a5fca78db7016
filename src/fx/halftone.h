// Halftone dots: a source redrawn as soft circular dots per channel onto a target.
#pragma once
#include <cstdint>

// Records the frame size (held to 0 .. 320 by 0 .. 240) and fills the 12x12 distance
// kernel. Called once at start-up, before any halftone.
void build_dot_kernel(int32_t width, int32_t height);
// Adds the dots of `source` onto `target`, both with the recorded width as row stride;
// a scales every dot's level (0 or less draws nothing). Integer only, never allocates.
void halftone(uint32_t* target, const uint32_t* source, int32_t a);
// The 12x12 distance kernel, row-major, for tests.
const int32_t* halftone_kernel();
