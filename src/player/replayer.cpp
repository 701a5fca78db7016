// Row sequencing and note triggering: the player and channel state, pt_reset and pt_tick.
// On tick 0 every channel decodes its cell (sample, note, command); on later ticks only the
// command's later-tick part runs.
#include "player/replayer.h"

#include "player/effect_commands.h"
#include "player/module_loader.h"
#include "player/period_table.h"
#include "player/sound_driver.h"
#include "player/waveforms.h"

player_state player = {};
channel_state channels[max_channels] = {};

namespace {

constexpr uint8_t default_pan_start[max_channels] = {
    4, 12, 5, 11, 6, 10, 9, 7, 1, 14, 9, 7,
    7, 9, 9, 7, 7, 9, 9, 7, 7, 9, 9, 7, 7, 9, 9, 7, 7, 9, 9, 7,
};

constexpr int32_t highest_sample = max_samples - 1;
constexpr uint32_t last_row = 63;

// Tick 0 of one channel: sample, then note, then the command's tick-0 part.
void first_tick_channel(int c, const pattern_cell& cell) {
    channel_state& ch = channels[c];
    const int32_t s = cell.sample;
    const uint8_t command = cell.command;
    // Sample numbers above 31 have no sample entry: such a cell counts as one without sample.
    if (s != 0 && s <= highest_sample) {
        ch.ch_sample = s;
        ch.ch_panning = default_pan[c] * 16;
        ch.ch_volume = sample_volume[s];
        if (command == 0x0C) {
            sound_driver.set_panning(ch.ch_panning);
        } else if (command == 0x08) {
            sound_driver.set_volume(ch.ch_volume);
        } else {
            sound_driver.set_volume(ch.ch_volume);
            sound_driver.set_panning(ch.ch_panning);
        }
        sound_driver.set_sample(s);
    }
    const int32_t n = cell.note;
    if (n < no_note) {
        ch.ch_finetune = sample_finetune[ch.ch_sample];
        const int32_t p = period_table[ch.ch_finetune][n];
        ch.ch_target = p;
        if (command == 0x03 || command == 0x05) {
            // tone portamento: the note is only the slide's target
        } else if (command_key(cell) == 0xED0) {
            return;  // note delay: the later ticks trigger it
        } else {
            ch.ch_period = p;
            sound_driver.set_period(p);
            if (command != 0x09) sound_driver.set_position(0);
            ch.ch_note = n;
        }
    }
    pt_first_tick_command(c, cell);
}

// The row step: next row, or the next order entry's pattern after row 63. Returns false
// when a pattern delay takes this tick instead.
bool step_row() {
    bool delayed = false;
    for (int c = 0; c < player.num_channels; c++) {
        if (channels[c].ch_row_delay > 0) {
            channels[c].ch_row_delay -= 1;
            delayed = true;
        }
    }
    if (delayed) return false;

    player.row += 1;
    if (player.row > last_row) {
        player.order += 1;
        player.row = static_cast<uint32_t>(player.break_row);
        player.break_row = 0;
        if (static_cast<uint32_t>(player.order) >= player.song_length) {
            player.order = player.restart_order;
        }
    }
    // Bxx together with a later channel's E6x leaves the row inside the pattern with `order`
    // already moved; an entry outside the order list then plays the restart entry.
    if (player.order < 0 || player.order > 127) player.order = player.restart_order;
    player.row_ptr = player.patterns[player.order_list[player.order]] +
                     player.row * static_cast<uint32_t>(player.num_channels) * 4;
    return true;
}

}  // namespace

uint8_t default_pan[max_channels] = {
    4, 12, 5, 11, 6, 10, 9, 7, 1, 14, 9, 7,
    7, 9, 9, 7, 7, 9, 9, 7, 7, 9, 9, 7, 7, 9, 9, 7, 7, 9, 9, 7,
};

void pt_reset() {
    for (channel_state& ch : channels) {
        const int32_t glissando = ch.ch_glissando;
        const int32_t panning = ch.ch_panning;
        ch = channel_state{};
        ch.ch_glissando = glissando;
        ch.ch_panning = panning;
    }
    player.order = -1;
    player.break_row = 0;
    player.speed = 6;
    player.tempo = 125;
    player.tick = 5;
    player.row = last_row;
    player.vibrato_wave = sine_wave;
    player.tremolo_wave = sine_wave;
    build_waveforms();
}

void pt_tick() {
    if (player.num_channels <= 0) return;
    if (player.speed != 0) {
        player.tick += 1;
        if (player.tick >= player.speed) {
            player.tick = 0;
            if (!step_row()) return;
        }
    }
    if (player.row_ptr == nullptr) return;  // ticked before pt_reset
    for (int c = 0; c < player.num_channels; c++) {
        const pattern_cell cell = read_cell(player.row_ptr + 4 * c);
        sound_driver.select_channel(c);
        if (player.tick != 0) {
            pt_later_tick_command(c, cell);
        } else {
            first_tick_channel(c, cell);
        }
    }
}

void replayer_reset_state() {
    player = player_state{};
    for (channel_state& ch : channels) ch = channel_state{};
    for (int c = 0; c < max_channels; c++) default_pan[c] = default_pan_start[c];
    waveforms_reset_state();
}
