// The software mixer: up to 32 channels of signed 8-bit samples added into interleaved
// stereo 16-bit native words, no interpolation, no clipping (sums wrap).
#pragma once
#include <cstdint>

void mixer_register();                       // puts the nine voice operations into sound_driver
void mixer_init(int rate, int frames);
void mixer_render(int16_t* stream, int frames);  // stream may be null: voices only advance
