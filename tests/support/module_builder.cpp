// The test module builder and the helpers that load its images.
#include "module_builder.h"

#include <cstdlib>
#include <cstring>

#include "player/module_loader.h"
#include "player/period_table.h"
#include "player/replayer.h"
#include "player/sound_driver.h"
#include "recording_driver.h"

module_builder::module_builder(int channels, const std::string& tag_text)
    : channel_count(channels), tag(tag_text) {}

module_builder& module_builder::orders(std::initializer_list<int> patterns) {
    int i = 0;
    for (int p : patterns) order_list[i++] = static_cast<uint8_t>(p);
    length = i;
    return *this;
}

module_builder& module_builder::order(int index, int pattern) {
    order_list[index] = static_cast<uint8_t>(pattern);
    return *this;
}

module_builder& module_builder::song_length(int value) {
    length = value;
    return *this;
}

module_builder& module_builder::restart(int order) {
    restart_order = order;
    return *this;
}

module_builder& module_builder::sample(int n, const sample_header& header) {
    headers[n] = header;
    return *this;
}

module_builder& module_builder::sample_data(int n, const std::vector<int8_t>& bytes) {
    data[n] = bytes;
    data_set[n] = true;
    return *this;
}

module_builder& module_builder::cell(int pattern, int row, int channel, int sample, int period,
                                     int command, int parameter) {
    cells.push_back({pattern, row, channel, sample, period, command, parameter});
    return *this;
}

module_builder& module_builder::note(int pattern, int row, int channel, int sample,
                                     int note_index, int command, int parameter) {
    const int period = note_index >= no_note ? 0 : period_table[0][note_index];
    return cell(pattern, row, channel, sample, period, command, parameter);
}

module_builder& module_builder::command(int pattern, int row, int channel, int command,
                                        int parameter) {
    return cell(pattern, row, channel, 0, 0, command, parameter);
}

std::vector<uint8_t> module_builder::build() const {
    int highest = 0;
    for (uint8_t p : order_list) highest = p > highest ? p : highest;
    const size_t pattern_size = static_cast<size_t>(channel_count) * 256;
    std::vector<uint8_t> image(1084 + (highest + 1) * pattern_size, 0);

    std::memcpy(image.data(), "test module", 11);
    for (int n = 1; n < 32; n++) {
        uint8_t* h = image.data() + 20 + 30 * (n - 1);
        const sample_header& s = headers[n];
        h[22] = static_cast<uint8_t>(s.length_words >> 8);
        h[23] = static_cast<uint8_t>(s.length_words);
        h[24] = static_cast<uint8_t>(s.finetune);
        h[25] = static_cast<uint8_t>(s.volume);
        h[26] = static_cast<uint8_t>(s.loop_start_words >> 8);
        h[27] = static_cast<uint8_t>(s.loop_start_words);
        h[28] = static_cast<uint8_t>(s.loop_length_words >> 8);
        h[29] = static_cast<uint8_t>(s.loop_length_words);
    }
    image[950] = static_cast<uint8_t>(length);
    image[951] = static_cast<uint8_t>(restart_order);
    std::memcpy(image.data() + 952, order_list, 128);
    for (int i = 0; i < 4; i++) image[1080 + i] = static_cast<uint8_t>(i < (int)tag.size() ? tag[i] : 0);

    for (const file_cell& c : cells) {
        if (c.pattern > highest) continue;   // a pattern no order entry names is not written
        uint8_t* b = image.data() + 1084 + c.pattern * pattern_size +
                     (static_cast<size_t>(c.row) * channel_count + c.channel) * 4;
        b[0] = static_cast<uint8_t>((c.sample & 0xF0) | ((c.period >> 8) & 0x0F));
        b[1] = static_cast<uint8_t>(c.period);
        b[2] = static_cast<uint8_t>(((c.sample & 0x0F) << 4) | (c.command & 0x0F));
        b[3] = static_cast<uint8_t>(c.parameter);
    }

    for (int n = 1; n < 32; n++) {
        const size_t bytes = static_cast<size_t>(headers[n].length_words) * 2;
        for (size_t i = 0; i < bytes; i++) {
            const int8_t v = data_set[n] ? (i < data[n].size() ? data[n][i] : 0)
                                         : static_cast<int8_t>((n * 16 + i) & 0x7F);
            image.push_back(static_cast<uint8_t>(v));
        }
    }
    return image;
}

module_buffer::module_buffer(const std::vector<uint8_t>& image, uint32_t padding)
    : bytes(image), image_size(static_cast<uint32_t>(image.size())) {
    bytes.resize(image.size() + padding, 0);
}

void reset_player_for_test() {
    recording_driver::install();
    module_loader_reset_state();
    replayer_reset_state();
    std::srand(1);
}

int load_for_test(module_buffer& buffer) {
    reset_player_for_test();
    const int taken = pt_takemod(buffer.data(), buffer.image_size, buffer.buffer_size());
    if (taken) pt_reset();
    recording_driver::clear();
    return taken;
}
