// The period table: the Amiga period of every note for every finetune. Row = finetune
// nibble (0..7 = finetune 0..+7, 8..15 = -8..-1), column = note index 0..83 from the lowest
// note up, plus entry 84 repeating entry 83 (the "no note" index).
#pragma once
#include <cstdint>

constexpr int period_rows = 16;
constexpr int period_columns = 85;
constexpr int no_note = 84;

extern const uint16_t period_table[period_rows][period_columns];

// P(f, k) with k held inside the row: indexes past 84 read entry 84 of row f.
inline int32_t period_at(int32_t finetune, int32_t note) {
    if (note > no_note) note = no_note;
    if (note < 0) note = 0;
    return period_table[finetune & 15][note];
}
