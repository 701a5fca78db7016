// Tests of player control and tick scheduling through the virtual host: the first
// callback, ticks across buffer boundaries, tempo changes, partial frames, fast-forward
// stamps, failed open and load, timer mode.
#include "player/player_control.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "audio/mixer.h"
#include "module_builder.h"
#include "audio/sdl_audio.h"
#include "host/host.h"
#include "player/module_loader.h"
#include "player/position_clock.h"
#include "player/replayer.h"
#include "player/sound_driver.h"

namespace {

// A 4-channel module of one pattern; sample 1 is a looped block of 32 bytes of value 64.
struct test_module {
    module_builder builder;
    module_buffer buffer{std::vector<uint8_t>(), 0};

    test_module()
    {
        builder.sample(1, sample_header{16, 0, 64, 0, 16});
        builder.sample_data(1, std::vector<int8_t>(32, 64));
    }
    // Cell of `channel` on `row` of pattern 0: sample, Amiga period, command, parameter.
    void cell(int row, int channel, int sample, int period, int command, int param)
    {
        builder.cell(0, row, channel, sample, period, command, param);
    }
    void tag(const char* text)
    {
        module_builder other(4, text);
        builder = other;
    }
    int load()
    {
        buffer = module_buffer(builder.build(), 16);
        return player_load(buffer.data(), buffer.image_size, buffer.buffer_size());
    }
};

struct timer_log {
    int starts;
    uint32_t interval;
    host_timer_callback callback;
};
timer_log timer;

void recording_start_timer(uint32_t interval, host_timer_callback callback)
{
    ++timer.starts;
    timer.interval = interval;
    timer.callback = callback;
}

// Stamp of a row after the virtual clock read `ticks` at the callback's entry and `done`
// frames of a `frames`-frame buffer had been rendered.
int32_t stamp(uint32_t ticks, int frames, int done)
{
    return static_cast<int32_t>(ticks) + ((frames + done) * 1000 - 4096000) / 44100;
}

class PlayerControlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        host_use_virtual();
        host.start_timer = recording_start_timer;
        timer = timer_log{0, 0, nullptr};
        sound_driver_reset();
        mixer_reset_state();
        sdl_audio_reset_state();
        replayer_reset_state();
        module_loader_reset_state();
        position_clock_reset_state();
        player_control_reset_state();
    }
    void TearDown() override { host_use_virtual(); }

    // Opens, loads and starts the player with a note on channel 0, row 0.
    void start_song(test_module& song)
    {
        song.cell(0, 0, 1, 428, 0, 0);
        ASSERT_EQ(1, player_open(44100, 4096));
        ASSERT_EQ(1, song.load());
        player_start(50);
    }

    // One device callback of `frames` frames at clock `ticks` into a silent buffer.
    std::vector<int16_t> fill(uint32_t ticks, int frames)
    {
        virtual_ticks = ticks;
        std::vector<int16_t> buffer(2 * frames, 0);
        audio_fill(nullptr, reinterpret_cast<uint8_t*>(buffer.data()), frames * 4);
        return buffer;
    }
};

TEST_F(PlayerControlTest, open_load_start_prepare_the_device_and_the_song)
{
    test_module song;
    start_song(song);
    EXPECT_EQ(0, virtual_audio_paused);
    EXPECT_EQ(&audio_fill, virtual_audio_callback);
    EXPECT_EQ(64, mixer_master_volume());
    EXPECT_EQ(4, mixer_channel_count());
    EXPECT_EQ(125, player.tempo);
    EXPECT_EQ(-1, player.order);
    EXPECT_EQ(0, timer.starts);
}

TEST_F(PlayerControlTest, first_callback_ticks_at_frame_0_and_stamps_row_0_one_tick_later)
{
    test_module song;
    start_song(song);
    std::vector<int16_t> out = fill(1000, 4096);
    // The note of row 0 sounds from the first frame: its tick came before any frame.
    EXPECT_NE(0, out[0]);
    EXPECT_EQ(1000 + 20, row_time(0));
    EXPECT_EQ(row_not_stamped, row_time(1));
    // Five ticks (frames 0, 882, ..., 3528) put the song on tick 4 of row 0.
    EXPECT_EQ(4u, player.tick);
}

TEST_F(PlayerControlTest, ticks_run_on_across_buffer_boundaries)
{
    test_module song;
    song.cell(0, 1, 0, 0, 0xF, 1);   // speed 1: one row per tick
    start_song(song);
    fill(1000, 4096);
    // Row k is played by the tick at frame 882 k and stamped one tick later.
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(stamp(1000, 4096, 882 * (k + 1)), row_time(k)) << k;
    // Row 4's tick at frame 3528 left 314 frames to the next tick: the next callback
    // stamps row 4 at its entry and ticks at frame 314.
    EXPECT_EQ(row_not_stamped, row_time(4));
    fill(1093, 4096);
    EXPECT_EQ(1093, row_time(4));
    EXPECT_EQ(stamp(1093, 4096, 314 + 882), row_time(5));
    EXPECT_EQ(1120, row_time(5));
}

TEST_F(PlayerControlTest, a_tick_ending_a_buffer_makes_the_next_callback_tick_at_once)
{
    test_module song;
    song.cell(0, 1, 0, 0, 0xF, 1);
    start_song(song);
    fill(1000, 882);                 // tick at 0, stretch ends with the buffer
    EXPECT_EQ(0u, player.row);
    EXPECT_EQ(row_not_stamped, row_time(0));
    fill(1020, 882);
    EXPECT_EQ(stamp(1020, 882, 0), row_time(0));   // fill_ticks - 72 with this buffer
    EXPECT_EQ(1020 - 72, row_time(0));
    EXPECT_EQ(1u, player.row);       // ticked at its first frame
    fill(1040, 441);
    EXPECT_EQ(2u, player.row);
    fill(1050, 441);                 // half a tick: no tick
    EXPECT_EQ(2u, player.row);
    fill(1060, 1);
    EXPECT_EQ(3u, player.row);
}

TEST_F(PlayerControlTest, tempo_change_sets_the_length_of_the_ticks_after_it)
{
    test_module song;
    song.cell(0, 1, 0, 0, 0xF, 1);   // speed 1
    song.cell(1, 1, 0, 0, 0xF, 250); // row 1: tempo 250, 441 frames a tick
    start_song(song);
    fill(1000, 4096);
    EXPECT_EQ(stamp(1000, 4096, 882), row_time(0));
    EXPECT_EQ(stamp(1000, 4096, 882 + 441), row_time(1));   // row 1's own stretch is short
    EXPECT_EQ(stamp(1000, 4096, 882 + 2 * 441), row_time(2));
    EXPECT_EQ(1030, row_time(1));
}

TEST_F(PlayerControlTest, lengths_not_divisible_by_4_leave_the_last_bytes_alone)
{
    test_module song;
    start_song(song);
    for (int extra : {1, 2, 3}) {
        std::vector<uint8_t> buffer(4 * 100 + extra, 0);
        std::memset(&buffer[400], 0x5A, extra);
        audio_fill(nullptr, buffer.data(), static_cast<int>(buffer.size()));
        for (int i = 0; i < extra; ++i)
            EXPECT_EQ(0x5A, buffer[400 + i]) << extra;
        int16_t last_frame[2];
        std::memcpy(last_frame, &buffer[396], 4);
        EXPECT_NE(0, last_frame[0]);   // frame 99 was rendered
    }
    std::vector<uint8_t> tiny(3, 0x5A);
    audio_fill(nullptr, tiny.data(), 3);
    audio_fill(nullptr, nullptr, 0);
    audio_fill(nullptr, tiny.data(), -4);
    EXPECT_EQ(std::vector<uint8_t>(3, 0x5A), tiny);
}

TEST_F(PlayerControlTest, fast_forward_stamps_a_quarter_second_ahead)
{
    test_module song;
    song.cell(0, 1, 0, 0, 0xF, 1);
    start_song(song);
    virtual_ticks = 5000;
    audio_fill(nullptr, nullptr, 44100);
    // 11025 frames: ticks at 882 k for k = 0..12; rows 0..11 stamped.
    for (int k = 0; k < 12; ++k) {
        const int32_t t = row_time(k);
        EXPECT_EQ(stamp(5000, 11025, 882 * (k + 1)), t) << k;
        EXPECT_GE(t, 5000 + 157);
        EXPECT_LE(t, 5000 + 407);
    }
    EXPECT_EQ(row_not_stamped, row_time(12));
    EXPECT_EQ(12u, player.row);
    // The voices advanced although nothing was written.
    EXPECT_NE(0u, mixer_voice_of(0).position + mixer_voice_of(0).fraction);
}

TEST_F(PlayerControlTest, failed_open_leaves_harmless_ticks_through_the_stand_ins)
{
    virtual_audio_opens = 0;
    test_module song;
    song.cell(0, 0, 1, 428, 0, 0);
    EXPECT_EQ(0, player_open(44100, 4096));
    EXPECT_STREQ("SDL audio error", driver_error);
    EXPECT_EQ(1, song.load());
    player_start(50);
    EXPECT_EQ(0, timer.starts);      // still device mode: no timer
    std::vector<int16_t> out = fill(1000, 4096);
    EXPECT_EQ(std::vector<int16_t>(2 * 4096, 0), out);   // no sample reached the mixer
    EXPECT_EQ(1020, row_time(0));    // the song still runs when asked to
}

TEST_F(PlayerControlTest, failed_load_plays_nothing)
{
    test_module song;
    song.cell(0, 0, 1, 428, 0, 0);
    ASSERT_EQ(1, player_open(44100, 4096));
    test_module bad;
    bad.tag("NOPE");
    EXPECT_EQ(0, bad.load());
    player_start(50);
    std::vector<int16_t> out = fill(1000, 4096);
    EXPECT_EQ(std::vector<int16_t>(2 * 4096, 0), out);
    audio_fill(nullptr, nullptr, 44100);
    EXPECT_EQ(row_not_stamped, row_time(0));
    EXPECT_EQ(0u, player.tick);

    // A good load after it plays; a failed one after that stops the ticks again.
    ASSERT_EQ(1, song.load());
    fill(2000, 882);
    EXPECT_EQ(0, player.order);
    EXPECT_EQ(0, bad.load());
    const uint32_t tick = player.tick;
    fill(3000, 4096);
    EXPECT_EQ(tick, player.tick);
}

TEST_F(PlayerControlTest, tempo_of_zero_or_less_ticks_at_the_reset_tempo)
{
    for (int32_t tempo : {0, -5}) {
        SetUp();
        test_module song;
        song.cell(0, 1, 0, 0, 0xF, 1);
        start_song(song);
        player.tempo = tempo;
        fill(1000, 4096);
        EXPECT_EQ(stamp(1000, 4096, 882), row_time(0)) << tempo;
        EXPECT_EQ(stamp(1000, 4096, 2 * 882), row_time(1)) << tempo;
    }
}

TEST_F(PlayerControlTest, timer_mode_ticks_at_a_fixed_rate_without_a_device)
{
    test_module song;
    song.cell(0, 0, 1, 428, 0, 0);
    ASSERT_EQ(1, song.load());       // no player_open: the stand-ins take the operations
    player_start(50);
    ASSERT_EQ(1, timer.starts);
    EXPECT_EQ(20u, timer.interval);
    EXPECT_EQ(&timer_tick, timer.callback);
    EXPECT_EQ(1, virtual_audio_paused);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(20u, timer_tick(20));
    EXPECT_EQ(1u, player.row);       // speed 6: the seventh tick starts row 1
    // audio_fill does nothing in this mode, and no row is stamped.
    std::vector<int16_t> out = fill(1000, 4096);
    EXPECT_EQ(std::vector<int16_t>(2 * 4096, 0), out);
    EXPECT_EQ(row_not_stamped, row_time(0));
    player_close();
    EXPECT_EQ(2, timer.starts);
    EXPECT_EQ(0u, timer.interval);
    EXPECT_EQ(nullptr, timer.callback);
}

TEST_F(PlayerControlTest, timer_mode_refuses_tick_rates_without_a_whole_millisecond)
{
    for (int rate : {0, -50, 1001}) {
        player_start(rate);
        EXPECT_EQ(0, timer.starts) << rate;
    }
    player_start(1000);
    EXPECT_EQ(1u, timer.interval);
    EXPECT_EQ(7u, timer_tick(7));    // nothing loaded: no tick, the interval comes back
}

TEST_F(PlayerControlTest, timer_ticks_do_nothing_once_the_device_drives_the_song)
{
    test_module song;
    start_song(song);
    timer_tick(20);
    EXPECT_EQ(-1, player.order);
    player_close();
    EXPECT_EQ(nullptr, virtual_audio_callback);   // the device was closed
    EXPECT_EQ(0, timer.starts);
}

} // namespace
