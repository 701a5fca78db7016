// The replayer: row sequencing, note triggering and effect commands, driven tick by tick.
// Its state is global: `player` (song and sequencing) and `channels` (one per channel).
// pt_reset starts a loaded song from the top; pt_tick runs one tick.
#pragma once
#include <cstdint>

constexpr int max_channels = 32;

struct channel_state {
    int32_t ch_sample, ch_note, ch_finetune, ch_period, ch_volume, ch_panning;
    int32_t ch_target, ch_porta_speed, ch_glissando;
    int32_t ch_vib_pos, ch_vib_speed, ch_vib_depth;
    int32_t ch_trem_pos, ch_trem_speed, ch_trem_depth;
    int32_t ch_loop_row, ch_loop_count, ch_row_delay;
};

struct player_state {
    uint32_t speed;             // ticks per row; 0 freezes the song on its row
    int32_t tempo;              // beats per minute; the tick length follows it
    uint32_t tick;              // tick within the row, 0 = first
    uint32_t row;               // row 0..63 of the current pattern
    int32_t order;              // index into order_list
    int32_t break_row;          // row at which the next pattern starts
    const uint8_t* row_ptr;     // first cell of the current row
    const int16_t* vibrato_wave;
    const int16_t* tremolo_wave;
    // Filled by the module loader.
    uint32_t song_length;
    int32_t restart_order;
    uint8_t order_list[128];
    int32_t num_channels;
    uint8_t* patterns[128];
};

extern player_state player;
extern channel_state channels[max_channels];

// Panning nibble per channel (sent as nibble x 16 on a sample change); E8x changes it for
// the rest of the run, pt_reset does not restore it.
extern uint8_t default_pan[max_channels];

void pt_reset();
// One tick. Does nothing while no module has been taken (num_channels 0).
void pt_tick();
// Start values of the player, the channels, default_pan and the built waveforms: all player
// and channel state 0, as before any load.
void replayer_reset_state();
