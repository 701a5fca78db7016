// Module mode on small hand-made modules: tick lengths follow the tempo, the render stops
// exactly where play returns to an order entry it has played, and the tick-by-tick render
// gives the same sound as the device's 4096-frame buffers.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "host/host.h"
#include "module_render.h"
#include "player/player_control.h"

namespace {

constexpr uint64_t tick_125 = 882;    // frames a tick at tempo 125

struct test_cell {
    int order_pattern, row, channel, sample, period, command, param;
};

// A four-channel module: `orders` lists the pattern of each order entry; sample 1 is a
// looped square wave; every cell listed is put into its pattern.
std::vector<uint8_t> make_module(const std::vector<int>& orders, const std::vector<test_cell>& cells,
                                 int restart = 0)
{
    int patterns = 0;
    for (int p : orders)
        patterns = std::max(patterns, p + 1);
    const size_t sample_at = 1084 + size_t(patterns) * 1024;
    std::vector<uint8_t> m(sample_at + 256, 0);
    uint8_t* h = &m[20];                 // sample 1: 128 words, volume 64, looped whole
    h[22] = 0, h[23] = 128, h[25] = 64, h[26] = 0, h[27] = 0, h[28] = 0, h[29] = 128;
    for (int i = 0; i < 256; ++i)
        m[sample_at + size_t(i)] = uint8_t(i % 32 < 16 ? 90 : -90);
    m[950] = uint8_t(orders.size());
    m[951] = uint8_t(restart);
    for (size_t i = 0; i < orders.size(); ++i)
        m[952 + i] = uint8_t(orders[i]);
    std::memcpy(&m[1080], "M.K.", 4);
    for (const test_cell& c : cells) {
        uint8_t* at = &m[1084 + size_t(c.order_pattern) * 1024 + size_t(c.row) * 16 + size_t(c.channel) * 4];
        at[0] = uint8_t((c.sample & 0xF0) | (c.period >> 8));
        at[1] = uint8_t(c.period & 0xFF);
        at[2] = uint8_t((c.sample & 0x0F) << 4 | c.command);
        at[3] = uint8_t(c.param);
    }
    return m;
}

struct rendered {
    module_result result;
    std::vector<int16_t> samples;
};

rendered render(std::vector<uint8_t> image, uint64_t frames_wanted = 0,
                uint64_t cap = 600ull * 44100)
{
    rendered r;
    const uint32_t size = uint32_t(image.size());
    image.resize(image.size() + 1024, 0);   // zero bytes after the image, as in module_data
    std::string error;
    srand(1);
    EXPECT_EQ(0, render_module(image.data(), size, uint32_t(image.size()), frames_wanted, cap,
                               nullptr, &r.samples, r.result, error))
        << error;
    EXPECT_EQ(r.result.frames * 2, r.samples.size());
    return r;
}

const test_cell note = {0, 0, 0, 1, 428, 0, 0};   // sample 1 at C-3 on channel 0

TEST(module_render, length_follows_rows_ticks_and_tempo)
{
    struct length_case {
        const char* name;
        std::vector<int> orders;
        std::vector<test_cell> cells;
        uint64_t frames;
        int32_t return_order;
    };
    const std::vector<length_case> cases = {
        {"one pattern at speed 6 and tempo 125", {0}, {note}, 64 * 6 * tick_125, 0},
        {"speed 3 and tempo 150 from the first row", {0},
         {note, {0, 0, 1, 0, 0, 0xF, 3}, {0, 0, 2, 0, 0, 0xF, 150}}, 64 * 3 * 735, 0},
        {"tempo 100 from row 32", {0}, {note, {0, 32, 3, 0, 0, 0xF, 100}},
         32 * 6 * tick_125 + 32 * 6 * 1102, 0},
        {"slowest tempo 32", {0}, {note, {0, 0, 1, 0, 0, 0xF, 32}}, 64 * 6 * 3445, 0},
        {"two entries, back to restart entry 1", {0, 1, 2}, {note}, 3 * 64 * 6 * tick_125, 1},
        {"jump back from entry 1 row 10", {0, 1, 2}, {note, {1, 10, 1, 0, 0, 0xB, 0}},
         (64 + 11) * 6 * tick_125, 0},
        {"break forward to row 60 of the next entry", {0, 1}, {note, {0, 5, 1, 0, 0, 0xD, 0x60}},
         (6 + 4) * 6 * tick_125, 0},
        {"pattern loop is no return", {0},
         {note, {0, 3, 1, 0, 0, 0xE, 0x60}, {0, 5, 1, 0, 0, 0xE, 0x62}}, (64 + 2 * 3) * 6 * tick_125, 0},
        {"jump to the same entry", {0, 1}, {note, {1, 0, 1, 0, 0, 0xB, 1}}, (64 + 1) * 6 * tick_125, 1},
    };
    for (const length_case& c : cases) {
        // "restart entry 1" is the only case with a restart other than 0.
        const int restart = std::string(c.name).find("restart entry 1") != std::string::npos ? 1 : 0;
        const rendered r = render(make_module(c.orders, c.cells, restart));
        EXPECT_TRUE(r.result.returned) << c.name;
        EXPECT_EQ(c.frames, r.result.frames) << c.name;
        EXPECT_EQ(c.return_order, r.result.return_order) << c.name;
    }
}

TEST(module_render, sound_is_the_same_as_through_device_buffers)
{
    const std::vector<uint8_t> module =
        make_module({0, 1}, {note, {0, 16, 1, 1, 214, 0, 0}, {0, 20, 1, 0, 0, 0xF, 97},
                             {1, 0, 2, 1, 320, 0, 0}, {1, 7, 0, 0, 0, 0xA, 0x02}});
    const rendered ticked = render(module, 20 * 44100);
    ASSERT_EQ(20u * 44100, ticked.result.frames);
    // The same module, played as the device plays it: 4096-frame buffers of silence.
    std::vector<uint8_t> image = module;
    const uint32_t size = uint32_t(image.size());
    image.resize(image.size() + 1024, 0);
    module_result unused;
    std::string error;
    // The player loaded and started, with its first tick and frame rendered; the rest comes
    // in device buffers.
    srand(1);
    ASSERT_EQ(0, render_module(image.data(), size, uint32_t(image.size()), 1, 1, nullptr, nullptr,
                               unused, error));
    std::vector<int16_t> device(ticked.samples.begin(), ticked.samples.begin() + 2);
    std::vector<int16_t> buffer(4096 * 2);
    while (device.size() < ticked.samples.size()) {
        std::fill(buffer.begin(), buffer.end(), int16_t(0));
        audio_fill(nullptr, reinterpret_cast<uint8_t*>(buffer.data()), 4096 * 4);
        device.insert(device.end(), buffer.begin(), buffer.end());
    }
    device.resize(ticked.samples.size());
    bool audible = false;
    for (int16_t s : ticked.samples)
        audible = audible || s != 0;
    EXPECT_TRUE(audible);
    EXPECT_TRUE(device == ticked.samples);
}

TEST(module_render, seconds_give_exact_lengths_and_a_frozen_song_stops_at_the_cap)
{
    const std::vector<uint8_t> module = make_module({0}, {note});
    EXPECT_EQ(44100u * 10, render(module, 44100 * 10).result.frames);   // past the loop
    EXPECT_EQ(1u, render(module, 1).result.frames);
    const rendered frozen = render(make_module({0}, {note, {0, 2, 1, 0, 0, 0xF, 0}}), 0, 44100);
    EXPECT_FALSE(frozen.result.returned);
    EXPECT_TRUE(frozen.result.capped);
    EXPECT_EQ(44100u, frozen.result.frames);
}

TEST(module_render, refuses_what_the_loader_does_not_take)
{
    std::vector<uint8_t> image = make_module({0}, {note});
    std::memcpy(&image[1080], "NOPE", 4);
    module_result result;
    std::string error;
    image.resize(image.size() + 1024, 0);
    EXPECT_NE(0, render_module(image.data(), uint32_t(image.size() - 1024), uint32_t(image.size()),
                               0, 44100, nullptr, nullptr, result, error));
    EXPECT_NE(std::string::npos, error.find("not a module"));
}

} // namespace
