// The software mixer: up to 32 channels of signed 8-bit samples added into interleaved
// stereo 16-bit native words, no interpolation, no clipping (sums wrap).
// It never allocates and keeps no buffer of its own. Indexes outside its tables (channel or
// sample numbers of 32 or more) are dropped, and loop bounds are clamped where a sample is
// registered, so a voice never reads outside bytes 0..length of its sample.
#pragma once
#include <cstdint>

constexpr int mixer_max_channels = 32;
constexpr int mixer_max_samples = 32;

// One channel's playing state. The voice operations write a channel's request; every
// mixer_render copies the requests into the voices it renders from.
struct mixer_voice {
    const int8_t* data;      // sample bytes; null while no sample is attached
    int sample;              // number of the attached sample entry
    int volume;              // 64 full, 0 silent; applied as sent
    uint32_t fraction;       // play position, 32.32 byte index: fraction in 2^-32 bytes
    uint32_t position;       // play position, 32.32: whole byte index into data
    uint32_t step_fraction;  // advance per frame, 32.32: fraction (low 8 bits always 0)
    uint32_t step;           // advance per frame, 32.32: whole bytes
    uint32_t loop_start;
    uint32_t loop_end;       // last byte of the loop, inclusive
    int looped;
    uint32_t length;
    int panning;             // 0..255, higher = more left
    int step_set;            // request only: step and step_fraction set since the last copy
    int position_set;        // request only: position and fraction set since the last copy
};

void mixer_register();                       // puts the nine voice operations into sound_driver
void mixer_init(int rate, int frames);
void mixer_render(int16_t* stream, int frames);  // stream may be null: voices only advance
void mixer_reset_state();                    // start values of every table and setting

// Read-only views for tests and tools; channel must be 0..31.
const mixer_voice& mixer_voice_of(int channel);
const mixer_voice& mixer_request_of(int channel);
int mixer_channel_count();                   // mix_channels
int mixer_master_volume();
