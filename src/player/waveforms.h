// The vibrato and tremolo waveforms: 64 signed values each, one full cycle. Sine and square
// are fixed; ramp and random are built by pt_reset (random from the C library's rand()).
#pragma once
#include <cstdint>

constexpr int wave_length = 64;

extern const int16_t sine_wave[wave_length];
extern const int16_t square_wave[wave_length];
extern int16_t ramp_wave[wave_length];     // all 0 until built
extern int16_t random_wave[wave_length];   // all 0 until built

// Selected by the low two bits of the E4x and E7x parameters.
extern const int16_t* const wave_tables[4];

// Fills ramp_wave (255 - 8 i) and random_wave ((rand() mod 511) - 256), drawing 64 numbers.
void build_waveforms();
// Puts ramp_wave and random_wave back to their start value, all 0.
void waveforms_reset_state();
