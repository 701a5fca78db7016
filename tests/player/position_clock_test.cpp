// Tests of the position clock: row stamps, the walk to the music position, row_time.
#include "player/position_clock.h"

#include <gtest/gtest.h>

#include "host/host.h"

namespace {

class PositionClockTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        host_use_virtual();
        position_clock_reset_state();
    }

    int32_t position_at(uint32_t now)
    {
        virtual_ticks = now;
        return update_music_position();
    }
};

TEST_F(PositionClockTest, starts_at_minus_one_then_reads_zero_until_a_stamp_passes)
{
    EXPECT_EQ(-1, music_position());
    EXPECT_EQ(0, position_at(5000));
    EXPECT_EQ(0, music_position());
    EXPECT_EQ(row_not_stamped, row_time(0));
}

TEST_F(PositionClockTest, a_stamp_counts_once_now_is_past_it)
{
    record_row_time(0, 0, 1000);
    record_row_time(0, 1, 1120);
    struct Step { uint32_t now; int32_t position; };
    const Step steps[] = {{1000, 0}, {1001, 0}, {1120, 0}, {1121, 1}, {900000, 1}};
    for (const Step& s : steps)
        EXPECT_EQ(s.position, position_at(s.now)) << s.now;
    EXPECT_EQ(1, music_position());
}

TEST_F(PositionClockTest, forward_jumps_stamp_the_skipped_rows_and_backward_ones_nothing)
{
    for (int32_t i = 0; i < 5 * 64 + 3; ++i)
        record_row_time(i / 64, i % 64, 100);
    record_row_time(5, 10, 7000);
    for (int32_t i = 323; i <= 330; ++i)
        EXPECT_EQ(7000, row_time((i / 64) * 100 + i % 64)) << i;
    EXPECT_EQ(row_not_stamped, row_time(511));
    record_row_time(3, 0, 8000);   // play went back: nothing changes
    record_row_time(5, 10, 8000);  // the row keeps its first stamp
    EXPECT_EQ(100, row_time(300));
    EXPECT_EQ(7000, row_time(510));
    record_row_time(5, 11, 9000);
    EXPECT_EQ(9000, row_time(511));
    // The walk passes the jumped-over rows at once.
    EXPECT_EQ(502, position_at(101));
    EXPECT_EQ(510, position_at(7001));
}

TEST_F(PositionClockTest, rows_outside_the_song_are_ignored)
{
    struct Case { int32_t order, row; };
    const Case ignored[] = {{-1, 63}, {129, 0}, {0, 64}, {0, -1}, {INT32_MIN, 0}};
    for (const Case& c : ignored)
        record_row_time(c.order, c.row, 500);
    EXPECT_EQ(0, position_at(100000));
    EXPECT_EQ(row_not_stamped, row_time(0));
    record_row_time(128, 63, 500);
    EXPECT_EQ(500, row_time(12863));
    EXPECT_EQ(500, row_time(0));   // everything before it took the same stamp
    EXPECT_EQ(12863, position_at(501));
}

TEST_F(PositionClockTest, positions_and_indexes_convert_both_ways)
{
    for (int32_t i = 0; i <= 544; ++i)
        record_row_time(i / 64, i % 64, 10 * i);
    EXPECT_EQ(202, position_at(10 * 130 + 1));        // index 130 = order 2, row 2
    EXPECT_EQ(10 * 544, row_time(832));               // position 832 is index 544
    EXPECT_EQ(10 * 130, row_time(202));
}

TEST_F(PositionClockTest, row_time_of_positions_naming_no_row_reads_not_stamped)
{
    for (int32_t i = 0; i < 200; ++i)
        record_row_time(i / 64, i % 64, 42);
    for (int32_t p : {-1, -100, INT32_MIN, 64, 99, 164, 15616, 15700, INT32_MAX})
        EXPECT_EQ(row_not_stamped, row_time(p)) << p;
    EXPECT_EQ(42, row_time(63));
    EXPECT_EQ(42, row_time(307));    // index 199
}

TEST_F(PositionClockTest, the_clock_only_moves_forward_and_reset_starts_over)
{
    record_row_time(0, 0, 1000);
    record_row_time(0, 5, 2000);
    EXPECT_EQ(5, position_at(3000));
    EXPECT_EQ(5, position_at(10));   // the wall clock going back does not move it back
    reset_row_times();
    EXPECT_EQ(5, music_position());  // kept until the next update
    EXPECT_EQ(row_not_stamped, row_time(0));
    EXPECT_EQ(0, position_at(3000));
    record_row_time(0, 2, 3500);
    EXPECT_EQ(2, position_at(3501));
}

// Past 9999999 ms the marker of an unstamped row is no longer later than now: the walk is
// bounded by the stamped rows instead, and never leaves the table.
TEST_F(PositionClockTest, a_clock_past_the_marker_stops_at_the_last_stamped_row)
{
    EXPECT_EQ(0, position_at(10000000));
    EXPECT_EQ(0, position_at(0xFFFFFFFFu));   // negative as a signed time
    EXPECT_EQ(0, position_at(0x7FFFFFFFu));
    record_row_time(0, 0, 9999990);
    record_row_time(0, 1, 9999995);
    EXPECT_EQ(0, position_at(9999992));
    EXPECT_EQ(1, position_at(12000000));
    EXPECT_EQ(1, position_at(0x7FFFFFFFu));
    // A song that stamps every row to the last: the walk ends inside the table.
    record_row_time(128, 63, 10000001);
    EXPECT_EQ(12863, position_at(0x7FFFFFFFu));
}

} // namespace
