// Random and damaged module images, loaded and played through a checking driver: nothing
// may be read or written outside the image buffer (AddressSanitizer watches the heap
// buffers), every sample handed to add_sample must lie inside the buffer as far as the
// mixer reads it, and the replayer may only address the channels and samples that exist.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <vector>

#include "module_builder.h"
#include "player/module_loader.h"
#include "player/replayer.h"
#include "player/sound_driver.h"

namespace {

struct checking_state {
    const uint8_t* buffer = nullptr;
    uint32_t buffer_size = 0;
    int bad_samples = 0;
    int bad_channels = 0;
    int bad_sample_numbers = 0;
    int bad_tempo = 0;
    int bad_rows = 0;
    long calls = 0;
} check;

int check_add_sample(int index, const int8_t* data, int length, int loop_start, int loop_end,
                     int looped) {
    const uint8_t* start = reinterpret_cast<const uint8_t*>(data);
    int64_t reach = length;
    if (looped) reach = std::max<int64_t>(reach, static_cast<int64_t>(loop_end) + 1);
    const bool inside = start >= check.buffer && length > 0 && loop_start >= 0 &&
                        start + reach <= check.buffer + check.buffer_size;
    if (!inside || index < 1 || index > 31) check.bad_samples++;
    check.calls++;
    return 1;
}
void check_select_channel(int channel) {
    if (channel < 0 || channel >= player.num_channels || channel >= max_channels) check.bad_channels++;
    check.calls++;
}
void check_set_sample(int index) {
    if (index < 1 || index > 31) check.bad_sample_numbers++;
    check.calls++;
}
void count_int(int) { check.calls++; }
void count_offset(uint32_t) { check.calls++; }
void count_none() { check.calls++; }
void count_open(int, int) { check.calls++; }

void install_checking_driver(const module_buffer& buffer) {
    sound_driver = sound_driver_table{check_add_sample, check_select_channel, check_set_sample,
                                      count_int,        count_none,           count_offset,
                                      count_int,        count_int,            count_open,
                                      count_int,        count_none,           count_int,
                                      count_none};
    check.buffer = buffer.bytes.data();
    check.buffer_size = static_cast<uint32_t>(buffer.bytes.size());
}

const char* const tags[] = {"M.K.", "M!K!", "FLT4", "FLT8", "OCTA", "2CHN", "6CHN", "8CHN",
                            "12CH", "32CH", "XXXX"};
const int tag_channels[] = {4, 4, 4, 8, 8, 2, 6, 8, 12, 32, 4};

// A plausible module with random cells, headers and order list.
std::vector<uint8_t> random_module(std::mt19937& rng) {
    const int t = static_cast<int>(rng() % 11);
    module_builder b(tag_channels[t], tags[t]);
    const int patterns = 1 + static_cast<int>(rng() % 4);
    const int length = static_cast<int>(rng() % 8);
    for (int i = 0; i < length; i++) b.order(i, static_cast<int>(rng() % patterns));
    if (rng() % 4 == 0) b.order(static_cast<int>(rng() % 128), patterns - 1);
    b.song_length(length).restart(static_cast<int>(rng() % 130));
    for (int n = 1; n < 32; n++) {
        if (rng() % 3 != 0) continue;
        // Mostly loops inside the sample, now and then one that runs past it.
        const int words = static_cast<int>(rng() % 40);
        const int loop_start = static_cast<int>(rng() % (words + 1));
        const int loop_length = rng() % 8 == 0 ? static_cast<int>(rng() % 64)
                                               : static_cast<int>(rng() % (words - loop_start + 1));
        b.sample(n, {words, static_cast<int>(rng() % 256), static_cast<int>(rng() % 80),
                     loop_start, loop_length});
    }
    const int cells = static_cast<int>(rng() % 200);
    for (int i = 0; i < cells; i++) {
        const int period = rng() % 3 == 0 ? 0 : static_cast<int>(rng() % 4096);
        b.cell(static_cast<int>(rng() % patterns), static_cast<int>(rng() % 64),
               static_cast<int>(rng() % b.channels()), static_cast<int>(rng() % 256), period,
               static_cast<int>(rng() % 16), static_cast<int>(rng() % 256));
    }
    return b.build();
}

TEST(module_fuzz, random_and_damaged_images_stay_inside_their_buffers) {
    std::mt19937 rng(20261211u);
    int taken = 0;
    for (int round = 0; round < 3000; round++) {
        std::vector<uint8_t> image;
        const int kind = round % 4;
        if (kind == 3) {
            image.resize(rng() % 3000);
            for (uint8_t& byte : image) byte = static_cast<uint8_t>(rng());
            if (image.size() >= 1084) {
                const char* tag = tags[rng() % 11];
                std::copy(tag, tag + 4, image.begin() + 1080);
            }
        } else {
            image = random_module(rng);
            const int flips = static_cast<int>(rng() % 6);
            for (int i = 0; i < flips && !image.empty(); i++) image[rng() % image.size()] = static_cast<uint8_t>(rng());
            if (kind == 1) image.resize(rng() % (image.size() + 1));
        }
        module_buffer buffer(image, rng() % 3);

        sound_driver_reset();
        module_loader_reset_state();
        replayer_reset_state();
        install_checking_driver(buffer);
        player.order = 0;
        player.row = 0;
        if (pt_takemod(buffer.data(), buffer.image_size, buffer.buffer_size()) != 0) {
            taken++;
            pt_reset();
        }
        for (int tick = 0; tick < 300; tick++) {
            pt_tick();
            if (player.tempo < 32 || player.tempo > 255) check.bad_tempo++;
            if (player.num_channels > 0 && player.row_ptr != nullptr) {
                const uint8_t* patterns_end =
                    player.patterns[highest_pattern] + player.num_channels * 256;
                if (player.row_ptr < buffer.data() + 1084 ||
                    player.row_ptr + 4 * player.num_channels > patterns_end) {
                    check.bad_rows++;
                }
            }
        }
        ASSERT_EQ(check.bad_samples, 0) << "round " << round;
        ASSERT_EQ(check.bad_channels, 0) << "round " << round;
        ASSERT_EQ(check.bad_sample_numbers, 0) << "round " << round;
        ASSERT_EQ(check.bad_tempo, 0) << "round " << round;
        ASSERT_EQ(check.bad_rows, 0) << "round " << round;   // rows played lie in the patterns
    }
    // The loop must have exercised playback, not only refusals.
    EXPECT_GT(taken, 500);
    EXPECT_GT(check.calls, 100000);
    sound_driver_reset();
    module_loader_reset_state();
    replayer_reset_state();
}

}  // namespace
