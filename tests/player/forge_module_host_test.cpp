// The composed module: its bytes parse as the loader reads them, the rows that the demo
// times itself by are played in order and on schedule, the mix cannot wrap, and the
// generator gives the same bytes every time.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "audio/mixer.h"
#include "player/module_loader.h"
#include "player/replayer.h"
#include "player/sound_driver.h"

#include "forge/music.cpp"
#include "forge/music_module.cpp"
#include "forge/music_synth.cpp"

namespace {

uint32_t word_at(const std::vector<uint8_t>& m, size_t at)
{
    return uint32_t(m[at]) << 8 | m[at + 1];
}

// The module read back from its bytes alone, the way the loader lays it out.
struct parsed_module {
    uint32_t sample_length[32] = {};
    uint32_t sample_volume[32] = {};
    uint32_t loop_start[32] = {};
    uint32_t loop_length[32] = {};
    uint32_t song_length = 0;
    uint32_t restart = 0;
    uint8_t orders[128] = {};
    uint32_t pattern_count = 0;
    size_t sample_data_at = 0;   // offset of sample 1's first byte
    size_t expected_size = 0;    // header + patterns + all sample lengths
};

parsed_module parse(const std::vector<uint8_t>& m)
{
    parsed_module p;
    for (int n = 1; n <= 31; n++) {
        size_t h = 20 + 30 * size_t(n - 1);
        p.sample_length[n] = 2 * word_at(m, h + 22);
        p.sample_volume[n] = m[h + 25];
        p.loop_start[n] = 2 * word_at(m, h + 26);
        p.loop_length[n] = 2 * word_at(m, h + 28);
    }
    p.song_length = m[950];
    p.restart = m[951];
    std::memcpy(p.orders, &m[952], 128);
    for (uint8_t o : p.orders)
        p.pattern_count = std::max<uint32_t>(p.pattern_count, o + 1u);
    p.sample_data_at = 1084 + size_t(p.pattern_count) * 1024;
    p.expected_size = p.sample_data_at;
    for (int n = 1; n <= 31; n++)
        p.expected_size += p.sample_length[n];
    return p;
}

// A cell in the file layout.
struct file_cell {
    int sample, period, command, param;
};

file_cell cell_at(const std::vector<uint8_t>& m, int pattern, int row, int channel)
{
    size_t at = 1084 + size_t(pattern) * 1024 + size_t(row) * 16 + size_t(channel) * 4;
    return {(m[at] & 0xF0) | (m[at + 2] >> 4), (m[at] & 0x0F) << 8 | m[at + 1], m[at + 2] & 0x0F,
            m[at + 3]};
}

const std::vector<uint8_t>& module_bytes()
{
    static const std::vector<uint8_t> bytes = forge_module();
    return bytes;
}

TEST(forge_module, parses_as_a_four_channel_module_with_consistent_sizes)
{
    const std::vector<uint8_t>& m = module_bytes();
    ASSERT_GT(m.size(), 1084u);
    EXPECT_EQ(0, std::memcmp(&m[1080], "M.K.", 4));
    parsed_module p = parse(m);
    EXPECT_GE(p.song_length, 14u);
    EXPECT_LE(p.song_length, 128u);
    EXPECT_LT(p.restart, p.song_length);
    for (uint32_t i = p.song_length; i < 128; i++)
        EXPECT_EQ(0, p.orders[i]) << "order entry " << i << " past the song";
    EXPECT_EQ(p.expected_size, m.size());
    size_t data_at = p.sample_data_at;
    for (int n = 1; n <= 31; n++) {
        EXPECT_LE(p.sample_volume[n], 64u) << "sample " << n;
        // A one-shot voice that has ended keeps adding its first byte: it must be silence.
        if (p.sample_length[n] > 0 && p.loop_length[n] <= 2) {
            EXPECT_EQ(0, m[data_at]) << "sample " << n;
        }
        data_at += p.sample_length[n];
        if (p.loop_length[n] > 2) {
            // The mixer reads the byte at loop start + loop length: keep it inside the sample.
            EXPECT_LT(p.loop_start[n] + p.loop_length[n], p.sample_length[n]) << "sample " << n;
        }
    }
    // Every cell names an existing sample and a period of the table (or none).
    for (uint32_t pat = 0; pat < p.pattern_count; pat++)
        for (int r = 0; r < 64; r++)
            for (int c = 0; c < 4; c++) {
                file_cell cell = cell_at(m, int(pat), r, c);
                if (cell.sample) {
                    EXPECT_GT(p.sample_length[cell.sample], 0u) << pat << "/" << r << "/" << c;
                }
                if (cell.period) {
                    EXPECT_NE(std::end(forge_periods),
                              std::find(std::begin(forge_periods), std::end(forge_periods), cell.period))
                        << pat << "/" << r << "/" << c;
                }
            }
}

// Walks the song row by row as the replayer sequences it (speed, tempo, jumps, breaks,
// loops and delays) and returns each played position with the time it starts, in ms.
struct played_row {
    uint32_t position;
    uint32_t start_ms;
};

std::vector<played_row> walk_song(const std::vector<uint8_t>& m, uint32_t until_position)
{
    parsed_module p = parse(m);
    std::vector<played_row> played;
    int32_t order = 0, row = 0, break_row = 0;
    uint32_t speed = 6, tempo = 125;
    uint64_t time_us = 0;
    int32_t loop_row[4] = {}, loop_count[4] = {};
    for (int guard = 0; guard < 100000; guard++) {
        played.push_back({uint32_t(order * 100 + row), uint32_t(time_us / 1000)});
        if (played.back().position == until_position)
            break;
        int pattern = p.orders[order];
        int32_t next_row = row + 1;
        bool leave = false;
        uint32_t delay = 0;
        int32_t jump = -1;
        for (int c = 0; c < 4; c++) {
            file_cell cell = cell_at(m, pattern, row, c);
            int x = cell.param, y = x & 0x0F;
            if (cell.command == 0xF && x != 0)
                (x < 32 ? speed : tempo) = uint32_t(x);
            if (cell.command == 0xB) {
                jump = x;
                leave = true;
            }
            if (cell.command == 0xD) {
                break_row = (x >> 4) * 10 + y;
                leave = true;
            }
            if (cell.command == 0xE && (x >> 4) == 0xE)
                delay = std::max<uint32_t>(delay, uint32_t(y));
            if (cell.command == 0xE && (x >> 4) == 0x6) {
                if (y == 0) {
                    loop_row[c] = row;
                } else if (loop_count[c] == 0) {
                    loop_count[c] = y;
                    next_row = loop_row[c];
                } else if (--loop_count[c] > 0) {
                    next_row = loop_row[c];
                }
            }
        }
        // A tick lasts 2500 / tempo ms; a delayed row plays its ticks 1 + delay times.
        time_us += uint64_t(speed) * (1 + delay) * 2500000u / tempo;
        if (leave || next_row > 63) {
            order = jump >= 0 ? jump : order + 1;
            if (uint32_t(order) >= p.song_length)
                order = int32_t(p.restart);
            row = break_row;
            break_row = 0;
        } else {
            row = next_row;
        }
    }
    return played;
}

TEST(forge_module, plays_every_row_of_orders_0_to_13_in_order_at_six_ticks_of_20_ms)
{
    std::vector<played_row> played = walk_song(module_bytes(), 1363);
    ASSERT_EQ(14u * 64u, played.size());
    for (uint32_t i = 0; i < played.size(); i++) {
        uint32_t expected = (i / 64) * 100 + i % 64;
        ASSERT_EQ(expected, played[i].position) << "row " << i;
        ASSERT_EQ(i * 120, played[i].start_ms) << "position " << expected;
    }
}

// The demo cuts scenes and times motion on these positions; each gets a loud new note.
TEST(forge_module, accents_fall_on_the_positions_the_scenes_follow)
{
    const std::vector<uint8_t>& m = module_bytes();
    parsed_module p = parse(m);
    const uint32_t accents[] = {
        300, 332, 400, 432,                                          // fireworks launches
        500, 600, 602, 603, 604, 606, 609, 610, 616, 617, 620, 630,  // greetings appear
        631, 632, 633, 635, 700, 832, 900, 1000, 1100, 1148, 1200, 1340,
    };
    for (uint32_t position : accents) {
        int pattern = p.orders[position / 100];
        int row = int(position % 100);
        uint32_t loudest = 0;
        for (int c = 0; c < 4; c++) {
            file_cell cell = cell_at(m, pattern, row, c);
            if (cell.sample == 0 || cell.period == 0 || cell.command == 3 || cell.command == 5)
                continue;   // no new note struck here
            uint32_t volume = cell.command == 0xC ? uint32_t(cell.param) : p.sample_volume[cell.sample];
            loudest = std::max(loudest, volume);
        }
        EXPECT_GE(loudest, 48u) << "position " << position;
    }
}

TEST(forge_module, keeps_playing_past_the_last_order)
{
    const std::vector<uint8_t>& m = module_bytes();
    parsed_module p = parse(m);
    // Two full passes through the song: the walk must come back to the restart order.
    uint32_t restart_position = p.restart * 100;
    std::vector<played_row> played = walk_song(m, 0xFFFFFFFFu);
    size_t rows_per_pass = size_t(p.song_length) * 64;
    ASSERT_GT(played.size(), rows_per_pass);
    EXPECT_EQ(restart_position, played[rows_per_pass].position);
}

// The mixer adds s * gain per voice and side and wraps outside 16 bits: with the loudest
// byte each channel can play, its highest volume and its panning, the sum must fit.
TEST(forge_module, worst_case_mix_stays_inside_16_bits)
{
    const std::vector<uint8_t>& m = module_bytes();
    parsed_module p = parse(m);
    const uint32_t pan[4] = {4 * 16, 12 * 16, 5 * 16, 11 * 16};
    uint32_t left = 0, right = 0;
    for (int c = 0; c < 4; c++) {
        uint32_t peak = 0, volume = 0;
        bool pan_changed = false;
        for (uint32_t pat = 0; pat < p.pattern_count; pat++)
            for (int r = 0; r < 64; r++) {
                file_cell cell = cell_at(m, int(pat), r, c);
                int x = cell.param;
                if (cell.sample) {
                    const size_t at = p.sample_data_at + [&] {
                        size_t off = 0;
                        for (int n = 1; n < cell.sample; n++)
                            off += p.sample_length[n];
                        return off;
                    }();
                    for (size_t i = 0; i < p.sample_length[cell.sample]; i++)
                        peak = std::max<uint32_t>(peak, uint32_t(std::abs(int(int8_t(m[at + i])))));
                    volume = std::max(volume, p.sample_volume[cell.sample]);
                }
                if (cell.command == 0xC)
                    volume = std::max(volume, uint32_t(x));
                bool slides_up = ((cell.command == 0xA || cell.command == 5 || cell.command == 6) && x > 15) ||
                                 (cell.command == 0xE && (x >> 4) == 0xA) || cell.command == 7;
                if (slides_up)
                    volume = std::max(volume, 64u);
                if (cell.command == 8 || (cell.command == 0xE && (x >> 4) == 8))
                    pan_changed = true;
            }
        EXPECT_FALSE(pan_changed) << "channel " << c;
        uint32_t left_gain = ((64 * volume * pan[c]) >> 7) / 63;
        uint32_t right_gain = ((64 * volume * (255 - pan[c])) >> 7) / 63;
        left += peak * left_gain;
        right += peak * right_gain;
    }
    EXPECT_LE(left, 32767u);
    EXPECT_LE(right, 32767u);
}

// The module played by our own loader, replayer and mixer, tick by tick, 882 frames a tick
// (tempo 125 at 44100 Hz), up to the row after position 1363.
struct rendering {
    std::vector<int16_t> frames;            // interleaved left, right
    std::vector<uint32_t> row_positions;    // position of each row as the replayer plays it
    std::vector<size_t> row_start_frame;
};

rendering render_module(std::vector<uint8_t>& image, uint32_t image_size)
{
    rendering out;
    module_loader_reset_state();
    replayer_reset_state();
    mixer_reset_state();
    sound_driver_reset();
    mixer_register();
    sound_driver.open = mixer_init;
    sound_driver.open(44100, 4096);
    sound_driver.set_master_volume(64);
    if (pt_takemod(image.data(), image_size, uint32_t(image.size())) != 1)
        return out;
    pt_reset();
    const int tick_frames = 882;
    for (int tick = 0; tick < (14 * 64 + 1) * 6; tick++) {
        pt_tick();
        if (player.tick == 0) {
            out.row_positions.push_back(uint32_t(player.order) * 100 + player.row);
            out.row_start_frame.push_back(out.frames.size() / 2);
        }
        size_t at = out.frames.size();
        out.frames.resize(at + 2 * tick_frames, 0);
        mixer_render(&out.frames[at], tick_frames);
    }
    return out;
}

const rendering& rendered()
{
    static std::vector<uint8_t> image;
    static rendering r;
    if (image.empty()) {
        image = forge_module();
        uint32_t size = uint32_t(image.size());
        image.resize(image.size() + 64, 0);
        r = render_module(image, size);
        // VESKARRA_MUSIC_WAV=path writes the rendering, to be measured with `sox path -n stat`.
        if (const char* path = std::getenv("VESKARRA_MUSIC_WAV")) {
            FILE* f = std::fopen(path, "wb");
            if (f) {
                uint32_t bytes = uint32_t(r.frames.size() * 2);
                uint8_t header[44] = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ',
                                      16, 0, 0, 0, 1, 0, 2, 0, 0x44, 0xAC, 0, 0, 0x10, 0xB1, 2, 0, 4, 0, 16, 0,
                                      'd', 'a', 't', 'a', 0, 0, 0, 0};
                for (int i = 0; i < 4; i++) {
                    header[4 + i] = uint8_t((bytes + 36) >> (8 * i));
                    header[40 + i] = uint8_t(bytes >> (8 * i));
                }
                std::fwrite(header, 1, 44, f);
                for (int16_t v : r.frames) {
                    uint8_t le[2] = {uint8_t(uint16_t(v)), uint8_t(uint16_t(v) >> 8)};
                    std::fwrite(le, 1, 2, f);
                }
                std::fclose(f);
            }
        }
    }
    return r;
}

TEST(forge_module, our_loader_takes_it_and_reads_back_every_note)
{
    std::vector<uint8_t> image = forge_module();
    uint32_t size = uint32_t(image.size());
    image.resize(size + 64, 0);
    module_loader_reset_state();
    replayer_reset_state();
    sound_driver_reset();
    ASSERT_EQ(1, pt_takemod(image.data(), size, uint32_t(image.size()))) << pt_error;
    EXPECT_EQ(4, player.num_channels);
    forge_song song = forge_compose();
    EXPECT_EQ(song.orders.size(), player.song_length);
    for (size_t pat = 0; pat < song.patterns.size(); pat++)
        for (int r = 0; r < 64; r++)
            for (int c = 0; c < 4; c++) {
                pattern_cell cell = read_cell(player.patterns[pat] + (r * 4 + c) * 4);
                const forge_cell& want = song.patterns[pat].cells[r][c];
                ASSERT_EQ(want.sample, cell.sample) << pat << "/" << r << "/" << c;
                ASSERT_EQ(want.note, cell.note) << pat << "/" << r << "/" << c;
                ASSERT_EQ(want.command, cell.command) << pat << "/" << r << "/" << c;
                ASSERT_EQ(want.param, cell.parameter) << pat << "/" << r << "/" << c;
            }
    for (int n = 1; n <= 31; n++)
        EXPECT_EQ(int32_t(song.samples[n - 1].data.size()), sample_length[n]) << "sample " << n;
}

TEST(forge_module, replayer_plays_each_row_of_orders_0_to_13_once_every_six_ticks)
{
    const rendering& r = rendered();
    ASSERT_EQ(14u * 64u + 1u, r.row_positions.size());
    for (uint32_t i = 0; i < 14 * 64; i++) {
        ASSERT_EQ((i / 64) * 100 + i % 64, r.row_positions[i]) << "row " << i;
        ASSERT_EQ(size_t(i) * 6 * 882, r.row_start_frame[i]) << "row " << i;
    }
}

// No wrap-around (a sum leaving 16 bits shows as a jump of more than 40000 between
// neighbouring samples) and no silence longer than 2 s before position 1363.
TEST(forge_module, renders_without_wrapping_or_long_silence)
{
    const rendering& r = rendered();
    ASSERT_FALSE(r.frames.empty());
    size_t end = r.row_start_frame[14 * 64 - 1] + 6 * 882;
    for (int side = 0; side < 2; side++) {
        size_t quiet = 0, longest_quiet = 0;
        int32_t largest_jump = 0;
        for (size_t i = 0; i < end; i++) {
            int32_t v = r.frames[2 * i + size_t(side)];
            if (i > 0)
                largest_jump = std::max(largest_jump, std::abs(v - int32_t(r.frames[2 * (i - 1) + size_t(side)])));
            quiet = std::abs(v) <= 64 ? quiet + 1 : 0;
            longest_quiet = std::max(longest_quiet, quiet);
        }
        EXPECT_LE(largest_jump, 40000) << "side " << side;
        EXPECT_LT(longest_quiet, 2u * 44100u) << "side " << side;
    }
}

TEST(forge_module, same_bytes_on_every_call)
{
    EXPECT_EQ(module_bytes(), forge_module());
}

} // namespace
