// Row sequencing and note triggering: reset, the order of driver calls on tick 0, the
// row and order steps, song end, pattern delay and speed 0.
#include "replay_helpers.h"

#include "player/module_loader.h"
#include "player/period_table.h"
#include "player/waveforms.h"

namespace {

using rows = std::vector<std::pair<int32_t, uint32_t>>;
using strings = std::vector<std::string>;

module_builder one_sample_module(int channels = 4) {
    module_builder b(channels, channels == 4 ? "M.K." : std::to_string(channels) + "CHN");
    b.orders({0}).sample(1, {16, 0, 48, 0, 1}).sample(2, {16, 8, 20, 0, 1});
    return b;
}

TEST(replayer, reset_sets_the_start_of_the_song_and_keeps_glissando_and_panning) {
    module_buffer buffer(one_sample_module().build(), 1);
    load_module(buffer);
    channels[3].ch_glissando = 1;
    channels[3].ch_panning = 200;
    channels[3].ch_volume = 40;
    channels[3].ch_loop_count = 2;
    pt_reset();
    EXPECT_EQ(player.order, -1);
    EXPECT_EQ(player.row, 63u);
    EXPECT_EQ(player.tick, 5u);
    EXPECT_EQ(player.speed, 6u);
    EXPECT_EQ(player.tempo, 125);
    EXPECT_EQ(player.vibrato_wave, sine_wave);
    EXPECT_EQ(channels[3].ch_glissando, 1);
    EXPECT_EQ(channels[3].ch_panning, 200);
    EXPECT_EQ(channels[3].ch_volume, 0);
    EXPECT_EQ(channels[3].ch_loop_count, 0);
    EXPECT_EQ(ramp_wave[32], -1);
    for (int16_t v : random_wave) {
        EXPECT_GE(v, -256);
        EXPECT_LE(v, 254);
    }
}

TEST(replayer, first_tick_plays_row_0_with_the_tick_0_calls_in_order) {
    module_builder b = one_sample_module();
    b.note(0, 0, 0, 1, 36).cell(0, 0, 1, 2, 0).note(0, 0, 2, 0, 36).cell(0, 0, 3, 0, 0, 0x0C, 80);
    module_buffer buffer(b.build(), 1);
    load_module(buffer);
    const std::vector<played_tick> t = run_ticks(1);
    EXPECT_EQ(t[0].order, 0);
    EXPECT_EQ(t[0].row, 0u);
    EXPECT_EQ(t[0].tick, 0u);
    const strings want = {
        // note with sample: volume, default panning 4 x 16, sample, then the trigger
        "select_channel(0)", "set_volume(48)", "set_panning(64)", "set_sample(1)",
        "set_period(428)", "set_position(0)",
        // sample without note: the channel keeps playing from where it is
        "select_channel(1)", "set_volume(20)", "set_panning(192)", "set_sample(2)",
        // note without sample, channel never had one: finetune row 0
        "select_channel(2)", "set_period(428)", "set_position(0)",
        // no sample, no note: only the command's own operation
        "select_channel(3)", "set_volume(80)",
    };
    EXPECT_EQ(t[0].calls, want);
    EXPECT_EQ(channels[0].ch_note, 36);
    EXPECT_EQ(channels[0].ch_period, 428);
    EXPECT_EQ(channels[1].ch_volume, 20);
    EXPECT_EQ(channels[1].ch_panning, 192);
}

TEST(replayer, sample_change_calls_depend_on_the_command) {
    struct command_case { int command, parameter; strings calls; };
    const command_case cases[] = {
        {0x0C, 10, {"set_panning(64)", "set_sample(1)", "set_volume(10)"}},
        {0x08, 99, {"set_volume(48)", "set_sample(1)", "set_panning(99)"}},
        {0x0A, 1, {"set_volume(48)", "set_panning(64)", "set_sample(1)"}},
    };
    for (const command_case& c : cases) {
        module_builder b = one_sample_module();
        b.cell(0, 0, 0, 1, 0, c.command, c.parameter);
        module_buffer buffer(b.build(), 1);
        load_module(buffer);
        run_ticks(1);
        EXPECT_EQ(recording_driver::channel_trace(0), c.calls) << c.command;
    }
}

TEST(replayer, notes_with_offset_or_portamento_do_not_restart_the_sample) {
    module_builder b = one_sample_module();
    b.note(0, 0, 0, 1, 24).note(0, 1, 0, 0, 36, 0x09, 2).note(0, 2, 0, 0, 48, 0x03, 0)
        .note(0, 3, 0, 0, 40, 0x05, 0);
    module_buffer buffer(b.build(), 1);
    load_module(buffer);
    run_ticks(6);
    recording_driver::clear();
    run_ticks(1);   // row 1: 9xx
    EXPECT_EQ(recording_driver::channel_trace(0), (strings{"set_period(428)", "set_position(512)"}));
    run_ticks(5);
    recording_driver::clear();
    run_ticks(1);   // row 2: note with 3xx only sets the target
    EXPECT_TRUE(recording_driver::channel_trace(0).empty());
    EXPECT_EQ(channels[0].ch_note, 36);
    EXPECT_EQ(channels[0].ch_period, 428);
    EXPECT_EQ(channels[0].ch_target, 214);
    run_ticks(5);
    run_ticks(1);   // row 3: note with 5xy likewise
    EXPECT_EQ(channels[0].ch_target, period_table[0][40]);
    EXPECT_EQ(channels[0].ch_note, 36);
}

TEST(replayer, note_takes_the_finetune_of_the_channels_last_sample) {
    module_builder b = one_sample_module();
    b.note(0, 0, 0, 2, 36).note(0, 1, 0, 0, 36).cell(0, 1, 1, 2, 0).note(0, 2, 1, 0, 24);
    module_buffer buffer(b.build(), 1);
    load_module(buffer);
    const auto row_0_and_1 = values_per_tick("set_period", 0, 7);
    EXPECT_EQ(row_0_and_1[0], (std::vector<int64_t>{453}));
    // row 1, channel 0: no sample in the cell, finetune -8 from sample 2
    EXPECT_EQ(row_0_and_1[6], (std::vector<int64_t>{453}));
    EXPECT_EQ(channels[0].ch_finetune, 8);
    // row 2, channel 1: its sample came without a note on row 1
    const auto periods = values_per_tick("set_period", 1, 6);
    EXPECT_EQ(periods[5], (std::vector<int64_t>{907}));
}

TEST(replayer, sample_numbers_above_31_count_as_no_sample) {
    module_builder b = one_sample_module();
    b.note(0, 0, 0, 1, 36).note(0, 1, 0, 0xF7, 24);
    module_buffer buffer(b.build(), 1);
    load_module(buffer);
    run_ticks(6);
    recording_driver::clear();
    run_ticks(1);
    EXPECT_EQ(recording_driver::channel_trace(0), (strings{"set_period(856)", "set_position(0)"}));
    EXPECT_EQ(channels[0].ch_sample, 1);
}

TEST(replayer, song_end_continues_at_the_restart_order) {
    struct song_case { int length, restart; rows starts; };
    const song_case cases[] = {
        {3, 1, {{0, 0}, {1, 0}, {2, 0}, {1, 0}, {2, 0}, {1, 0}}},
        {3, 0, {{0, 0}, {1, 0}, {2, 0}, {0, 0}, {1, 0}, {2, 0}}},
        {0, 2, {{2, 0}, {2, 0}, {2, 0}, {2, 0}, {2, 0}, {2, 0}}},
    };
    for (const song_case& c : cases) {
        module_builder b = one_sample_module();
        b.orders({0, 1, 2}).song_length(c.length).restart(c.restart);
        for (int p = 0; p < 3; p++) b.note(p, 0, 0, 1, 36 + p);
        module_buffer buffer(b.build(), 1);
        load_module(buffer);
        rows starts;
        for (const auto& r : rows_played(6 * 64 * 6)) {
            if (r.second == 0) starts.push_back(r);
        }
        EXPECT_EQ(starts, c.starts) << c.length << " " << c.restart;
    }
}

TEST(replayer, song_length_0_plays_the_restart_entry_pattern) {
    module_builder b = one_sample_module();
    b.orders({0, 1, 2}).song_length(0).restart(2).note(2, 0, 0, 1, 40).note(0, 0, 0, 1, 20);
    module_buffer buffer(b.build(), 1);
    load_module(buffer);
    const auto periods = values_per_tick("set_period", 0, 6 * 64 * 3);
    for (size_t i = 0; i < periods.size(); i++) {
        if (i % (6 * 64) == 0) {
            EXPECT_EQ(periods[i], (std::vector<int64_t>{period_table[0][40]})) << i;
        } else {
            EXPECT_TRUE(periods[i].empty()) << i;
        }
    }
}

TEST(replayer, position_commands_choose_the_next_row) {
    struct jump_case { const char* name; std::vector<std::pair<int, int>> commands; rows next; };
    const jump_case cases[] = {
        {"B02 alone", {{0x0B, 0x02}}, {{0, 5}, {2, 0}}},
        {"D10 alone", {{0x0D, 0x10}}, {{0, 5}, {1, 10}}},
        {"D1F reads as row 25", {{0x0D, 0x1F}}, {{0, 5}, {1, 25}}},
        {"B02 and D12", {{0x0B, 0x02}, {0x0D, 0x12}}, {{0, 5}, {2, 12}}},
        {"D12 then B00", {{0x0D, 0x12}, {0x0B, 0x00}}, {{0, 5}, {0, 12}}},
        {"B07 past song length", {{0x0B, 0x07}}, {{0, 5}, {1, 0}}},
        {"D70 past the pattern", {{0x0D, 0x70}}, {{0, 5}, {1, 0}}},
    };
    for (const jump_case& c : cases) {
        module_builder b = one_sample_module();
        b.orders({0, 0, 0}).restart(1);
        for (size_t i = 0; i < c.commands.size(); i++) {
            b.command(0, 5, static_cast<int>(i), c.commands[i].first, c.commands[i].second);
        }
        module_buffer buffer(b.build(), 1);
        load_module(buffer);
        const rows played = rows_played(6 * 7);
        ASSERT_EQ(played.size(), 7u) << c.name;
        EXPECT_EQ(rows(played.begin() + 5, played.end()), c.next) << c.name;
    }
}

// A pattern loop on a later channel after Bxx keeps the row inside the pattern with `order`
// already moved; an order index outside the list then plays the restart entry.
TEST(replayer, jump_and_loop_on_one_row_stay_inside_the_order_list) {
    module_builder b = one_sample_module();
    b.orders({0, 1}).restart(1)
        .command(0, 3, 1, 0x0E, 0x60).command(0, 5, 0, 0x0B, 0x00).command(0, 5, 1, 0x0E, 0x61)
        .command(1, 3, 2, 0x0E, 0x60).command(1, 5, 0, 0x0B, 0xFF).command(1, 5, 2, 0x0E, 0x61);
    module_buffer buffer(b.build(), 1);
    load_module(buffer);
    const rows want = {{0, 0}, {0, 1}, {0, 2}, {0, 3}, {0, 4}, {0, 5}, {1, 3}, {1, 4}, {1, 5},
                       {1, 3}, {1, 4}, {1, 5}, {1, 0}};
    EXPECT_EQ(rows_played(6 * 13), want);
}

TEST(replayer, pattern_delay_holds_the_row_while_later_ticks_run) {
    module_builder b = one_sample_module();
    b.note(0, 1, 0, 1, 36, 0x0A, 0x01).command(0, 1, 1, 0x0E, 0xE2).command(0, 1, 2, 0x0E, 0xE1);
    module_buffer buffer(b.build(), 1);
    load_module(buffer);
    run_ticks(6);
    const std::vector<played_tick> t = run_ticks(6 * 4);
    // Row 1 lasts three rows' worth of ticks: its tick 0, then two delayed row steps.
    EXPECT_EQ(t[0].row, 1u);
    for (int i : {6, 12}) {
        EXPECT_EQ(t[i].row, 1u) << i;
        EXPECT_EQ(t[i].tick, 0u) << i;
        EXPECT_TRUE(t[i].calls.empty()) << i;
    }
    EXPECT_EQ(t[18].row, 2u);
    int slides = 0;
    for (int i = 0; i < 18; i++) slides += static_cast<int>(std::count(t[i].calls.begin(), t[i].calls.end(), "set_volume(47)"));
    EXPECT_EQ(channels[0].ch_volume, 48 - 15);
    EXPECT_EQ(slides, 1);
}

TEST(replayer, speed_0_freezes_the_song_and_retriggers_every_tick) {
    module_builder b = one_sample_module();
    b.note(0, 2, 0, 1, 36).command(0, 2, 1, 0x0F, 0x00);
    module_buffer buffer(b.build(), 1);
    load_module(buffer);
    run_ticks(12);
    const std::vector<played_tick> t = run_ticks(20);
    for (const played_tick& p : t) {
        EXPECT_EQ(p.row, 2u);
        EXPECT_EQ(p.tick, 0u);
        EXPECT_EQ(p.calls[4], "set_period(428)");
    }
}

TEST(replayer, nothing_is_played_before_a_module_is_taken) {
    reset_player_for_test();
    pt_reset();
    run_ticks(20);
    EXPECT_TRUE(recording_driver::calls().empty());
}

}  // namespace
