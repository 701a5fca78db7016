// The module loader: tags, header values, note conversion, sample registration and the
// refusal of images that cannot be played safely.
#include <gtest/gtest.h>

#include <cstring>

#include "module_builder.h"
#include "player/module_loader.h"
#include "player/replayer.h"
#include "recording_driver.h"

namespace {

std::vector<driver_call> added_samples() {
    std::vector<driver_call> out;
    for (const driver_call& call : recording_driver::calls()) {
        if (call.op == "add_sample") out.push_back(call);
    }
    return out;
}

int take(module_buffer& buffer) {
    reset_player_for_test();
    return pt_takemod(buffer.data(), buffer.image_size, buffer.buffer_size());
}

TEST(module_loader, tags_decide_the_channel_count) {
    struct tag_case { const char* tag; int channels; };
    const tag_case cases[] = {
        {"2CHN", 2}, {"4CHN", 4}, {"M.K.", 4}, {"M!K!", 4}, {"FLT4", 4}, {"FLT8", 8},
        {"OCTA", 8}, {"6CHN", 6}, {"8CHN", 8}, {"10CH", 10}, {"16CH", 16}, {"32CH", 32},
    };
    for (const tag_case& c : cases) {
        module_buffer buffer(module_builder(c.channels, c.tag).build(), 1);
        ASSERT_EQ(take(buffer), 1) << c.tag;
        EXPECT_EQ(player.num_channels, c.channels) << c.tag;
        EXPECT_STREQ(module_tag, c.tag);
        EXPECT_EQ(recording_driver::trace().back(), "set_channels(" + std::to_string(c.channels) + ")");
    }
}

TEST(module_loader, unknown_tags_are_refused_without_registering_anything) {
    for (const char* tag : {"STOP", "m.k.", "M.K ", "XXXX"}) {
        module_builder builder(4, tag);
        builder.sample(1, {8, 0, 64, 0, 1}).note(0, 0, 0, 1, 36);
        module_buffer buffer(builder.build(), 1);
        const std::vector<uint8_t> before = buffer.bytes;
        ASSERT_EQ(take(buffer), 0) << tag;
        EXPECT_STREQ(pt_error, "pt_takemod error: unknown module type!");
        EXPECT_EQ(player.num_channels, 0);
        EXPECT_TRUE(recording_driver::calls().empty()) << tag;
        EXPECT_EQ(buffer.bytes, before) << "image changed by a refused load";
        EXPECT_EQ(sample_length[1], 16) << "header values stay as read";
    }
}

TEST(module_loader, mk_variants_load_identically_and_flt8_has_2048_byte_patterns) {
    module_builder a(4, "M.K."), b(4, "M!K!");
    for (module_builder* m : {&a, &b}) {
        m->orders({0, 1}).sample(1, {4, 3, 40, 0, 1}).note(1, 2, 3, 1, 40, 0x0C, 20);
    }
    module_buffer ba(a.build(), 1), bb(b.build(), 1);
    ASSERT_EQ(take(ba), 1);
    const std::vector<std::string> trace_a = recording_driver::trace();
    ASSERT_EQ(take(bb), 1);
    EXPECT_EQ(recording_driver::trace(), trace_a);
    EXPECT_EQ(std::memcmp(ba.data() + 1084, bb.data() + 1084, 2 * 1024), 0);

    module_builder flt8(8, "FLT8");
    flt8.orders({0, 2}).sample(1, {2, 0, 64, 0, 1});
    module_buffer bf(flt8.build(), 1);
    ASSERT_EQ(take(bf), 1);
    EXPECT_EQ(player.num_channels, 8);
    EXPECT_EQ(player.patterns[1] - player.patterns[0], 2048);
    EXPECT_EQ(player.patterns[2] - pt_module, 1084 + 2 * 2048);
    ASSERT_EQ(added_samples().size(), 1u);
    EXPECT_EQ(added_samples()[0].data, reinterpret_cast<const int8_t*>(bf.data() + 1084 + 3 * 2048));
}

TEST(module_loader, header_values_are_limited_as_stored) {
    struct header_case { int restart, restart_loaded, volume, volume_loaded, finetune, finetune_loaded; };
    const header_case cases[] = {
        {126, 126, 64, 64, 0x0F, 15}, {127, 0, 65, 64, 0xF8, 8}, {255, 0, 255, 64, 0x17, 7},
    };
    for (const header_case& c : cases) {
        module_builder builder;
        builder.orders({0}).restart(c.restart).sample(1, {2, c.finetune, c.volume, 0, 1});
        module_buffer buffer(builder.build(), 1);
        ASSERT_EQ(take(buffer), 1);
        EXPECT_EQ(player.restart_order, c.restart_loaded);
        EXPECT_EQ(sample_volume[1], c.volume_loaded);
        EXPECT_EQ(sample_finetune[1], c.finetune_loaded);
    }
}

TEST(module_loader, samples_are_registered_in_order_with_loops_in_bytes) {
    module_builder builder;
    builder.orders({0})
        .sample(1, {10, 0, 64, 2, 1})    // loop word 1: one-shot
        .sample(2, {0, 0, 64, 3, 9})     // length 0: nothing registered, no bytes taken
        .sample(3, {10, 0, 64, 3, 2})    // loop word 2: looped, end = start + 4
        .sample(31, {1, 0, 64, 0, 0});
    module_buffer buffer(builder.build(), 1);
    ASSERT_EQ(take(buffer), 1);
    const std::vector<driver_call> added = added_samples();
    ASSERT_EQ(added.size(), 3u);
    const uint8_t* samples = buffer.data() + 1084 + 1024;
    struct expected { int index; uint32_t offset; int length, loop_start, loop_end, looped; };
    const expected want[] = {{1, 0, 20, 4, 6, 0}, {3, 20, 20, 6, 10, 1}, {31, 40, 2, 0, 0, 0}};
    for (int i = 0; i < 3; i++) {
        EXPECT_EQ(added[i].args[0], want[i].index);
        EXPECT_EQ(added[i].data, reinterpret_cast<const int8_t*>(samples + want[i].offset));
        EXPECT_EQ(added[i].args[2], want[i].length);
        EXPECT_EQ(added[i].args[3], want[i].loop_start);
        EXPECT_EQ(added[i].args[4], want[i].loop_end);
        EXPECT_EQ(added[i].args[5], want[i].looped);
    }
    EXPECT_EQ(added[1].data[0], static_cast<int8_t>(3 * 16));   // sample 3's first byte
    EXPECT_EQ(recording_driver::trace().back(), "set_channels(4)");
}

TEST(module_loader, hidden_patterns_past_song_length_are_converted_and_skipped) {
    module_builder builder;
    builder.orders({0, 1}).order(5, 3).sample(1, {2, 0, 64, 0, 1}).cell(3, 0, 0, 1, 428);
    module_buffer buffer(builder.build(), 1);
    ASSERT_EQ(take(buffer), 1);
    EXPECT_EQ(player.song_length, 2u);
    EXPECT_EQ(highest_pattern, 3);
    const uint8_t* hidden = buffer.data() + 1084 + 3 * 1024;
    EXPECT_EQ(player.patterns[3], hidden);
    EXPECT_EQ(hidden[0], 1);
    EXPECT_EQ(hidden[1], 36);
    ASSERT_EQ(added_samples().size(), 1u);
    EXPECT_EQ(added_samples()[0].data, reinterpret_cast<const int8_t*>(hidden + 1024));
}

TEST(module_loader, periods_map_to_the_first_note_not_above_them) {
    struct period_case { int period, note; };
    const period_case cases[] = {
        {0, 84}, {1, 84}, {27, 84}, {28, 83}, {29, 83}, {30, 82}, {428, 36}, {430, 36},
        {427, 37}, {856, 24}, {3423, 1}, {3424, 0}, {4095, 0},
    };
    for (const period_case& c : cases) {
        EXPECT_EQ(note_of_period(c.period), c.note) << c.period;
    }
}

TEST(module_loader, cells_are_converted_in_place) {
    module_builder builder;
    builder.orders({0})
        .cell(0, 0, 0, 0x1F, 428, 0x0C, 0x40)
        .cell(0, 63, 3, 0x10, 0xFFF, 0x0E, 0xD3)
        .cell(0, 1, 1, 0, 0, 0, 0);
    module_buffer buffer(builder.build(), 1);
    ASSERT_EQ(take(buffer), 1);
    const uint8_t* p = player.patterns[0];
    const uint8_t first[4] = {0x1F, 36, 0x0C, 0x40};
    const uint8_t last[4] = {0x10, 0, 0x0E, 0xD3};
    const uint8_t empty[4] = {0, 84, 0, 0};
    EXPECT_EQ(std::memcmp(p, first, 4), 0);
    EXPECT_EQ(std::memcmp(p + (63 * 4 + 3) * 4, last, 4), 0);
    EXPECT_EQ(std::memcmp(p + (1 * 4 + 1) * 4, empty, 4), 0);
}

TEST(module_loader, convert_pattern_does_nothing_without_channels) {
    reset_player_for_test();
    uint8_t cells[8] = {0x01, 0xAC, 0x10, 0x00, 1, 2, 3, 4};
    const uint8_t before[8] = {0x01, 0xAC, 0x10, 0x00, 1, 2, 3, 4};
    pt_convert_pattern(cells);
    EXPECT_EQ(std::memcmp(cells, before, 8), 0);
}

TEST(module_loader, read_word_is_big_endian_and_advances_the_cursor) {
    uint8_t bytes[4] = {0x12, 0x34, 0xAB, 0xCD};
    pt_module = bytes;
    pt_cursor = 0;
    EXPECT_EQ(pt_read_word(), 0x1234);
    EXPECT_EQ(pt_read_byte(), 0xAB);
    EXPECT_EQ(pt_cursor, 3u);
    module_loader_reset_state();
}

// Images that cannot be played safely are refused before anything is touched, and leave
// the player inert: no channels, a frozen song, a defined tempo.
TEST(module_loader, unsafe_images_are_refused) {
    struct refusal {
        const char* name;
        std::vector<uint8_t> image;
        uint32_t padding;
        const char* error;
    };
    const auto base = [] {
        module_builder b;
        b.orders({0, 1}).sample(1, {8, 0, 64, 0, 1});
        return b;
    };
    std::vector<uint8_t> short_image = base().build();
    short_image.resize(1083);
    std::vector<uint8_t> cut_patterns = base().build();
    cut_patterns.resize(1084 + 2 * 1024 - 1);
    std::vector<uint8_t> cut_sample = base().build();
    cut_sample.resize(cut_sample.size() - 1);
    std::vector<uint8_t> looped_to_end = module_builder().orders({0}).sample(1, {8, 0, 64, 4, 4}).build();
    std::vector<uint8_t> loop_past_buffer = module_builder().orders({0}).sample(1, {8, 0, 64, 4, 30}).build();
    std::vector<uint8_t> order_128 = module_builder().orders({0}).build();
    order_128[952 + 100] = 128;
    std::vector<uint8_t> long_song = module_builder().orders({0}).song_length(129).build();
    const refusal cases[] = {
        {"shorter than the header", short_image, 0, "pt_takemod error: module shorter than its header!"},
        {"pattern cut", cut_patterns, 0, "pt_takemod error: patterns run past the end of the module!"},
        {"sample cut", cut_sample, 0, "pt_takemod error: sample data runs past the end of the buffer!"},
        {"loop end byte past buffer", looped_to_end, 0, "pt_takemod error: sample data runs past the end of the buffer!"},
        {"loop past the buffer", loop_past_buffer, 40, "pt_takemod error: sample data runs past the end of the buffer!"},
        {"order entry 128", order_128, 1, "pt_takemod error: pattern number above 127!"},
        {"song length 129", long_song, 1, "pt_takemod error: song length above 128!"},
    };
    for (const refusal& c : cases) {
        module_buffer buffer(c.image, c.padding);
        const std::vector<uint8_t> before = buffer.bytes;
        ASSERT_EQ(take(buffer), 0) << c.name;
        EXPECT_STREQ(pt_error, c.error) << c.name;
        EXPECT_EQ(player.num_channels, 0) << c.name;
        EXPECT_EQ(player.speed, 0u) << c.name;
        EXPECT_EQ(player.tempo, 125) << c.name;
        EXPECT_TRUE(recording_driver::calls().empty()) << c.name;
        EXPECT_EQ(buffer.bytes, before) << c.name;
        for (int i = 0; i < 100; i++) pt_tick();
        EXPECT_TRUE(recording_driver::calls().empty()) << c.name;
        EXPECT_EQ(player.order, 0) << c.name;
        EXPECT_EQ(player.row, 0u) << c.name;
    }
}

// The limits themselves are accepted: a sample read by the mixer up to the buffer's last
// byte, song length 128, pattern 127, samples past the image inside the zeroed buffer.
TEST(module_loader, images_at_the_limits_are_taken) {
    module_buffer looped_to_end(module_builder().orders({0}).sample(1, {8, 0, 64, 4, 4}).build(), 1);
    EXPECT_EQ(take(looped_to_end), 1);

    std::vector<uint8_t> long_song = module_builder().orders({0}).song_length(128).build();
    long_song[952 + 127] = 127;
    long_song.resize(1084 + 128 * 1024);
    module_buffer full(long_song, 0);
    EXPECT_EQ(take(full), 1);
    EXPECT_EQ(highest_pattern, 127);

    std::vector<uint8_t> cut_sample = module_builder().orders({0}).sample(1, {8, 0, 64, 0, 1}).build();
    cut_sample.resize(cut_sample.size() - 10);
    module_buffer zero_tail(cut_sample, 10);
    EXPECT_EQ(take(zero_tail), 1);
}

}  // namespace
