// Builds MOD images in tests: header, order list, tag, pattern cells in the file layout
// (big-endian, period and sample number split across the bytes) and sample data. Only
// what a test sets differs from an empty module; patterns 0..(largest order entry) are
// written (cells of higher patterns are dropped), then the sample data of samples 1..31.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct sample_header {
    int length_words = 0;
    int finetune = 0;        // stored byte, low nibble used
    int volume = 64;         // stored byte
    int loop_start_words = 0;
    int loop_length_words = 1;
};

class module_builder {
public:
    // `channels` sets the pattern layout; the tag alone decides what the loader reads.
    explicit module_builder(int channels = 4, const std::string& tag = "M.K.");

    module_builder& orders(std::initializer_list<int> patterns);   // song length = count
    module_builder& order(int index, int pattern);                 // one entry, length kept
    module_builder& song_length(int length);
    module_builder& restart(int order);
    module_builder& sample(int n, const sample_header& header);
    // Sample data bytes; default byte i of sample n is (n * 16 + i) & 0x7F.
    module_builder& sample_data(int n, const std::vector<int8_t>& bytes);
    // A cell with a raw Amiga period (0 = none).
    module_builder& cell(int pattern, int row, int channel, int sample, int period,
                         int command = 0, int parameter = 0);
    // A cell with note index 0..83 of finetune row 0 (84 = no note).
    module_builder& note(int pattern, int row, int channel, int sample, int note_index,
                         int command = 0, int parameter = 0);
    module_builder& command(int pattern, int row, int channel, int command, int parameter);

    std::vector<uint8_t> build() const;
    int channels() const { return channel_count; }

private:
    struct file_cell { int pattern, row, channel, sample, period, command, parameter; };
    int channel_count;
    std::string tag;
    int length = 1;
    int restart_order = 0;
    uint8_t order_list[128] = {};
    sample_header headers[32];
    std::vector<int8_t> data[32];
    bool data_set[32] = {};
    std::vector<file_cell> cells;
};

// A module image in a heap buffer of exactly image + `padding` bytes (zero past the image),
// so AddressSanitizer sees any access past the buffer.
struct module_buffer {
    std::vector<uint8_t> bytes;
    uint32_t image_size = 0;
    module_buffer(const std::vector<uint8_t>& image, uint32_t padding);
    uint8_t* data() { return bytes.data(); }
    uint32_t buffer_size() const { return static_cast<uint32_t>(bytes.size()); }
};

// Clean program state for a replayer test: recording driver installed, loader and replayer
// at their start values, rand() back at its start sequence.
void reset_player_for_test();
// reset_player_for_test, then pt_takemod on `buffer`; on success pt_reset and the log is
// cleared. Returns pt_takemod's result.
int load_for_test(module_buffer& buffer);
