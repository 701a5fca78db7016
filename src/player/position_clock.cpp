// The position clock: the row-time table that audio_fill stamps with the time each row will
// be heard, and the walk that turns the stamps into the music position, order * 100 + row.
// Owns: row_times, row_times_filled, row_cursor, the music position.
#include "player/position_clock.h"

#include <array>

#include "host/host.h"

namespace {

constexpr int32_t row_table_size = 10000;   // index = order * 64 + row; 0..8255 are used

using row_table = std::array<int32_t, row_table_size>;

constexpr row_table unstamped_rows()
{
    row_table table{};
    for (int32_t& t : table)
        t = row_not_stamped;
    return table;
}

struct clock_state {
    row_table row_times;   // ms at which each row is heard, or row_not_stamped
    int32_t row_times_filled;            // first entry not stamped yet; all below are stamped
    int32_t row_cursor;                  // last entry whose time has passed; -1 while none
    int32_t position;                    // last value of update_music_position
};

clock_state clock_table = {unstamped_rows(), 0, -1, -1};

// Position p = (i / 64) * 100 + i % 64 for a table index i >= 0.
int32_t position_of_index(int32_t i) { return (i / 64) * 100 + i % 64; }

} // namespace

void reset_row_times()
{
    clock_table.row_times.fill(row_not_stamped);
    clock_table.row_times_filled = 0;
    clock_table.row_cursor = -1;
}

void record_row_time(int32_t order, int32_t row, int32_t time)
{
    if (static_cast<uint32_t>(order) > 128u || row < 0 || row > 63)
        return;
    const int32_t i = order * 64 + row;
    if (i < clock_table.row_times_filled)
        return;
    // Rows that play jumped over forward get the time of the row reached.
    // Each stamp is stored as one indivisible word: row_time reads the table from the main
    // thread without the audio lock while this runs on the audio thread.
    for (int32_t k = clock_table.row_times_filled; k <= i; ++k)
        if (clock_table.row_times[k] == row_not_stamped)
            __atomic_store_n(&clock_table.row_times[k], time, __ATOMIC_RELAXED);
    clock_table.row_times_filled = i + 1;
}

int32_t update_music_position()
{
    host_lock_audio();
    const int32_t now = static_cast<int32_t>(host_ticks());
    // The walk stays inside the stamped entries: past 9999999 ms the unstamped marker would
    // no longer be later than now, so the end of the stamps bounds it, not the marker alone.
    while (clock_table.row_cursor + 1 < clock_table.row_times_filled &&
           now > clock_table.row_times[clock_table.row_cursor + 1])
        ++clock_table.row_cursor;
    clock_table.position =
        clock_table.row_cursor < 0 ? 0 : position_of_index(clock_table.row_cursor);
    const int32_t result = clock_table.position;
    host_unlock_audio();
    return result;
}

int32_t music_position() { return clock_table.position; }

// Index i = p - (p / 100) * 36. Negative positions, rows 64..99 and positions past the
// table name no row: they read as not stamped, i.e. not reached yet.
int32_t row_time(int32_t position)
{
    if (position < 0 || position % 100 > 63)
        return row_not_stamped;
    const int32_t i = position - (position / 100) * 36;
    if (i >= row_table_size)
        return row_not_stamped;
    // Read without the audio lock, as one indivisible word (see record_row_time).
    return __atomic_load_n(&clock_table.row_times[i], __ATOMIC_RELAXED);
}

void position_clock_reset_state()
{
    clock_table.row_times.fill(row_not_stamped);
    clock_table.row_times_filled = 0;
    clock_table.row_cursor = -1;
    clock_table.position = -1;
}
