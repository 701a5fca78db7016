// The timed overlays: accumulators, the row dissolve and its order of rand calls.
#include "scene_fixture.h"

namespace {

constexpr uint32_t gringot_tag = 0xFF000008u;
constexpr uint32_t whitenoise_tag = 0xFF00000Eu;
constexpr uint32_t noise_tag = 0xFF00000Du;

class overlay_test : public scene_test {
protected:
    void SetUp() override
    {
        scene_test::SetUp();
        fill_all(pic_gringot, gringot_tag);
        fill_all(pic_whitenoise, whitenoise_tag);
        fill_all(pic_noise, noise_tag);
        build_overlay_table();
    }

    // One frame: the position and clock as given, a black frame, then the overlays.
    static void frame_at(uint32_t position, uint32_t ticks, overlay_entry* table = overlay_table)
    {
        play_to(position, ticks);
        std::memset(work_frame, 0, frame_bytes);
        overlay(work_frame, table);
    }

    // Rows whose every word, and only those, carries `word`.
    static std::vector<int> rows_showing(uint32_t word)
    {
        std::vector<int> rows;
        for (int y = 0; y < frame_height; y++) {
            int count = 0;
            for (int x = 0; x < frame_width; x++)
                count += at(work_frame, x, y) == word;
            if (count == frame_width)
                rows.push_back(y);
            else
                EXPECT_EQ(count, 0) << "row " << y << " drawn in part";
        }
        return rows;
    }
};

// What the dissolve must show for one entry, replaying the C library's sequence: per
// row the dissolve in's value while it lasts, then the dissolve out's for a survivor.
std::vector<int> expected_rows(const overlay_entry& e, int top, int bottom)
{
    std::vector<int> rows;
    for (int y = top; y <= bottom; y++) {
        if (e.fade_in_ms - e.since_start_ms > 0 && e.fade_in_ms - e.since_start_ms > rand() % e.fade_in_ms)
            continue;
        if (e.fade_out_ms - e.since_end_ms < rand() % e.fade_out_ms)
            continue;
        rows.push_back(y);
    }
    return rows;
}

TEST_F(overlay_test, first_call_measures_from_zero_and_feeds_only_active_entries)
{
    frame_at(100, 5000);
    EXPECT_EQ(overlay_table[0].since_start_ms, 5000);
    EXPECT_EQ(overlay_table[0].since_end_ms, 0);
    for (int i = 1; i < 12; i++)
        EXPECT_EQ(overlay_table[i].since_start_ms, 0) << "entry " << i;
    // Fully dissolved in: every row of 53..183 shows, nothing else.
    std::vector<int> rows = rows_showing(gringot_tag);
    ASSERT_EQ(rows.size(), 131u);
    EXPECT_EQ(rows.front(), 53);
    EXPECT_EQ(rows.back(), 183);

    frame_at(100, 5020);
    EXPECT_EQ(overlay_table[0].since_start_ms, 5020);
}

// States of entry 0 (200 ms in, 1500 ms out, rows 53..183) after a first frame at
// position 0 and a second one `delta` ms later at `position`.
TEST_F(overlay_test, rows_dissolve_in_the_fixed_order_of_rand_calls)
{
    struct {
        const char* name;
        uint32_t position;
        uint32_t frames;     // frames of `delta` ms at `position`
        uint32_t delta;
    } cases[] = {
        {"first frame in, 10 percent of rows", 100, 1, 20},
        {"half way in", 100, 5, 20},
        {"shown, one rand per row", 100, 20, 20},
        {"in and out at once", 148, 5, 20},
        {"half way out", 148, 75, 10},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        frame_at(0, 1000);
        for (uint32_t f = 1; f < c.frames; f++)
            frame_at(c.position, 1000 + f * c.delta);
        overlay_entry e = overlay_table[0];
        e.since_start_ms += static_cast<int32_t>(c.delta);
        if (c.position >= e.end_pos)
            e.since_end_ms += static_cast<int32_t>(c.delta);

        srand(7);
        std::vector<int> expected = expected_rows(e, 53, 183);
        int next_expected = rand();
        srand(7);
        frame_at(c.position, 1000 + c.frames * c.delta);
        EXPECT_EQ(rows_showing(gringot_tag), expected);
        EXPECT_EQ(rand(), next_expected) << "a different number of rand calls";
        EXPECT_EQ(overlay_table[0].since_start_ms, e.since_start_ms);
        EXPECT_EQ(overlay_table[0].since_end_ms, e.since_end_ms);
    }
}

TEST_F(overlay_test, a_row_shows_with_chance_e_plus_1_over_fade_out)
{
    // Two ms of dissolve out with one passed: e = 1, and r = rand % 2 is never above
    // it, so every row still shows.
    fill_all(pic_trulgun, 0xFF123456u);
    overlay_entry table[2] = {
        {0, 0, 0, 0, 2, 0, &pictures[pic_trulgun], 0, 0, 319, 239},
        {0, 0, 0, 0, 0, 0, nullptr, 0, 0, 319, 239},
    };
    frame_at(500, 1, table);
    ASSERT_EQ(table[0].since_end_ms, 1);
    EXPECT_EQ(rows_showing(0xFF123456u).size(), 240u);
    frame_at(500, 2, table);
    EXPECT_TRUE(rows_showing(0xFF123456u).empty());
}

TEST_F(overlay_test, first_frame_of_the_dissolve_shows_about_one_row_in_ten)
{
    // Entry 0 at 20 ms of 200: a row shows when rand % 200 >= 180.
    size_t shown = 0;
    for (int run = 0; run < 20; run++) {
        SetUp();
        srand(static_cast<unsigned>(run + 1));
        frame_at(0, 1000);
        frame_at(100, 1020);
        shown += rows_showing(gringot_tag).size();
    }
    // 2620 rows at 10 %: 262 expected, a standard deviation of about 15.
    EXPECT_GT(shown, 200u);
    EXPECT_LT(shown, 330u);
}

TEST_F(overlay_test, a_call_in_the_same_millisecond_moves_nothing)
{
    // Entry 2 (whitenoise, fade out 1 ms) alone, fully in at position 300, its end_pos.
    overlay_entry table[2] = {overlay_table[2], overlay_table[12]};
    frame_at(260, 1000, table);
    frame_at(300, 1000, table);
    EXPECT_EQ(table[0].since_end_ms, 0);
    EXPECT_EQ(table[0].since_start_ms, 1000);
    EXPECT_EQ(rows_showing(whitenoise_tag).size(), 240u);

    // 15 ms later the single millisecond of dissolve out is over for good, and the
    // entry draws no random number any more.
    frame_at(300, 1015, table);
    EXPECT_EQ(table[0].since_end_ms, 15);
    EXPECT_TRUE(rows_showing(whitenoise_tag).empty());
    srand(3);
    int next = rand();
    srand(3);
    frame_at(300, 1030, table);
    EXPECT_TRUE(rows_showing(whitenoise_tag).empty());
    EXPECT_EQ(rand(), next);
}

TEST_F(overlay_test, last_noise_is_still_dissolving_in_at_the_end)
{
    // Rows 40..63 of order 13 at 120 ms a row, frames every 20 ms; entry 11 starts at
    // row 44 and has 4400 ms to dissolve in, but 1363 comes 2280 ms later.
    const int32_t t0 = 200000;
    stamp(1340, t0);
    for (int row = 41; row <= 63; row++)
        stamp(1300 + row, t0 + 120 * (row - 40));
    uint32_t ticks = t0 + 1;
    uint32_t entry_start = 0;
    for (;;) {
        virtual_ticks = ticks;
        update_music_position();
        if (entry_start == 0 && music_position() >= 1344)
            entry_start = ticks;
        std::memset(work_frame, 0, frame_bytes);
        overlay(work_frame, overlay_table);
        if (music_position() >= 1363)
            break;
        ticks += 20;
    }
    const overlay_entry& e = overlay_table[11];
    EXPECT_EQ(e.since_end_ms, 0);
    // Active from its first frame on, with that frame's 20 ms.
    EXPECT_EQ(e.since_start_ms, static_cast<int32_t>(ticks - entry_start + 20));
    EXPECT_LT(e.since_start_ms, e.fade_in_ms);
    size_t rows = rows_showing(noise_tag).size();
    EXPECT_GT(rows, 0u);
    EXPECT_LT(rows, 240u);
}

TEST_F(overlay_test, a_rectangle_beyond_the_frame_is_cut_to_it)
{
    fill_all(pic_trulgun, 0xFF123456u);
    overlay_entry table[3] = {
        {0, 0, 0, 100000, 1000, 0, &pictures[pic_trulgun], -10, -5, 400, 300},
        {0, 0, 0, 0, 0, 0, nullptr, 0, 0, 319, 239},
        {0, 0, 0, 0, 0, 0, &pictures[pic_trulgun], 0, 0, 319, 239},
    };
    play_to(500, 1000);
    srand(5);
    for (int row = 0; row < frame_height; row++)
        rand();
    int next = rand();
    srand(5);
    overlay(work_frame, table);
    EXPECT_TRUE(frame_all(work_frame, 0xFF123456u));
    EXPECT_EQ(rand(), next) << "one rand per row inside the frame";
    // Nothing after the end marker is looked at.
    EXPECT_EQ(table[2].since_start_ms, 0);
    EXPECT_EQ(table[0].since_start_ms, 1000);
}

TEST_F(overlay_test, an_entry_before_its_start_keeps_its_accumulators)
{
    frame_at(99, 5000);
    frame_at(99, 6000);
    for (int i = 0; i < 12; i++) {
        EXPECT_EQ(overlay_table[i].since_start_ms, 0) << "entry " << i;
        EXPECT_EQ(overlay_table[i].since_end_ms, 0) << "entry " << i;
    }
    EXPECT_TRUE(frame_all(work_frame, 0));
}

} // namespace
