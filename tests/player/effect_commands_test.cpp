// The effect commands, traced through the recording driver on small modules at speed 6.
#include "replay_helpers.h"

#include "player/effect_commands.h"
#include "player/period_table.h"
#include "player/waveforms.h"

namespace {

using values = std::vector<std::vector<int64_t>>;

// Sample 1: volume 32, finetune 0. Pattern 0 only; the test adds its cells.
module_builder effect_module() {
    module_builder b;
    b.orders({0}).sample(1, {16, 0, 32, 0, 1}).sample(2, {16, 0x0F, 64, 0, 1});
    return b;
}

TEST(effect_commands, command_keys) {
    EXPECT_EQ(command_key({0, 84, 0x1, 0x23}), 0x100u);
    EXPECT_EQ(command_key({0, 84, 0xE, 0xA7}), 0xEA0u);
    EXPECT_EQ(command_key({0, 84, 0xE, 0x0F}), 0xE00u);
    EXPECT_EQ(command_key({0, 84, 0xF, 0xFF}), 0xF00u);
}

TEST(effect_commands, arpeggio_047_cycles_through_the_chord) {
    module_buffer buffer(effect_module().note(0, 0, 0, 1, 36, 0x0, 0x47).build(), 1);
    load_module(buffer);
    EXPECT_EQ(values_per_tick("set_period", 0, 6),
              (values{{428, 428}, {339}, {285}, {428}, {339}, {285}}));
    EXPECT_EQ(channels[0].ch_period, 428);
}

TEST(effect_commands, arpeggio_past_the_last_note_reads_the_rows_last_entry) {
    module_builder b = effect_module();
    b.note(0, 0, 0, 2, 83, 0x0, 0xFF);   // finetune row 15, the table's last row
    module_buffer buffer(b.build(), 1);
    load_module(buffer);
    const int64_t last = period_table[15][84];
    EXPECT_EQ(values_per_tick("set_period", 0, 3),
              (values{{period_table[15][83], period_table[15][83]}, {last}, {last}}));
}

TEST(effect_commands, tone_portamento_with_glissando_is_heard_in_semitones) {
    module_builder b = effect_module();
    b.note(0, 0, 0, 1, 36, 0x0E, 0x31).note(0, 1, 0, 0, 48, 0x03, 5);
    module_buffer buffer(b.build(), 1);
    load_module(buffer);
    tick_n(6);
    std::vector<int32_t> periods;
    recording_driver::clear();
    for (int i = 0; i < 6; i++) {
        pt_tick();
        if (i > 0) periods.push_back(channels[0].ch_period);
    }
    EXPECT_EQ(periods, (std::vector<int32_t>{423, 418, 413, 408, 403}));
    EXPECT_EQ(recording_driver::values("set_period", 0),
              (std::vector<int64_t>{428, 428, 428, 428, 404}));
}

TEST(effect_commands, volume_portamento_continues_the_slide_without_glissando) {
    module_builder b = effect_module();
    b.note(0, 0, 0, 1, 36, 0x0E, 0x31).note(0, 1, 0, 0, 48, 0x03, 8).command(0, 2, 0, 0x05, 0x02);
    module_buffer buffer(b.build(), 1);
    load_module(buffer);
    tick_n(12);
    EXPECT_EQ(channels[0].ch_period, 428 - 5 * 8);
    const values periods = values_per_tick("set_period", 0, 6);
    EXPECT_EQ(periods, (values{{}, {380}, {372}, {364}, {356}, {348}}));
    EXPECT_EQ(channels[0].ch_volume, 32 - 5 * 2);
    // ... and stops at the target
    module_builder c = effect_module();
    c.note(0, 0, 0, 1, 37).note(0, 1, 0, 0, 36, 0x03, 0xFF);
    module_buffer buffer_c(c.build(), 1);
    load_module(buffer_c);
    tick_n(6);
    EXPECT_EQ(values_per_tick("set_period", 0, 3), (values{{}, {428}, {428}}));
}

TEST(effect_commands, slides_stay_between_27_and_3628) {
    struct slide_case { int note, command, parameter; std::vector<int64_t> periods; };
    const slide_case cases[] = {
        {36, 0x1, 0x10, {412, 396, 380, 364, 348}},
        {82, 0x1, 0x02, {28, 27, 27, 27, 27}},
        {36, 0x2, 0x20, {460, 492, 524, 556, 588}},
        {0, 0x2, 0xFF, {3628, 3628, 3628, 3628, 3628}},
    };
    for (const slide_case& c : cases) {
        module_buffer buffer(effect_module().note(0, 0, 0, 1, c.note, c.command, c.parameter).build(), 1);
        load_module(buffer);
        tick_n(1);
        recording_driver::clear();
        tick_n(5);
        EXPECT_EQ(recording_driver::values("set_period", 0), c.periods) << c.note;
    }
}

TEST(effect_commands, fine_slides_move_by_one_within_the_limits) {
    struct fine_case { int note, parameter; int64_t period; int32_t after; };
    const fine_case cases[] = {
        {36, 0x1F, 427, 427}, {36, 0x21, 429, 429}, {83, 0x1F, 27, 27},
    };
    for (const fine_case& c : cases) {
        module_buffer buffer(effect_module().note(0, 0, 0, 1, c.note, 0x0E, c.parameter).build(), 1);
        load_module(buffer);
        tick_n(1);
        EXPECT_EQ(recording_driver::values("set_period", 0).back(), c.period);
        EXPECT_EQ(channels[0].ch_period, c.after);
    }
    struct limit_case { int32_t period; int parameter; size_t sends; };
    const limit_case limits[] = {{27, 0x15, 0}, {28, 0x15, 1}, {3628, 0x25, 0}, {3627, 0x25, 1}};
    for (const limit_case& c : limits) {
        module_buffer buffer(effect_module().command(0, 0, 0, 0x0E, c.parameter).build(), 1);
        load_module(buffer);
        channels[0].ch_period = c.period;
        tick_n(1);
        EXPECT_EQ(recording_driver::values("set_period", 0).size(), c.sends) << c.period;
    }
}

TEST(effect_commands, volume_commands_after_c50) {
    struct volume_case { int command, parameter; std::vector<int64_t> volumes; int32_t after; };
    const volume_case cases[] = {
        {0x0A, 0x01, {64, 63, 62, 61, 60}, 60},   // 79 limited to 64, then on down
        {0x0E, 0xA0, {}, 80},
        {0x0E, 0xB0, {79}, 79},
    };
    for (const volume_case& c : cases) {
        module_builder b = effect_module();
        b.note(0, 0, 0, 1, 36, 0x0C, 0x50).command(0, 1, 0, c.command, c.parameter);
        module_buffer buffer(b.build(), 1);
        load_module(buffer);
        tick_n(1);
        EXPECT_EQ(recording_driver::values("set_volume", 0), (std::vector<int64_t>{80}));
        tick_n(5);
        recording_driver::clear();
        tick_n(6);
        EXPECT_EQ(recording_driver::values("set_volume", 0), c.volumes) << c.parameter;
        EXPECT_EQ(channels[0].ch_volume, c.after) << c.parameter;
    }
}

TEST(effect_commands, volume_slide_nibbles) {
    struct slide_case { int parameter, start; std::vector<int64_t> volumes; };
    const slide_case cases[] = {
        {0x0F, 64, {49, 34, 19, 4, 0}},
        {0xF0, 0, {15, 30, 45, 60, 64}},
        {0x11, 32, {33, 34, 35, 36, 37}},
        {0x00, 32, {32, 32, 32, 32, 32}},
    };
    for (const slide_case& c : cases) {
        module_builder b = effect_module();
        b.note(0, 0, 0, 1, 36, 0x0C, c.start).command(0, 1, 0, 0x0A, c.parameter);
        module_buffer buffer(b.build(), 1);
        load_module(buffer);
        tick_n(7);
        recording_driver::clear();
        tick_n(5);
        EXPECT_EQ(recording_driver::values("set_volume", 0), c.volumes) << c.parameter;
    }
}

// Note cut, note delay and retrigger at speed 6: on which later tick each acts.
TEST(effect_commands, cut_delay_and_retrigger_timing) {
    struct timing_case {
        const char* name;
        int note, parameter;
        std::vector<uint32_t> ticks;   // later ticks with a set_volume
    };
    const timing_case cases[] = {
        {"EC2", 84, 0xC2, {2}}, {"EC9", 84, 0xC9, {5}}, {"EC0", 84, 0xC0, {}},
        {"ED3", 36, 0xD3, {3}}, {"ED9", 36, 0xD9, {5}}, {"ED0", 36, 0xD0, {}},
        {"ED3 without note", 84, 0xD3, {}},
        {"E93", 36, 0x93, {3}}, {"E92", 36, 0x92, {2, 4}}, {"E93 without note", 84, 0x93, {}},
        {"E90", 36, 0x90, {}},
    };
    for (const timing_case& c : cases) {
        module_builder b = effect_module();
        b.cell(0, 0, 0, 1, 0).note(0, 1, 0, 0, c.note, 0x0E, c.parameter);
        module_buffer buffer(b.build(), 1);
        load_module(buffer);
        tick_n(6);
        std::vector<uint32_t> ticks;
        bool started_on_tick_0 = false;
        for (int i = 0; i < 6; i++) {
            recording_driver::clear();
            pt_tick();
            const std::vector<std::string> calls = recording_driver::channel_trace(0);
            if (i == 0) {
                started_on_tick_0 = !calls.empty();
                continue;
            }
            if (!recording_driver::values("set_volume", 0).empty()) ticks.push_back(player.tick);
        }
        EXPECT_EQ(ticks, c.ticks) << c.name;
        // Only a note without ED triggers on tick 0.
        EXPECT_EQ(started_on_tick_0, c.note == 36 && (c.parameter & 0xF0) != 0xD0) << c.name;
    }
}

TEST(effect_commands, note_delay_and_retrigger_calls) {
    module_builder b = effect_module();
    b.note(0, 0, 0, 1, 24, 0x0E, 0xD2).note(0, 1, 0, 0, 36, 0x0E, 0x93);
    module_buffer buffer(b.build(), 1);
    load_module(buffer);
    tick_n(2);
    recording_driver::clear();
    tick_n(1);
    EXPECT_EQ(recording_driver::channel_trace(0),
              (std::vector<std::string>{"set_volume(32)", "set_period(856)", "set_position(0)"}));
    EXPECT_EQ(channels[0].ch_note, 24);
    tick_n(4);   // row 1: E93 note 36 (ch_note set by the tick-0 trigger)
    channels[0].ch_volume = 10;
    channels[0].ch_note = 12;
    tick_n(2);
    recording_driver::clear();
    tick_n(1);
    EXPECT_EQ(recording_driver::channel_trace(0),
              (std::vector<std::string>{"set_volume(10)", "set_period(428)", "set_position(0)"}));
    EXPECT_EQ(channels[0].ch_note, 12);
}

TEST(effect_commands, pattern_loop_plays_the_rows_three_times_and_loops_again) {
    module_builder b = effect_module();
    b.command(0, 4, 0, 0x0E, 0x60).command(0, 7, 0, 0x0E, 0x62).command(0, 9, 0, 0x0E, 0x61);
    module_buffer buffer(b.build(), 1);
    load_module(buffer);
    std::vector<uint32_t> played;
    for (const auto& r : rows_played(6 * 22)) played.push_back(r.second);
    const std::vector<uint32_t> want = {0, 1, 2, 3, 4, 5, 6, 7, 4, 5, 6, 7, 4, 5, 6, 7,
                                        8, 9, 4, 5, 6, 7};
    EXPECT_EQ(played, want);
}

TEST(effect_commands, speed_and_tempo) {
    struct speed_case { int parameter; uint32_t speed; int32_t tempo; };
    const speed_case cases[] = {{0x01, 1, 125}, {0x1F, 31, 125}, {0x20, 6, 32}, {0xFF, 6, 255}};
    for (const speed_case& c : cases) {
        module_buffer buffer(effect_module().command(0, 0, 2, 0x0F, c.parameter).build(), 1);
        load_module(buffer);
        tick_n(1);
        EXPECT_EQ(player.speed, c.speed);
        EXPECT_EQ(player.tempo, c.tempo);
    }
}

TEST(effect_commands, vibrato_and_tremolo_follow_the_wave) {
    module_builder b = effect_module();
    b.note(0, 0, 0, 1, 36, 0x04, 0xC8).note(0, 0, 1, 1, 36, 0x07, 0xC4);
    module_buffer buffer(b.build(), 1);
    load_module(buffer);
    tick_n(1);
    recording_driver::clear();
    tick_n(5);
    // sine at 0, 12, 24, 36, 48 = 0, 235, 180, -97, -255; depth 8, truncating toward zero
    EXPECT_EQ(recording_driver::values("set_period", 0),
              (std::vector<int64_t>{428, 442, 439, 422, 412}));
    EXPECT_EQ(channels[0].ch_period, 428);
    EXPECT_EQ(channels[0].ch_vib_pos, (5 * 12) & 63);
    EXPECT_EQ(recording_driver::values("set_volume", 1),
              (std::vector<int64_t>{32, 46, 43, 26, 16}));
    EXPECT_EQ(channels[1].ch_volume, 32);
}

TEST(effect_commands, tremolo_volume_is_held_between_0_and_64) {
    module_builder b = effect_module();
    b.note(0, 0, 0, 1, 36, 0x0C, 60).command(0, 1, 0, 0x07, 0x4F).note(0, 2, 0, 1, 36, 0x0C, 4)
        .command(0, 3, 0, 0x07, 0x4F).command(0, 2, 1, 0x0E, 0x72);
    module_buffer buffer(b.build(), 1);
    load_module(buffer);
    tick_n(7);
    recording_driver::clear();
    tick_n(5);
    EXPECT_EQ(recording_driver::values("set_volume", 0), (std::vector<int64_t>{60, 64, 64, 64, 64}));
    tick_n(7);   // row 2: volume 4, square wave chosen by channel 1
    recording_driver::clear();
    tick_n(5);
    // E72 on channel 1 resets only channel 1's position: channel 0 goes on from 20 in the
    // square wave (255 up to entry 31, then 0), depth 30: 4 + 255 x 30 / 127 = 64.
    EXPECT_EQ(recording_driver::values("set_volume", 0), (std::vector<int64_t>{64, 64, 64, 4, 4}));
}

TEST(effect_commands, waveform_choice_is_shared_and_e4x_resets_the_position_only_below_4) {
    struct wave_case { int parameter; const int16_t* wave; bool reset; };
    const wave_case cases[] = {{0x40, sine_wave, true}, {0x41, ramp_wave, true},
                               {0x42, square_wave, true}, {0x43, random_wave, true},
                               {0x47, random_wave, false}, {0x4D, ramp_wave, false}};
    for (const wave_case& c : cases) {
        module_buffer buffer(effect_module().command(0, 0, 3, 0x0E, c.parameter)
                                 .command(0, 0, 2, 0x0E, c.parameter + 0x30).build(), 1);
        load_module(buffer);
        channels[3].ch_vib_pos = 17;
        channels[2].ch_trem_pos = 9;
        tick_n(1);
        EXPECT_EQ(player.vibrato_wave, c.wave) << c.parameter;
        EXPECT_EQ(player.tremolo_wave, c.wave) << c.parameter;
        EXPECT_EQ(channels[3].ch_vib_pos, c.reset ? 0 : 17) << c.parameter;
        EXPECT_EQ(channels[2].ch_trem_pos, c.reset ? 0 : 9) << c.parameter;
    }
}

TEST(effect_commands, panning_commands) {
    module_builder b = effect_module();
    b.command(0, 0, 1, 0x08, 0xC8).command(0, 1, 1, 0x0E, 0x83).cell(0, 2, 1, 1, 0);
    module_buffer buffer(b.build(), 1);
    load_module(buffer);
    tick_n(1);
    EXPECT_EQ(recording_driver::channel_trace(1), (std::vector<std::string>{"set_panning(200)"}));
    EXPECT_EQ(channels[1].ch_panning, 200);
    tick_n(5);
    recording_driver::clear();
    tick_n(1);
    EXPECT_EQ(recording_driver::channel_trace(1), (std::vector<std::string>{"set_panning(48)"}));
    EXPECT_EQ(default_pan[1], 3);
    tick_n(5);
    recording_driver::clear();
    tick_n(1);   // the next sample change takes the new nibble; pt_reset keeps it
    EXPECT_EQ(recording_driver::values("set_panning", 1), (std::vector<int64_t>{48}));
    pt_reset();
    EXPECT_EQ(default_pan[1], 3);
}

TEST(effect_commands, finetune_command_applies_after_the_note_is_triggered) {
    module_builder b = effect_module();
    b.note(0, 0, 0, 1, 36, 0x0E, 0x58).command(0, 1, 0, 0x00, 0x0C);
    module_buffer buffer(b.build(), 1);
    load_module(buffer);
    tick_n(1);
    EXPECT_EQ(recording_driver::values("set_period", 0), (std::vector<int64_t>{428}));
    EXPECT_EQ(channels[0].ch_finetune, 8);
    tick_n(5);
    EXPECT_EQ(values_per_tick("set_period", 0, 3), (values{{453}, {453}, {period_table[8][48]}}));
}

TEST(effect_commands, sample_offset_sends_256_byte_steps) {
    for (int x : {0, 1, 0xFF}) {
        module_buffer buffer(effect_module().note(0, 0, 0, 1, 36, 0x09, x).build(), 1);
        load_module(buffer);
        tick_n(1);
        EXPECT_EQ(recording_driver::values("set_position", 0), (std::vector<int64_t>{x * 256}));
    }
}

}  // namespace
