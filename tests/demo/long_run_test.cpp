// Long runs of the frame loop's SDL-free part on the virtual clock: a whole song played
// through the player and a virtual audio device, started at time 0 and again close to
// 9999999 ms (the "not stamped" mark of the row table), the grain far past t = 12853, and
// no heap use by the loop once start-up is over.
#include <malloc.h>

#include <climits>
#include <memory>
#include <vector>

#include "demo/frame_loop.h"
#include "gfx/grain.h"
#include "module_builder.h"
#include "player/module_loader.h"
#include "player/player_control.h"
#include "player/replayer.h"
#include "player/waveforms.h"
#include "scene_fixture.h"

#include "demo/reset.h"

#if defined(__SANITIZE_ADDRESS__)
#define VESKARRA_HEAP_IS_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VESKARRA_HEAP_IS_SANITIZED 1
#endif
#endif

namespace {

constexpr int device_buffer_frames = 4096;

class long_run_test : public scene_test {
protected:
    void SetUp() override
    {
        scene_test::SetUp();
        demo_reset_state();
        // Fourteen orders at speed 1 (one 20 ms tick a row): the song passes position 1362
        // after about 18 seconds, with a looped note on every order so the mixer works.
        module_builder song;
        song.orders({0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1});
        song.sample(1, sample_header{32, 0, 48, 0, 32});
        song.cell(0, 0, 0, 1, 428, 0xF, 1);
        song.cell(1, 0, 1, 1, 214, 0xC, 40);
        song.cell(1, 32, 2, 1, 320, 0x4, 0x44);
        module = std::make_unique<module_buffer>(song.build(), 1);
        ASSERT_EQ(player_open(44100, device_buffer_frames), 1);
        ASSERT_EQ(player_load(module->data(), module->image_size, module->buffer_size()), 1);
        player_start(50);
    }

    void TearDown() override
    {
        scene_test::TearDown();
        host_use_virtual();
    }

    // One frame-loop iteration at clock `now`; the virtual device asks for a buffer each
    // time the clock has passed the end of the previous one, as SDL's audio thread would.
    void iterate(frame_loop_state& state, uint32_t now)
    {
        virtual_ticks = now;
        while (int32_t(now - next_fill) >= 0) {
            audio_fill(nullptr, reinterpret_cast<uint8_t*>(stream), int(sizeof stream));
            next_fill += device_buffer_frames * 1000u / 44100u;
        }
        frame_draw_scene(state);
        frame_fast_forward(state);
        frame_finish(state);
    }

    // Runs frames `frame_ms` apart from `start` until the loop asks to quit (or `limit`
    // frames); returns the music position of every frame.
    std::vector<int32_t> run_song(uint32_t start, uint32_t frame_ms, int limit)
    {
        next_fill = start;
        frame_loop_state state;
        std::vector<int32_t> positions;
        for (int frame = 0; frame < limit && !state.quit_after_frame; ++frame) {
            iterate(state, start + uint32_t(frame) * frame_ms);
            positions.push_back(music_position());
        }
        return positions;
    }

    std::unique_ptr<module_buffer> module;
    uint32_t next_fill = 0;
    int16_t stream[2 * device_buffer_frames] = {};
};

// Past 9999999 ms the table's "not stamped" mark is no longer later than the clock; the
// position must still follow only the rows that were stamped, so a run that crosses that
// time gives the same positions frame by frame as one that starts at 0, and ends at the
// same frame.
TEST_F(long_run_test, song_crossing_9999999_ms_plays_as_from_time_zero)
{
    const std::vector<int32_t> from_zero = run_song(0, 40, 2000);
    ASSERT_FALSE(from_zero.empty());
    EXPECT_GT(uint32_t(from_zero.back()), last_position) << "the song never reached its end";

    SetUp();
    const std::vector<int32_t> late = run_song(9999999u - 9000u, 40, 2000);
    ASSERT_EQ(late.size(), from_zero.size());
    for (size_t k = 0; k < late.size(); ++k)
        ASSERT_EQ(late[k], from_zero[k]) << "frame " << k;
    for (size_t k = 1; k < late.size(); ++k)
        ASSERT_GE(late[k], late[k - 1]) << "the position went back at frame " << k;
}

// The grain at times far past the point where 13 t^2 + 1000 leaves 32 bits: every write in
// an exactly-sized frame, the whole speck drawn (its 9 or 4 pixels are the only zeros, dots
// and the line only halve), and at most the line, 19 dots and the speck changed.
TEST_F(long_run_test, grain_stays_inside_the_frame_at_any_time)
{
    const int32_t times[] = {12852, 12853, 12854, 13000, 50000, 499999,
                             INT32_MAX / 20, INT32_MAX - 1, INT32_MAX, -1, -12853, INT32_MIN};
    for (int32_t t : times) {
        std::vector<uint32_t> frame(frame_words, 0xFFFFFFFFu);
        screen_grain(frame.data(), t);
        int zeros = 0, changed = 0;
        for (uint32_t word : frame) {
            zeros += word == 0;
            changed += word != 0xFFFFFFFFu;
        }
        EXPECT_EQ(zeros, t % 3 == 0 ? 9 : 4) << "t = " << t;
        EXPECT_LE(changed, frame_height + 19 + 9) << "t = " << t;
    }
}

// The frame loop at clock readings past 257 s (grain t >= 12853), past 9999999 ms and up to
// the largest signed reading: no fault, and after 2 s the music stands where it stands 2 s
// into a run started at 0.
TEST_F(long_run_test, loop_runs_at_late_clock_readings)
{
    const uint32_t starts[] = {0, 257000, 9999000, 99999000, uint32_t(INT32_MAX) - 2000};
    int32_t reference = -1;
    for (uint32_t start : starts) {
        SetUp();
        frame_loop_state state;
        next_fill = start;
        for (uint32_t now = start; now < start + 2000; now += 20)
            iterate(state, now);
        if (start == 0)
            reference = music_position();
        EXPECT_EQ(music_position(), reference) << "start " << start;
        EXPECT_GT(music_position(), 100) << "start " << start;   // past order 0
        EXPECT_FALSE(state.quit_after_frame) << "start " << start;
    }
}

// Once start-up is over the loop allocates nothing: frames with scenes, overlays, grain,
// audio buffers and fast-forward steps leave the heap as it was.
TEST_F(long_run_test, loop_uses_no_heap_after_start_up)
{
#ifdef VESKARRA_HEAP_IS_SANITIZED
    GTEST_SKIP() << "the sanitizer's allocator keeps no mallinfo figures; LeakSanitizer "
                    "covers this build";
#else
    frame_loop_state state;
    next_fill = 0;
    iterate(state, 0);   // first frame: any lazy set-up of the C library happens here
    const struct mallinfo2 before = mallinfo2();
    for (uint32_t now = 20; now < 20000 && !state.quit_after_frame; now += 20) {
        state.fast_forward = now >= 3000 && now < 3400;   // 20 steps of 250 ms
        iterate(state, now);
    }
    const struct mallinfo2 after = mallinfo2();
    EXPECT_EQ(after.uordblks, before.uordblks);
    EXPECT_EQ(after.hblkhd, before.hblkhd);
    EXPECT_TRUE(state.quit_after_frame) << "the song did not reach its end";
#endif
}

} // namespace
