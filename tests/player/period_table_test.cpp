// The period table and the waveforms: reference rows, the C of every octave, the octave
// rule, and that no row ever rises.
#include <gtest/gtest.h>

#include <cstdlib>

#include "player/period_table.h"
#include "player/waveforms.h"

namespace {

TEST(period_table, reference_rows_0_and_8) {
    const uint16_t row0[85] = {
        3424, 3232, 3048, 2880, 2712, 2560, 2416, 2280, 2152, 2032, 1920, 1812, 1712, 1616, 1524,
        1440, 1356, 1280, 1208, 1140, 1076, 1016, 960, 906, 856, 808, 762, 720, 678, 640, 604,
        570, 538, 508, 480, 453, 428, 404, 381, 360, 339, 320, 302, 285, 269, 254, 240, 226, 214,
        202, 190, 180, 170, 160, 151, 143, 135, 127, 120, 113, 107, 101, 95, 90, 85, 80, 75, 71,
        67, 63, 60, 56, 53, 50, 47, 45, 42, 40, 37, 35, 33, 31, 30, 28, 28};
    const uint16_t row8[85] = {
        3628, 3424, 3232, 3050, 2879, 2717, 2565, 2421, 2285, 2157, 2036, 1921, 1814, 1712, 1616,
        1525, 1439, 1358, 1282, 1210, 1142, 1078, 1018, 960, 907, 856, 808, 762, 720, 678, 640,
        604, 570, 538, 508, 480, 453, 428, 404, 381, 360, 339, 320, 302, 285, 269, 254, 240, 226,
        214, 202, 190, 180, 170, 160, 151, 143, 135, 127, 120, 113, 106, 100, 95, 90, 85, 80, 75,
        71, 67, 63, 60, 56, 53, 50, 47, 44, 42, 40, 37, 35, 33, 31, 30, 30};
    for (int k = 0; k < 85; k++) {
        EXPECT_EQ(period_table[0][k], row0[k]) << k;
        EXPECT_EQ(period_table[8][k], row8[k]) << k;
    }
}

TEST(period_table, c_of_every_octave_and_the_last_note) {
    const uint16_t c_notes[16][8] = {
        {3424, 1712, 856, 428, 214, 107, 53, 28}, {3400, 1700, 850, 425, 213, 106, 53, 28},
        {3376, 1688, 844, 422, 211, 106, 53, 28}, {3352, 1676, 838, 419, 209, 105, 52, 27},
        {3328, 1664, 832, 416, 208, 104, 52, 27}, {3304, 1652, 826, 413, 206, 103, 51, 27},
        {3280, 1640, 820, 410, 205, 102, 51, 27}, {3256, 1628, 814, 407, 204, 102, 51, 27},
        {3628, 1814, 907, 453, 226, 113, 56, 30}, {3600, 1800, 900, 450, 225, 112, 56, 30},
        {3576, 1788, 894, 447, 223, 111, 56, 29}, {3548, 1774, 887, 444, 222, 111, 56, 29},
        {3524, 1762, 881, 441, 220, 110, 55, 29}, {3500, 1750, 875, 437, 219, 109, 55, 29},
        {3472, 1736, 868, 434, 217, 108, 54, 28}, {3448, 1724, 862, 431, 216, 108, 54, 28},
    };
    const int notes[8] = {0, 12, 24, 36, 48, 60, 72, 83};
    for (int r = 0; r < 16; r++) {
        for (int i = 0; i < 8; i++) EXPECT_EQ(period_table[r][notes[i]], c_notes[r][i]) << r << " " << notes[i];
        EXPECT_EQ(period_table[r][84], period_table[r][83]) << r;
    }
}

TEST(period_table, rows_never_rise_and_octaves_halve) {
    for (int r = 0; r < 16; r++) {
        for (int k = 1; k < 85; k++) EXPECT_LE(period_table[r][k], period_table[r][k - 1]) << r << " " << k;
        for (int k = 12; k < 84; k++) {
            EXPECT_LE(std::abs(2 * period_table[r][k] - period_table[r][k - 12]), 2) << r << " " << k;
        }
        // Finetunes go up in pitch from -8 to +7: rows 8..15 then 0..7 fall note by note.
        const int next = r == 7 ? -1 : (r + 1) & 15;
        if (next >= 0) {
            for (int k = 24; k < 60; k++) EXPECT_GE(period_table[r][k], period_table[next][k]) << r << " " << k;
        }
    }
}

TEST(period_table, indexes_past_the_last_note_stay_in_their_row) {
    EXPECT_EQ(period_at(15, 98), period_table[15][84]);
    EXPECT_EQ(period_at(3, 85), period_table[3][84]);
    EXPECT_EQ(period_at(0, 36), 428);
}

TEST(waveforms, fixed_and_built_tables) {
    EXPECT_EQ(sine_wave[16], 255);
    EXPECT_EQ(sine_wave[48], -255);
    for (int i = 0; i < 32; i++) EXPECT_EQ(sine_wave[i + 32], -sine_wave[i]) << i;
    EXPECT_EQ(square_wave[15], 0);
    EXPECT_EQ(square_wave[16], 255);
    EXPECT_EQ(square_wave[63], -256);
    waveforms_reset_state();
    EXPECT_EQ(ramp_wave[0], 0);
    std::srand(1);
    build_waveforms();
    EXPECT_EQ(ramp_wave[0], 255);
    EXPECT_EQ(ramp_wave[32], -1);
    EXPECT_EQ(ramp_wave[63], -249);
    std::srand(1);
    for (int i = 0; i < 64; i++) {
        const int expected = std::rand() % 511 - 256;
        EXPECT_EQ(random_wave[i], expected) << i;
    }
    EXPECT_EQ(wave_tables[1], ramp_wave);
    EXPECT_EQ(wave_tables[3], random_wave);
    waveforms_reset_state();
}

}  // namespace
