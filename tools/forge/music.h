// The demo's module, composed in code: the samples are synthesised here, the patterns are
// written note by note, and the whole is packed as a 4-channel "M.K." module.
// Everything is deterministic: no clock, no host rand(), only the generator's own PRNG and
// plain IEEE arithmetic (its own sine), so two calls give the same bytes.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The module's bytes, written to data/trevakul_4.mod by veskarra-forge.
std::vector<uint8_t> forge_module();

// ---- The song as the composer builds it (also read by the module's tests) ----

constexpr int forge_channels = 4;
constexpr int forge_rows = 64;
constexpr uint8_t forge_no_note = 84;   // the loader's note index for an empty period

// One cell: sample 0 = none, note 0..83 (a row-0 period table index) or forge_no_note.
struct forge_cell {
    uint8_t sample = 0;
    uint8_t note = forge_no_note;
    uint8_t command = 0;
    uint8_t param = 0;
};

struct forge_pattern {
    forge_cell cells[forge_rows][forge_channels];
};

// Sizes in bytes, all even. loop_length 0 = one-shot (written as a 1-word loop).
struct forge_sample {
    std::string name;
    std::vector<int8_t> data;
    uint8_t volume = 64;
    uint8_t finetune = 0;                // nibble: 0..7 = 0..+7, 8..15 = -8..-1 eighths of a semitone
    uint32_t loop_start = 0;
    uint32_t loop_length = 0;
};

struct forge_song {
    std::string title;
    forge_sample samples[31];            // sample n lives at index n - 1
    std::vector<forge_pattern> patterns;
    std::vector<uint8_t> orders;
    uint8_t restart = 0;
};

// Row 0 (finetune 0) of the replayer's period table: the period written for a note index.
extern const uint16_t forge_periods[84];

forge_song forge_compose();

// ---- Synthesis (music_synth.cpp) ----

// xorshift32: the generator's own noise source, independent of the C library's rand().
struct forge_rng {
    uint32_t state = 0x2545F491u;
    uint32_t next();
    double noise();                      // uniform in [-1, 1)
};

// Sine by range reduction and a polynomial: same bits wherever IEEE doubles are exact.
double forge_sin(double x);
// Samples per second that a sample plays at when triggered on note index `note`.
double forge_note_rate(int note);
// Scales `wave` so its largest magnitude becomes `peak` (at most 127) and rounds to bytes;
// -128 never appears, so every byte's magnitude is at most 127.
std::vector<int8_t> forge_quantize(const std::vector<double>& wave, int peak);

// The instruments. Drums and other one-shots are made for the note they are played on
// (their sample rate is forge_note_rate of it); looped tones are in tune with the period
// table: a 32-byte cycle sounds a C on every C note.
constexpr int forge_drum_note = 48;      // kick, snare, tom, riser, bell: C-3
constexpr int forge_cymbal_note = 59;    // hats and the crash: B-3, the highest standard note
forge_sample forge_kick();
forge_sample forge_snare();
forge_sample forge_tom();
forge_sample forge_closed_hat();
forge_sample forge_open_hat();
forge_sample forge_crash_kick();
forge_sample forge_riser();
forge_sample forge_bell();
forge_sample forge_bass();               // 64-byte cycle: C-1 sounds a low C
forge_sample forge_pad(bool major);      // triad on A when played on C-3 (finetune -2)
forge_sample forge_pulse();              // 32-byte cycle: the chord arpeggios
forge_sample forge_lead();               // 32-byte cycle with a slow pulse-width sweep
std::vector<uint8_t> forge_write_module(const forge_song& song);
