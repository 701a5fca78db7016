// Tests of the crawling walkers: start, stop words, branching, the per-call limit, a
// full table, the frame edge and unusable masks.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "fx/walkers.h"
#include "gfx/frame.h"

namespace {

constexpr uint32_t open_mask = 0x00408040u;   // not bright: walkers go on, and paint this
constexpr uint32_t bright = 0x00FFFFFFu;
constexpr uint32_t white = 0x00FFFFFFu;

struct mask_picture {
    std::vector<uint32_t> words;
    picture pic{};
    mask_picture(int32_t width, int32_t height, uint32_t fill) : words(width * height, fill)
    {
        pic.format = 4;
        pic.width = width;
        pic.height = height;
        pic.pixels = reinterpret_cast<uint8_t*>(words.data());
    }
    uint32_t& at(int x, int y) { return words[y * pic.width + x]; }
};

// A target frame between two guard frames.
struct guarded_target {
    static constexpr uint32_t guard = 0x5A5A5A5Au;
    std::vector<uint32_t> words;
    explicit guarded_target(uint32_t fill) : words(3 * frame_words, guard)
    {
        std::fill(frame(), frame() + frame_words, fill);
    }
    uint32_t* frame() { return words.data() + frame_words; }
    uint32_t& at(int x, int y) { return frame()[y * frame_width + x]; }
    bool guards_intact() const
    {
        for (int i = 0; i < frame_words; ++i)
            if (words[i] != guard || words[2 * frame_words + i] != guard) return false;
        return true;
    }
};

class crawlers_test : public ::testing::Test {
protected:
    void SetUp() override
    {
        crawlers_reset_state();
        srand(1);
    }
    // Runs the first-call start on a mask that kills walker 0 at once, then empties the
    // table, so a test can place its own walkers.
    void clear_table()
    {
        mask_picture killing(320, 240, bright);
        guarded_target t(white);
        crawlers(t.frame(), &killing.pic);
        for (int k = 0; k < walker_count; ++k) crawlers_walkers()[k] = walker{};
        srand(1);
    }
};

TEST_F(crawlers_test, first_call_moves_walker_0_to_214_179)
{
    mask_picture mask(320, 240, open_mask);
    mask.at(214, 179) = 0x00123456u;
    guarded_target target(white);
    crawlers(target.frame(), &mask.pic);
    EXPECT_EQ(target.at(214, 179), 0x00123456u);
    EXPECT_EQ(target.at(213, 179), 0x007F7F7Fu + 0x00091A2Bu);
    const walker& w = crawlers_walkers()[0];
    EXPECT_EQ(w.x, 214);
    EXPECT_EQ(w.y, 179);
    EXPECT_EQ(w.age, 1);
    EXPECT_EQ(w.life, 60);
    EXPECT_NE(w.active, 0);
    for (int k = 1; k < walker_count; ++k) EXPECT_EQ(crawlers_walkers()[k].active, 0) << k;
    int changed = 0;
    for (int i = 0; i < frame_words; ++i) changed += target.frame()[i] != white;
    EXPECT_EQ(changed, 5);

    // Later calls go on from there: the start is not repeated.
    crawlers(target.frame(), &mask.pic);
    EXPECT_EQ(crawlers_walkers()[0].x, 213);
    EXPECT_EQ(crawlers_walkers()[0].age, 2);
}

TEST_F(crawlers_test, branches_at_a_third_two_thirds_and_the_end_of_life)
{
    struct spawn_event { int32_t parent_age, dx, dy, life; };
    struct { int32_t life; std::vector<int32_t> ages; } cases[] = {
        {60, {20, 40, 60}}, {13, {4, 8, 13}}, {22, {7, 14, 22}},
    };
    for (const auto& c : cases) {
        crawlers_reset_state();
        clear_table();
        // Open only along the diagonal x = y: children leave it at once and die on their
        // first step, so slot 1 shows every spawn and nothing else moves.
        mask_picture mask(320, 240, bright);
        for (int d = 0; d < 240; ++d) mask.at(d, d) = open_mask;
        guarded_target target(white);
        crawlers_walkers()[0] = walker{1, 1, 100, 100, 0, c.life, 1};

        std::vector<spawn_event> events;
        walker last = crawlers_walkers()[1];
        for (int call = 0; call < 100 && crawlers_walkers()[0].active; ++call) {
            crawlers(target.frame(), &mask.pic);
            const walker now = crawlers_walkers()[1];
            if (std::memcmp(&now, &last, sizeof now) != 0) {
                events.push_back({crawlers_walkers()[0].age, now.dx, now.dy, now.life});
                // Spawned where the parent stands, then one step in its own direction.
                EXPECT_EQ(now.x, crawlers_walkers()[0].x + now.dx);
                EXPECT_EQ(now.y, crawlers_walkers()[0].y + now.dy);
            }
            last = now;
        }
        EXPECT_EQ(crawlers_walkers()[0].active, 0) << "life " << c.life;
        EXPECT_EQ(crawlers_walkers()[0].age, c.life);
        ASSERT_EQ(events.size(), 3u) << "life " << c.life;
        srand(1);
        for (size_t e = 0; e < 3; ++e) {
            EXPECT_EQ(events[e].parent_age, c.ages[e]) << "life " << c.life;
            // Parent (1, 1): a quarter turn clockwise (-1, 1) at two thirds,
            // counter-clockwise (1, -1) at the other two points.
            EXPECT_EQ(events[e].dx, e == 1 ? -1 : 1);
            EXPECT_EQ(events[e].dy, e == 1 ? 1 : -1);
            EXPECT_EQ(events[e].life, rand() % 10 + 13);
        }
    }
}

TEST_F(crawlers_test, bright_mask_or_dark_target_stops_a_walker)
{
    struct { uint32_t mask, target; bool lives; } cases[] = {
        {0x00808080u, white, false},
        {0xFF808080u, white, false},
        {0x00FFFFFFu, white, false},
        {0x0080807Fu, white, true},     // blue below 128
        {0x007F8080u, white, true},
        {0x00000000u, white, true},
        {0x00000000u, 0x00FF7F7Fu, false},   // green and blue below 128
        {0x00000000u, 0x00000000u, false},
        {0x00000000u, 0x00000080u, true},
        {0x00000000u, 0x00008000u, true},
        {0x00000000u, 0xFF7F7F7Fu, false},
    };
    for (const auto& c : cases) {
        crawlers_reset_state();
        clear_table();
        mask_picture mask(320, 240, open_mask);
        guarded_target target(white);
        mask.at(101, 101) = c.mask;
        target.at(101, 101) = c.target;
        crawlers_walkers()[0] = walker{1, 1, 100, 100, 0, 50, 1};
        crawlers(target.frame(), &mask.pic);
        const walker& w = crawlers_walkers()[0];
        EXPECT_EQ(w.active != 0, c.lives) << std::hex << c.mask << " " << c.target;
        EXPECT_EQ(target.at(101, 101), c.lives ? c.mask : c.target) << std::hex << c.mask;
        EXPECT_EQ(target.at(102, 101), c.lives ? darken(white) + darken(c.mask) : white);
        EXPECT_EQ(w.age, c.lives ? 1 : 0);
    }
}

TEST_F(crawlers_test, a_call_ends_after_twelve_drawing_walkers)
{
    clear_table();
    mask_picture mask(320, 240, open_mask);
    guarded_target target(white);
    // Slots 0 .. 14 with slot 5 left free and slot 3 stopped by the mask: slots 0 .. 13
    // hold 12 walkers that draw, slot 14 waits for the next call.
    for (int k = 0; k <= 14; ++k)
        if (k != 5) crawlers_walkers()[k] = walker{1, 1, 10 + 20 * k, 50, 0, 100, 1};
    mask.at(10 + 20 * 3 + 1, 51) = bright;
    crawlers(target.frame(), &mask.pic);
    for (int k = 0; k <= 14; ++k) {
        if (k == 5) continue;
        const walker& w = crawlers_walkers()[k];
        const bool moved = k != 14;
        EXPECT_EQ(w.x, 10 + 20 * k + (moved ? 1 : 0)) << k;
        EXPECT_EQ(w.age, (moved && k != 3) ? 1 : 0) << k;
        EXPECT_EQ(w.active != 0, k != 3) << k;
    }
    // The same twelve draw first every call; slot 14 moves once one of them is gone.
    crawlers(target.frame(), &mask.pic);
    EXPECT_EQ(crawlers_walkers()[14].age, 0);
    crawlers_walkers()[0].active = 0;
    crawlers(target.frame(), &mask.pic);
    EXPECT_EQ(crawlers_walkers()[14].age, 1);
    EXPECT_EQ(crawlers_walkers()[13].age, 3);
}

TEST_F(crawlers_test, a_full_table_spawns_nothing_and_a_walker_still_dies_at_its_end)
{
    clear_table();
    mask_picture mask(320, 240, open_mask);
    guarded_target target(white);
    for (int k = 0; k < walker_count; ++k)
        crawlers_walkers()[k] = walker{1, 1, 10 + (k % 20) * 15, 10 + (k / 20) * 20, 0, 100, 1};
    crawlers_walkers()[0].age = 3;    // life 12: branches at age 4
    crawlers_walkers()[0].life = 12;
    crawlers_walkers()[1].age = 11;   // and dies at age 12
    crawlers_walkers()[1].life = 12;
    walker before[walker_count];
    std::memcpy(before, crawlers_walkers(), sizeof before);
    srand(5);
    const int next = rand();
    srand(5);
    crawlers(target.frame(), &mask.pic);
    EXPECT_EQ(rand(), next);   // no random number drawn for a spawn
    EXPECT_EQ(crawlers_walkers()[0].age, 4);
    EXPECT_NE(crawlers_walkers()[0].active, 0);
    EXPECT_EQ(crawlers_walkers()[1].active, 0);
    for (int k = 2; k < walker_count; ++k) {
        const walker& w = crawlers_walkers()[k];
        EXPECT_NE(w.active, 0) << k;
        EXPECT_EQ(w.dx, before[k].dx) << k;
        EXPECT_EQ(w.life, before[k].life) << k;
    }
}

TEST_F(crawlers_test, walkers_at_the_frame_edge_die_without_drawing)
{
    struct { int32_t dx, dy, x, y; bool lives; } cases[] = {
        {-1, 1, 1, 100, false},    // next column 0
        {1, 1, 318, 100, false},   // next column 319
        {1, -1, 100, 1, false},    // next row 0
        {1, 1, 100, 238, false},   // next row 239
        {-1, -1, 0, 0, false},
        {1, 1, 319, 239, false},
        {-1, -1, 2, 2, true},      // next (1, 1): the corner that still fits
        {1, 1, 317, 237, true},    // next (318, 238)
        {1, 1, -50, 1000, false},
    };
    for (const auto& c : cases) {
        crawlers_reset_state();
        clear_table();
        mask_picture mask(320, 240, open_mask);
        guarded_target target(white);
        crawlers_walkers()[0] = walker{c.dx, c.dy, c.x, c.y, 0, 50, 1};
        crawlers(target.frame(), &mask.pic);
        EXPECT_TRUE(target.guards_intact()) << c.x << "," << c.y;
        EXPECT_EQ(crawlers_walkers()[0].active != 0, c.lives) << c.x << "," << c.y;
        int changed = 0;
        for (int i = 0; i < frame_words; ++i) changed += target.frame()[i] != white;
        EXPECT_EQ(changed, c.lives ? 5 : 0) << c.x << "," << c.y;
    }
}

TEST_F(crawlers_test, pattern_grows_inside_an_open_mask_without_leaving_the_frame)
{
    // Everything open: only the frame edge and the pattern itself stop the walkers.
    mask_picture mask(320, 240, 0x00000080u);
    guarded_target target(white);
    for (int call = 0; call < 3000; ++call) crawlers(target.frame(), &mask.pic);
    EXPECT_TRUE(target.guards_intact());
    int painted = 0;
    for (int i = 0; i < frame_words; ++i) painted += target.frame()[i] == 0x00000080u;
    EXPECT_GT(painted, 100);
}

TEST_F(crawlers_test, an_unusable_mask_draws_nothing)
{
    mask_picture good(320, 240, open_mask);
    struct { int32_t format, width, height; bool null_pixels; } cases[] = {
        {3, 320, 240, false}, {4, 319, 240, false}, {4, 320, 239, false},
        {4, 0, 0, false}, {4, -320, -240, false}, {4, 320, 240, true},
    };
    guarded_target target(white);
    for (const auto& c : cases) {
        picture bad = good.pic;
        bad.format = c.format;
        bad.width = c.width;
        bad.height = c.height;
        if (c.null_pixels) bad.pixels = nullptr;
        crawlers(target.frame(), &bad);
    }
    crawlers(target.frame(), nullptr);
    for (int i = 0; i < frame_words; ++i) ASSERT_EQ(target.frame()[i], white);
    // The start is still pending: the first usable mask starts walker 0.
    crawlers(target.frame(), &good.pic);
    EXPECT_EQ(crawlers_walkers()[0].x, 214);
    EXPECT_EQ(target.at(214, 179), open_mask);
}

TEST_F(crawlers_test, a_wider_mask_is_read_with_its_own_row_stride)
{
    mask_picture mask(400, 240, open_mask);
    mask.at(214, 179) = 0x00345678u;
    guarded_target target(white);
    crawlers(target.frame(), &mask.pic);
    EXPECT_EQ(target.at(214, 179), 0x00345678u);
}

}  // namespace
