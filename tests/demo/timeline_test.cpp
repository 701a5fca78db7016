// The dispatcher's boundaries (through the music position) and the parallax bands.
#include "scene_fixture.h"

namespace {

enum class shown { parallax, fireworks, greetings, rects, morph, model, walkers, closing, unknown };

constexpr uint32_t towers_tag = 0x06000000u;
constexpr uint32_t stara_tag = 0x06060606u;   // too dark for any halftone dot
constexpr uint32_t noise_tag = 0x0D0D0D0Du;
constexpr uint32_t canvas_a = 0x0A0A0A0Au;
constexpr uint32_t canvas_b = 0x0B0B0B0Bu;

class timeline_test : public scene_test {
protected:
    void tag_pictures()
    {
        fill(pic_towers, frame_width, frame_height,
             [](int x, int y) { return towers_tag | static_cast<uint32_t>(y << 12 | x); });
        fill(pic_circle32, 351, 271, [](int, int) { return 0x00C0FFEEu; });
        fill(pic_circle34, 353, 273, [](int, int) { return 0xFFFFFFFFu; });
        fill_all(pic_stara, stara_tag);
        fill_all(pic_noise, noise_tag);
        fill_all(pic_whitenoise, canvas_a);
        for (int i = 0; i < frame_words; i++) {
            scene_a[i] = canvas_a;
            scene_b[i] = canvas_b;
            work_frame[i] = 0xDEADBEEFu;
        }
    }

    // Which scene drew the frame at `now`, told apart by what each leaves behind.
    shown classify(int32_t now)
    {
        bool all_towers = true;
        for (int i = 0; i < frame_words; i++)
            all_towers = all_towers && (work_frame[i] & 0xFF000000u) == towers_tag;
        if (all_towers)
            return shown::parallax;
        if (frame_all(work_frame, 0x00C0FFEEu))
            return shown::greetings;
        if (rects_start == now)
            return shown::rects;
        if (last_morph_step == now)
            return shown::morph;
        if (frame_all(scene_a, stara_tag) && frame_all(work_frame, 0))
            return shown::model;
        if (last_effect_update == static_cast<uint32_t>(now)) {
            if (frames_equal(work_frame, scene_a))
                return shown::fireworks;
            if (frames_equal(work_frame, scene_b))
                return shown::walkers;
            if (frame_all(work_frame, noise_tag))
                return shown::closing;
        }
        return shown::unknown;
    }
};

// Positions such as 499 (row 99) never come from the clock, so the ranges' ends are
// given to the dispatcher directly; scene_timeline's own use of the clock follows.
TEST_F(timeline_test, each_position_range_draws_its_own_scene)
{
    struct {
        uint32_t position;
        shown scene;
    } cases[] = {
        {0, shown::parallax},    {263, shown::parallax},  {299, shown::parallax},
        {300, shown::fireworks}, {499, shown::fireworks}, {500, shown::greetings},
        {699, shown::greetings}, {700, shown::rects},     {899, shown::rects},
        {900, shown::morph},     {999, shown::morph},     {1000, shown::model},
        {1199, shown::model},    {1200, shown::walkers},  {1339, shown::walkers},
        {1340, shown::closing},  {1363, shown::closing},  {0xFFFFFFFFu, shown::closing},
    };
    const int32_t now = 100000;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.position);
        SetUp();
        tag_pictures();
        draw_scene(c.position, now);
        EXPECT_EQ(classify(now), c.scene);
    }
}

TEST_F(timeline_test, scene_timeline_follows_the_music_position)
{
    struct {
        uint32_t position;
        shown scene;
    } cases[] = {
        {263, shown::parallax}, {300, shown::fireworks}, {1000, shown::model},
        {1363, shown::closing},
    };
    const int32_t now = 100000;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.position);
        SetUp();
        tag_pictures();
        play_to(c.position, now);
        ASSERT_EQ(music_position(), static_cast<int32_t>(c.position));
        scene_timeline(now);
        EXPECT_EQ(classify(now), c.scene);
    }
}

// Source rows of the outer, middle and centre bands for screen row 0.
TEST_F(timeline_test, parallax_bands_scroll_at_three_speeds)
{
    struct {
        int32_t now;
        int32_t outer, middle, centre;
    } cases[] = {
        {0, 160, 80, 160},   {29, 160, 80, 160},  {30, 159, 79, 159},
        {59, 159, 79, 159},  {60, 158, 79, 159},  {89, 158, 79, 159},
        {120, 156, 78, 159},
        // Past 30,000,000 ms t is negative: the rows keep wrapping downward inside
        // the picture (t = -333333 gives row 27, t2 = -166666 row 134, t4 row 187).
        {40000000, 27, 134, 187},
    };
    fill(pic_towers, frame_width, frame_height,
         [](int x, int y) { return towers_tag | static_cast<uint32_t>(y << 12 | x); });
    for (const auto& c : cases) {
        SCOPED_TRACE(c.now);
        parallax_scene(c.now);
        for (int y : {0, 1, 79, 80, 239}) {
            for (int x = 0; x < frame_width; x++) {
                int32_t base = x < 100 || x >= 220 ? c.outer : x < 150 || x >= 170 ? c.middle : c.centre;
                uint32_t expected = towers_tag | static_cast<uint32_t>((base + y) % 240 << 12 | x);
                ASSERT_EQ(at(work_frame, x, y), expected) << "x " << x << " y " << y;
            }
        }
    }
}

TEST_F(timeline_test, parallax_rows_stay_inside_the_picture_for_any_clock)
{
    fill(pic_towers, frame_width, frame_height,
         [](int x, int y) { return towers_tag | static_cast<uint32_t>(y << 12 | x); });
    for (int32_t now : {INT32_MIN, -31, -1, 29999999, INT32_MAX}) {
        SCOPED_TRACE(now);
        std::memset(work_frame, 0, frame_bytes);
        parallax_scene(now);
        for (int i = 0; i < frame_words; i++)
            ASSERT_EQ(work_frame[i] & 0xFF000FFFu, towers_tag | static_cast<uint32_t>(i % 320));
    }
}

} // namespace
