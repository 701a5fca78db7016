// The position clock: audio_fill stamps every row with the time it will be heard; the
// frame loop turns the stamps into the music position, order * 100 + row.
#pragma once
#include <cstdint>

constexpr int32_t row_not_stamped = 9999999;

void reset_row_times();
void record_row_time(int32_t order, int32_t row, int32_t time);
int32_t update_music_position();   // main thread, once per frame, under the audio lock
int32_t music_position();          // the value of the last update
int32_t row_time(int32_t position);
void position_clock_reset_state(); // start values, music position -1 included
