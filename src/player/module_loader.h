// The module loader: parses a MOD image in place into the replayer's tables and hands its
// samples to the output driver. Failure is a 0 result with the reason in pt_error.
// It never reads or writes outside the `buffer_size` bytes at `module`: a module whose
// patterns lie past the image, whose samples lie past the buffer, whose order list names a
// pattern above 127, whose song length is above 128 or that is shorter than its header is
// refused like one with an unknown tag, before any byte of the image is changed.
#pragma once
#include <cstdint>

// `module` is the writable image, `image_size` the number of bytes that hold the file and
// `buffer_size` the size of the buffer the image lives in (bytes past the image are zero).
// Returns 1 when the module was taken, 0 when it cannot be played (pt_error says why).
int32_t pt_takemod(uint8_t* module, uint32_t image_size, uint32_t buffer_size);

extern const char* pt_error;

// A converted pattern cell, as pt_convert_pattern leaves it in the image.
struct pattern_cell {
    uint8_t sample;     // 0 = no sample
    uint8_t note;       // 0..83 into a period_table row, 84 = no note
    uint8_t command;    // 0..15
    uint8_t parameter;
};

inline pattern_cell read_cell(const uint8_t* bytes) {
    return pattern_cell{bytes[0], bytes[1], bytes[2], bytes[3]};
}

constexpr int max_samples = 32;           // sample numbers 1..31; entry 0 stays 0
constexpr uint32_t module_header_size = 1084;

// Loader state. `patterns`, `song_length`, `restart_order`, `order_list` and `num_channels`
// live in the replayer's `player`.
extern uint8_t* pt_module;                // start of the image; kept for playback
extern uint32_t pt_cursor;                // read offset into pt_module
extern char module_tag[5];                // tag from offset 1080 plus NUL
extern uint8_t highest_pattern;           // largest of all 128 order list entries
extern int32_t sample_length[max_samples];       // bytes
extern uint8_t sample_finetune[max_samples];     // 0..15, the period_table row
extern int32_t sample_volume[max_samples];       // 0..64
extern int32_t sample_loop_start[max_samples];   // bytes
extern int32_t sample_loop_length[max_samples];  // bytes

// Reads the big-endian word / the byte at pt_cursor and moves pt_cursor past it.
uint16_t pt_read_word();
uint8_t pt_read_byte();
// Converts num_channels x 64 file cells at `cells` into pattern_cells, in place.
void pt_convert_pattern(uint8_t* cells);
// Note index of an Amiga period: first note of finetune row 0 whose period is not above it.
uint8_t note_of_period(uint32_t period);

// Start values of the loader state: all 0, empty tag, pt_error "".
void module_loader_reset_state();
