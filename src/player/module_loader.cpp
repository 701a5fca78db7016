// The MOD loader: reads the header, finds the channel count by the format tag, converts the
// patterns in place and registers the samples with the output driver. Owns the loader state.
// Every size in the image is checked against the image and its buffer before anything is
// converted or registered, so a refused module leaves the image as it was.
#include "player/module_loader.h"

#include <cstring>

#include "player/period_table.h"
#include "player/replayer.h"
#include "player/sound_driver.h"

const char* pt_error = "";
uint8_t* pt_module = nullptr;
uint32_t pt_cursor = 0;
char module_tag[5] = {};
uint8_t highest_pattern = 0;
int32_t sample_length[max_samples] = {};
uint8_t sample_finetune[max_samples] = {};
int32_t sample_volume[max_samples] = {};
int32_t sample_loop_start[max_samples] = {};
int32_t sample_loop_length[max_samples] = {};

namespace {

struct module_tag_entry {
    char tag[5];
    int32_t channels;
};

// Searched from the top; "STOP" ends the table and stands for an unknown tag.
constexpr module_tag_entry module_tags[] = {
    {"2CHN", 2},  {"4CHN", 4},  {"M.K.", 4},  {"M!K!", 4},  {"FLT4", 4},  {"FLT8", 8},
    {"OCTA", 8},  {"6CHN", 6},  {"8CHN", 8},  {"10CH", 10}, {"12CH", 12}, {"14CH", 14},
    {"16CH", 16}, {"18CH", 18}, {"20CH", 20}, {"22CH", 22}, {"24CH", 24}, {"26CH", 26},
    {"28CH", 28}, {"30CH", 30}, {"32CH", 32}, {"STOP", 0},
};

constexpr uint32_t sample_headers_offset = 20;
constexpr uint32_t sample_name_size = 22;
constexpr uint32_t song_length_limit = 128;

// A refused module: no channels, so pt_tick does nothing, and a frozen song (speed 0) at
// the default tempo, so the tick length derived from the tempo stays defined.
int32_t refuse(const char* reason) {
    pt_error = reason;
    player.num_channels = 0;
    player.speed = 0;
    player.tempo = 125;
    return 0;
}

int32_t channels_of_tag(const char* tag) {
    for (const module_tag_entry& entry : module_tags) {
        if (std::memcmp(entry.tag, "STOP", 4) == 0 || std::memcmp(entry.tag, tag, 4) == 0) {
            return entry.channels;
        }
    }
    return 0;
}

// Bytes of a sample the mixer may read: a looped voice reads up to and including the byte
// at loop_end, a one-shot voice up to its last byte.
uint32_t sample_reach(int n) {
    uint32_t reach = static_cast<uint32_t>(sample_length[n]);
    if (sample_loop_length[n] > 2) {
        uint32_t loop_reach =
            static_cast<uint32_t>(sample_loop_start[n] + sample_loop_length[n]) + 1;
        if (loop_reach > reach) reach = loop_reach;
    }
    return reach;
}

}  // namespace

uint16_t pt_read_word() {
    uint16_t word = static_cast<uint16_t>(pt_module[pt_cursor] * 256 + pt_module[pt_cursor + 1]);
    pt_cursor += 2;
    return word;
}

uint8_t pt_read_byte() {
    return pt_module[pt_cursor++];
}

uint8_t note_of_period(uint32_t period) {
    for (int n = 0; n < no_note; n++) {
        if (period_table[0][n] <= period) return static_cast<uint8_t>(n);
    }
    return no_note;
}

void pt_convert_pattern(uint8_t* cells) {
    const int32_t count = player.num_channels * 64;
    for (int32_t i = 0; i < count; i++) {
        uint8_t* cell = cells + 4 * i;
        const uint8_t byte0 = cell[0], byte1 = cell[1], byte2 = cell[2];
        const uint32_t period = (static_cast<uint32_t>(byte0 & 0x0F) << 8) | byte1;
        cell[2] = byte2 & 0x0F;
        cell[0] = static_cast<uint8_t>((byte0 & 0xF0) | (byte2 >> 4));
        cell[1] = note_of_period(period);
    }
}

int32_t pt_takemod(uint8_t* module, uint32_t image_size, uint32_t buffer_size) {
    pt_module = module;
    pt_cursor = sample_headers_offset;
    if (image_size > buffer_size) image_size = buffer_size;
    if (module == nullptr || image_size < module_header_size) {
        return refuse("pt_takemod error: module shorter than its header!");
    }

    for (int n = 1; n < max_samples; n++) {
        pt_cursor += sample_name_size;
        sample_length[n] = 2 * pt_read_word();
        sample_finetune[n] = pt_read_byte() & 0x0F;
        const uint8_t volume = pt_read_byte();
        sample_volume[n] = volume > 64 ? 64 : volume;
        sample_loop_start[n] = 2 * pt_read_word();
        sample_loop_length[n] = 2 * pt_read_word();
    }
    player.song_length = pt_read_byte();
    const uint8_t restart = pt_read_byte();
    player.restart_order = restart > 126 ? 0 : restart;
    for (int i = 0; i < 128; i++) player.order_list[i] = pt_read_byte();
    for (int i = 0; i < 4; i++) module_tag[i] = static_cast<char>(pt_read_byte());
    module_tag[4] = '\0';

    const int32_t channels = channels_of_tag(module_tag);
    if (channels == 0) return refuse("pt_takemod error: unknown module type!");
    if (player.song_length > song_length_limit) {
        return refuse("pt_takemod error: song length above 128!");
    }

    highest_pattern = 0;
    for (int i = 0; i < 128; i++) {
        if (player.order_list[i] > highest_pattern) highest_pattern = player.order_list[i];
    }
    if (highest_pattern >= 128) return refuse("pt_takemod error: pattern number above 127!");

    // Sizes first: at most 128 patterns of 8192 bytes and 31 samples of 128 KiB, so the
    // sums stay far below 2^32.
    const uint32_t pattern_size = static_cast<uint32_t>(channels) * 256;
    const uint32_t samples_offset = module_header_size + (highest_pattern + 1u) * pattern_size;
    if (samples_offset > image_size) {
        return refuse("pt_takemod error: patterns run past the end of the module!");
    }
    uint32_t offset = samples_offset;
    for (int n = 1; n < max_samples; n++) {
        if (sample_length[n] <= 0) continue;
        if (offset + sample_reach(n) > buffer_size) {
            return refuse("pt_takemod error: sample data runs past the end of the buffer!");
        }
        offset += static_cast<uint32_t>(sample_length[n]);
    }

    player.num_channels = channels;
    for (uint32_t p = 0; p <= highest_pattern; p++) {
        player.patterns[p] = pt_module + pt_cursor;
        pt_convert_pattern(player.patterns[p]);
        pt_cursor += pattern_size;
    }
    for (int n = 1; n < max_samples; n++) {
        if (sample_length[n] <= 0) continue;
        const int32_t looped = sample_loop_length[n] > 2 ? 1 : 0;
        sound_driver.add_sample(n, reinterpret_cast<const int8_t*>(pt_module + pt_cursor),
                                sample_length[n], sample_loop_start[n],
                                sample_loop_start[n] + sample_loop_length[n], looped);
        pt_cursor += static_cast<uint32_t>(sample_length[n]);
    }
    sound_driver.set_channels(player.num_channels);
    return 1;
}

void module_loader_reset_state() {
    pt_error = "";
    pt_module = nullptr;
    pt_cursor = 0;
    std::memset(module_tag, 0, sizeof module_tag);
    highest_pattern = 0;
    for (int n = 0; n < max_samples; n++) {
        sample_length[n] = 0;
        sample_finetune[n] = 0;
        sample_volume[n] = 0;
        sample_loop_start[n] = 0;
        sample_loop_length[n] = 0;
    }
}
