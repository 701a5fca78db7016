// The effect commands of a cell: what each does on tick 0 and on the later ticks of its row.
// No state of its own: they change `player`, `channels`, `default_pan` and the driver.
#include "player/effect_commands.h"

#include "player/period_table.h"
#include "player/replayer.h"
#include "player/sound_driver.h"
#include "player/waveforms.h"

namespace {

constexpr int32_t lowest_slide_period = 27;
constexpr int32_t highest_slide_period = 3628;
constexpr uint32_t last_row = 63;

int32_t clamp_volume(int32_t volume) {
    if (volume < 0) return 0;
    if (volume > 64) return 64;
    return volume;
}

// Moves ch_period toward ch_target by ch_porta_speed without passing it.
void tone_portamento_step(channel_state& ch) {
    if (ch.ch_period < ch.ch_target) {
        ch.ch_period += ch.ch_porta_speed;
        if (ch.ch_period > ch.ch_target) ch.ch_period = ch.ch_target;
    } else if (ch.ch_period > ch.ch_target) {
        ch.ch_period -= ch.ch_porta_speed;
        if (ch.ch_period < ch.ch_target) ch.ch_period = ch.ch_target;
    }
}

// The smallest period of the channel's finetune row that is not below ch_period, so a
// slide with glissando is heard in semitones.
int32_t glissando_period(const channel_state& ch) {
    const uint16_t* row = period_table[ch.ch_finetune & 15];
    if (row[no_note] >= ch.ch_period) return row[no_note];
    for (int k = no_note - 1; k >= 0; k--) {
        if (row[k] >= ch.ch_period) return row[k];
    }
    return row[0];
}

void vibrato_step(channel_state& ch) {
    // The division truncates toward zero; the sum is sent as it is, even at 0 or below.
    const int32_t deviation = player.vibrato_wave[ch.ch_vib_pos & 63] * ch.ch_vib_depth / 127;
    sound_driver.set_period(ch.ch_period + deviation);
    ch.ch_vib_pos = (ch.ch_vib_pos + ch.ch_vib_speed) & 63;
}

void tremolo_step(channel_state& ch) {
    const int32_t volume =
        ch.ch_volume + player.tremolo_wave[ch.ch_trem_pos & 63] * ch.ch_trem_depth / 127;
    ch.ch_trem_pos = (ch.ch_trem_pos + ch.ch_trem_speed) & 63;
    sound_driver.set_volume(clamp_volume(volume));
}

// Up by the upper nibble when it is set (the lower one is then ignored), else down by x.
void volume_slide(channel_state& ch, uint32_t x) {
    int32_t volume = ch.ch_volume;
    if (x > 15) {
        volume += static_cast<int32_t>(x >> 4);
    } else {
        volume -= static_cast<int32_t>(x);
    }
    ch.ch_volume = clamp_volume(volume);
    sound_driver.set_volume(ch.ch_volume);
}

// Note cut and note delay act on tick y, or on the row's last tick when y is past it.
bool is_action_tick(uint32_t y) {
    return player.tick == y || (player.tick == player.speed - 1 && y >= player.speed);
}

void pattern_loop(channel_state& ch, int32_t y) {
    if (y == 0) {
        ch.ch_loop_row = static_cast<int32_t>(player.row);
        return;
    }
    if (ch.ch_loop_count == 0) {
        ch.ch_loop_count = y;
        player.row = static_cast<uint32_t>(ch.ch_loop_row - 1);
    } else {
        ch.ch_loop_count -= 1;
        if (ch.ch_loop_count > 0) player.row = static_cast<uint32_t>(ch.ch_loop_row - 1);
    }
}

}  // namespace

void pt_first_tick_command(int c, const pattern_cell& cell) {
    channel_state& ch = channels[c];
    const uint32_t x = cell.parameter;
    const int32_t y = static_cast<int32_t>(x & 0x0F);
    switch (command_key(cell)) {
    case 0x000:
        if (x != 0) sound_driver.set_period(period_at(ch.ch_finetune, ch.ch_note));
        break;
    case 0x800:
        ch.ch_panning = static_cast<int32_t>(x);
        sound_driver.set_panning(static_cast<int>(x));
        break;
    case 0x900:
        sound_driver.set_position(x * 256);
        break;
    case 0xB00:
        player.order = static_cast<int32_t>(x) - 1;
        player.row = last_row;
        break;
    case 0xC00:
        ch.ch_volume = static_cast<int32_t>(x);
        sound_driver.set_volume(ch.ch_volume);
        break;
    case 0xD00: {
        // Two decimal digits, unchecked (D1F is row 25); a row past the pattern's end
        // starts the next pattern at its top.
        const int32_t break_row = static_cast<int32_t>((x >> 4) * 10 + (x & 0x0F));
        player.break_row = break_row > static_cast<int32_t>(last_row) ? 0 : break_row;
        player.row = last_row;
        break;
    }
    case 0xE10:
        if (ch.ch_period > lowest_slide_period) {
            ch.ch_period -= 1;
            sound_driver.set_period(ch.ch_period);
        }
        break;
    case 0xE20:
        if (ch.ch_period < highest_slide_period) {
            ch.ch_period += 1;
            sound_driver.set_period(ch.ch_period);
        }
        break;
    case 0xE30:
        ch.ch_glissando = y;
        break;
    case 0xE40:
        if (y <= 3) ch.ch_vib_pos = 0;
        player.vibrato_wave = wave_tables[x & 3];
        break;
    case 0xE50:
        ch.ch_finetune = y;
        break;
    case 0xE60:
        pattern_loop(ch, y);
        break;
    case 0xE70:
        if (y <= 3) ch.ch_trem_pos = 0;
        player.tremolo_wave = wave_tables[x & 3];
        break;
    case 0xE80:
        default_pan[c] = static_cast<uint8_t>(y);
        sound_driver.set_panning(y * 16);
        break;
    case 0xEA0:
        if (ch.ch_volume <= 63) {
            ch.ch_volume += 1;
            sound_driver.set_volume(ch.ch_volume);
        }
        break;
    case 0xEB0:
        if (ch.ch_volume > 0) {
            ch.ch_volume -= 1;
            sound_driver.set_volume(ch.ch_volume);
        }
        break;
    case 0xEE0:
        ch.ch_row_delay = y;
        break;
    case 0xF00:
        if (x <= 31) {
            player.speed = x;
        } else {
            player.tempo = static_cast<int32_t>(x);
        }
        break;
    default:
        break;
    }
}

void pt_later_tick_command(int c, const pattern_cell& cell) {
    channel_state& ch = channels[c];
    const uint32_t x = cell.parameter;
    const uint32_t y = x & 0x0F;
    const int32_t n = cell.note;
    switch (command_key(cell)) {
    case 0x000:
        if (x != 0) {
            const uint32_t phase = player.tick % 3;
            const int32_t offset =
                phase == 1 ? static_cast<int32_t>(x >> 4) : phase == 2 ? static_cast<int32_t>(y) : 0;
            sound_driver.set_period(period_at(ch.ch_finetune, ch.ch_note + offset));
        }
        break;
    case 0x100:
        ch.ch_period -= static_cast<int32_t>(x);
        if (ch.ch_period <= lowest_slide_period - 1) ch.ch_period = lowest_slide_period;
        sound_driver.set_period(ch.ch_period);
        break;
    case 0x200:
        ch.ch_period += static_cast<int32_t>(x);
        if (ch.ch_period > highest_slide_period) ch.ch_period = highest_slide_period;
        sound_driver.set_period(ch.ch_period);
        break;
    case 0x300:
        if (x != 0) ch.ch_porta_speed = static_cast<int32_t>(x);
        tone_portamento_step(ch);
        sound_driver.set_period(ch.ch_glissando != 0 ? glissando_period(ch) : ch.ch_period);
        break;
    case 0x400:
        if (y != 0) ch.ch_vib_depth = static_cast<int32_t>(y);
        if ((x >> 4) != 0) ch.ch_vib_speed = static_cast<int32_t>(x >> 4);
        vibrato_step(ch);
        break;
    case 0x500:
        tone_portamento_step(ch);
        sound_driver.set_period(ch.ch_period);
        volume_slide(ch, x);
        break;
    case 0x600:
        vibrato_step(ch);
        volume_slide(ch, x);
        break;
    case 0x700:
        if (y != 0) ch.ch_trem_depth = 2 * static_cast<int32_t>(y);
        if ((x >> 4) != 0) ch.ch_trem_speed = static_cast<int32_t>(x >> 4);
        tremolo_step(ch);
        break;
    case 0xA00:
        volume_slide(ch, x);
        break;
    case 0xE90:
        if (y != 0 && n < no_note && player.tick % y == 0) {
            ch.ch_period = period_at(ch.ch_finetune, n);
            sound_driver.set_volume(ch.ch_volume);
            sound_driver.set_period(ch.ch_period);
            sound_driver.set_position(0);
        }
        break;
    case 0xEC0:
        if (is_action_tick(y)) sound_driver.set_volume(0);
        break;
    case 0xED0:
        if (n < no_note && is_action_tick(y)) {
            ch.ch_note = n;
            ch.ch_period = period_at(ch.ch_finetune, n);
            sound_driver.set_volume(ch.ch_volume);
            sound_driver.set_period(ch.ch_period);
            sound_driver.set_position(0);
        }
        break;
    default:
        break;
    }
}
