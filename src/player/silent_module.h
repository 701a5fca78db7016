// A silent stand-in for a module that cannot be played: fourteen order entries of one empty
// four-channel pattern at the default speed and tempo, so the music clock, and the scenes
// timed by it, run exactly as long as the demo's song, without a sound.
#pragma once
#include <cstdint>

constexpr uint32_t silent_module_orders = 14;
constexpr uint32_t silent_module_bytes = 1084 + 4 * 256;

// Writes the stand-in at the start of `buffer` (zeroing `buffer_size` bytes first) and
// returns its size, or 0 when the buffer is too small.
uint32_t build_silent_module(uint8_t* buffer, uint32_t buffer_size);
