// Tests of the fireworks: launch, fade, damped spiral, the plotting window and plot_glow.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "fx/fireworks.h"
#include "gfx/frame.h"

namespace {

// A frame with one frame's worth of guard words on either side.
struct guarded_frame {
    static constexpr uint32_t guard = 0x5A5A5A5Au;
    std::vector<uint32_t> words;
    explicit guarded_frame(uint32_t fill) : words(3 * frame_words, guard)
    {
        std::fill(frame(), frame() + frame_words, fill);
    }
    uint32_t* frame() { return words.data() + frame_words; }
    uint32_t at(int x, int y) { return frame()[y * frame_width + x]; }
    bool guards_intact() const
    {
        for (int i = 0; i < frame_words; ++i)
            if (words[i] != guard || words[2 * frame_words + i] != guard) return false;
        return true;
    }
};

class fireworks_test : public ::testing::Test {
protected:
    void SetUp() override
    {
        fireworks_reset_state();
        srand(1);
    }
    // Clears the first-call launch without moving anything, then places one particle.
    void place(int32_t x, int32_t y, int32_t vx, int32_t vy, int32_t spin, int32_t turn)
    {
        guarded_frame scratch(0);
        fireworks(scratch.frame(), scratch.frame(), 0, -1);
        fireworks_particles()[0] = particle{x, y, vx, vy, spin, turn};
    }
};

TEST_F(fireworks_test, first_call_launches_in_rand_order_y_vx_vy_turn_spin)
{
    guarded_frame target(0), source(0);
    fireworks(target.frame(), source.frame(), 0, 0);
    srand(1);
    for (int k = 0; k < particle_count; ++k) {
        const int ry = rand(), rvx = rand(), rvy = rand(), rturn = rand(), rspin = rand();
        const particle& p = fireworks_particles()[k];
        EXPECT_EQ(p.x, 76800) << k;
        EXPECT_EQ(p.y, (ry % 30 + 150) * 1024) << k;
        EXPECT_EQ(p.vx, (rvx % 5100) / 4 + 2400) << k;
        EXPECT_EQ(p.vy, -600 - (rvy % 5100) / 8) << k;
        EXPECT_EQ(p.turn, rturn % 2) << k;
        EXPECT_EQ(p.spin, (rspin % 10240) / 40 + 10) << k;
    }
    const int next = rand();

    // Mode 0 afterwards continues: no rand drawn, no particle reset.
    particle before[particle_count];
    std::memcpy(before, fireworks_particles(), sizeof before);
    srand(1);
    for (int k = 0; k < 5 * particle_count; ++k) rand();
    fireworks(target.frame(), source.frame(), 25, 0);
    EXPECT_EQ(rand(), next);
    EXPECT_EQ(fireworks_particles()[0].x, before[0].x + before[0].vx);

    // Mode 1 relaunches.
    fireworks(target.frame(), source.frame(), 0, 1);
    for (int k = 0; k < particle_count; ++k) EXPECT_EQ(fireworks_particles()[k].x, 76800);
}

TEST_F(fireworks_test, fade_raises_lower_channels_by_one_from_column_60)
{
    guarded_frame target(0), source(0);
    // Alpha 10 under 12, red 200 over 100, green equal, blue 0 under 255.
    std::fill(target.frame(), target.frame() + frame_words, 0x0AC85000u);
    std::fill(source.frame(), source.frame() + frame_words, 0x0C6450FFu);
    fireworks(target.frame(), source.frame(), 0, 0);
    EXPECT_EQ(target.at(60, 0), 0x0BC85001u);
    EXPECT_EQ(target.at(319, 239), 0x0BC85001u);
    EXPECT_EQ(target.at(59, 0), 0x0AC85000u);
    EXPECT_EQ(target.at(0, 239), 0x0AC85000u);
    fireworks(target.frame(), source.frame(), 0, 0);
    EXPECT_EQ(target.at(200, 100), 0x0CC85002u);
    fireworks(target.frame(), source.frame(), 0, 0);
    EXPECT_EQ(target.at(200, 100), 0x0CC85003u);   // alpha stays at its source's 12
    EXPECT_EQ(target.at(59, 100), 0x0AC85000u);

    // Mode -1 skips the fade.
    fireworks(target.frame(), source.frame(), 0, -1);
    EXPECT_EQ(target.at(200, 100), 0x0CC85003u);
    EXPECT_TRUE(target.guards_intact() && source.guards_intact());
}

TEST_F(fireworks_test, mode_minus_one_still_moves_and_draws)
{
    place(100 * 1024, 100 * 1024, 1024, 0, 10, 0);
    guarded_frame target(0x00FFFFFFu), source(0);
    fireworks(target.frame(), source.frame(), 1, -1);
    EXPECT_EQ(target.at(101, 100), 0u);
    EXPECT_EQ(target.at(102, 100), 0x007F7F7Fu);
    EXPECT_EQ(target.at(200, 200), 0x00FFFFFFu);   // not faded toward the black source
}

TEST_F(fireworks_test, damping_and_turning_of_one_step)
{
    struct { particle start; int32_t vx, vy; } cases[] = {
        // spin 10 turns by s = 0: damping alone. +1 damps to 0, -1 stays -1.
        {{0, 0, 1, -1, 10, 0}, 0, -1},
        {{0, 0, -1, 1, 10, 1}, -1, 0},
        {{0, 0, 1024, -1024, 10, 0}, 1010, -1010},
        // s = 23: damped (2367, -592), turned one way or the other.
        {{0, 0, 2400, -600, 265, 1}, 2353, -646},
        {{0, 0, 2400, -600, 265, 0}, 2380, -539},
    };
    for (const auto& c : cases) {
        fireworks_reset_state();
        place(c.start.x, c.start.y, c.start.vx, c.start.vy, c.start.spin, c.start.turn);
        guarded_frame target(0);
        fireworks(target.frame(), target.frame(), 1, -1);
        const particle& p = fireworks_particles()[0];
        EXPECT_EQ(p.x, c.start.vx);   // moved with the old velocity
        EXPECT_EQ(p.y, c.start.vy);
        EXPECT_EQ(p.vx, c.vx) << c.start.vx << "," << c.start.vy << " turn " << c.start.turn;
        EXPECT_EQ(p.vy, c.vy) << c.start.vx << "," << c.start.vy << " turn " << c.start.turn;
    }

    // A creeping particle goes on moving left by 1/1024 pixel a step.
    fireworks_reset_state();
    place(5000, 5000, -1, 1, 10, 0);
    guarded_frame target(0);
    for (int i = 0; i < 100; ++i) fireworks(target.frame(), target.frame(), 1, -1);
    EXPECT_EQ(fireworks_particles()[0].x, 4900);
    EXPECT_EQ(fireworks_particles()[0].y, 5001);
}

TEST_F(fireworks_test, plotting_window_is_columns_0_to_318_rows_1_to_238)
{
    struct { int32_t x, y; int col, row; } cases[] = {
        {326655, 1024, 318, 1},
        {326656, 1024, -1, -1},      // column 319
        {0, 1023, -1, -1},           // row 0
        {0, 1024, 0, 1},
        {100 * 1024, 244735, 100, 238},
        {100 * 1024, 244736, -1, -1}, // row 239
        {-1, 1024, -1, -1},          // curled left of column 0
        {-1024, 1024, -1, -1},
        {-50000, 100 * 1024, -1, -1},
        {INT32_MIN, INT32_MIN, -1, -1},
    };
    for (const auto& c : cases) {
        fireworks_reset_state();
        place(c.x, c.y, 0, 0, 10, 0);
        guarded_frame target(0x00FFFFFFu);
        fireworks(target.frame(), target.frame(), 1, -1);
        EXPECT_TRUE(target.guards_intact()) << c.x << "," << c.y;
        int changed = 0;
        for (int i = 0; i < frame_words; ++i) changed += target.frame()[i] != 0x00FFFFFFu;
        if (c.col < 0) {
            EXPECT_EQ(changed, 0) << c.x << "," << c.y;
        } else {
            EXPECT_EQ(changed, 5) << c.x << "," << c.y;
            EXPECT_EQ(target.at(c.col, c.row), 0u) << c.x << "," << c.y;
        }
    }
}

TEST_F(fireworks_test, real_flights_leave_the_plotting_window_without_writing_outside)
{
    // Real launches, each flown for 600 steps: the particles rise above row 1 and run
    // past column 318, where they are moved but not drawn.
    guarded_frame target(0x00FFFFFFu), source(0x00FFFFFFu);
    int outside = 0;
    for (int launch = 0; launch < 10; ++launch)
        for (int step = 0; step < 600; ++step) {
            fireworks(target.frame(), source.frame(), 25, step == 0 ? 1 : 0);
            for (int k = 0; k < particle_count; ++k) {
                const particle& p = fireworks_particles()[k];
                outside += p.x > 326655 || p.y < 1024;
            }
        }
    EXPECT_GT(outside, 0);
    EXPECT_TRUE(target.guards_intact());
}

TEST_F(fireworks_test, count_above_25_moves_the_25_particles_only)
{
    guarded_frame a(0x00FFFFFFu);
    fireworks(a.frame(), a.frame(), 1000, 0);
    particle after_many[particle_count];
    std::memcpy(after_many, fireworks_particles(), sizeof after_many);

    fireworks_reset_state();
    srand(1);
    guarded_frame b(0x00FFFFFFu);
    fireworks(b.frame(), b.frame(), 25, 0);
    EXPECT_EQ(std::memcmp(after_many, fireworks_particles(), sizeof after_many), 0);
    EXPECT_EQ(a.words, b.words);

    // Zero or negative counts move nothing.
    fireworks(b.frame(), b.frame(), -3, 0);
    EXPECT_EQ(std::memcmp(after_many, fireworks_particles(), sizeof after_many), 0);
}

TEST(plot_glow, sets_the_centre_and_halves_toward_it_in_the_neighbours)
{
    struct { uint32_t field, c, centre, neighbour; } cases[] = {
        {0x00FFFFFFu, 0, 0, 0x007F7F7Fu},
        {0xFFFFFFFFu, 0, 0, 0x007F7F7Fu},
        {0x00000000u, 0xFFFFFFFFu, 0xFFFFFFFFu, 0x007F7F7Fu},
        {0x00FF0000u, 0x000000FFu, 0x000000FFu, 0x007F007Fu},
        {0x00030303u, 0x00010101u, 0x00010101u, 0x00010101u},   // halves rounded down
    };
    for (const auto& c : cases) {
        guarded_frame f(c.field);
        plot_glow(f.frame(), 100 * frame_width + 50, c.c);
        EXPECT_EQ(f.at(50, 100), c.centre);
        EXPECT_EQ(f.at(49, 100), c.neighbour);
        EXPECT_EQ(f.at(51, 100), c.neighbour);
        EXPECT_EQ(f.at(50, 99), c.neighbour);
        EXPECT_EQ(f.at(50, 101), c.neighbour);
        EXPECT_EQ(f.at(49, 99), c.field);
        EXPECT_EQ(f.at(51, 101), c.field);
    }
}

TEST(plot_glow, draws_nothing_where_a_neighbour_would_leave_the_frame)
{
    for (int32_t i : {-1000, -1, 0, 5, 319, frame_words - frame_width, frame_words - 1,
                      frame_words, INT32_MAX, INT32_MIN}) {
        guarded_frame f(0x00FFFFFFu);
        plot_glow(f.frame(), i, 0);
        EXPECT_TRUE(f.guards_intact()) << i;
        EXPECT_EQ(std::count(f.frame(), f.frame() + frame_words, 0x00FFFFFFu), frame_words) << i;
    }
    // The first and last indexes that fit: row 1 column 0 and row 238 column 319.
    for (int32_t i : {frame_width, frame_words - frame_width - 1}) {
        guarded_frame f(0x00FFFFFFu);
        plot_glow(f.frame(), i, 0);
        EXPECT_TRUE(f.guards_intact()) << i;
        EXPECT_EQ(f.frame()[i], 0u) << i;
    }
}

}  // namespace
