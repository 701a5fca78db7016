// The four waveforms shared by vibrato and tremolo; ramp and random are built at reset.
#include "player/waveforms.h"
#include <cstdlib>

const int16_t sine_wave[wave_length] = {
    0, 24, 49, 74, 97, 120, 141, 161, 180, 197, 212, 224, 235, 244, 250, 253,
    255, 253, 250, 244, 235, 224, 212, 197, 180, 161, 141, 120, 97, 74, 49, 24,
    0, -24, -49, -74, -97, -120, -141, -161, -180, -197, -212, -224, -235, -244, -250, -253,
    -255, -253, -250, -244, -235, -224, -212, -197, -180, -161, -141, -120, -97, -74, -49, -24,
};

const int16_t square_wave[wave_length] = {
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    -256, -256, -256, -256, -256, -256, -256, -256, -256, -256, -256, -256, -256, -256, -256, -256,
};

int16_t ramp_wave[wave_length] = {};
int16_t random_wave[wave_length] = {};

const int16_t* const wave_tables[4] = {sine_wave, ramp_wave, square_wave, random_wave};

void build_waveforms() {
    for (int i = 0; i < wave_length; i++) {
        ramp_wave[i] = static_cast<int16_t>(255 - 8 * i);
        random_wave[i] = static_cast<int16_t>(std::rand() % 511 - 256);
    }
}

void waveforms_reset_state() {
    for (int i = 0; i < wave_length; i++) {
        ramp_wave[i] = 0;
        random_wave[i] = 0;
    }
}
