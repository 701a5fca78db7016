// Tests of the software mixer, driven through the voice operations of sound_driver.
#include "audio/mixer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "player/sound_driver.h"

namespace {

// A rate at which period 1 gives a step of exactly 1 byte per frame (3546836 / rate = 1);
// period 1 at a rate of 3546836 / n steps n bytes, period 2 half a byte.
constexpr int unit_rate = 3546836;

// Panning 2 at master 64 and volume 64 gives a left gain of exactly 1: the left output
// then equals the byte read. (Right gain is 128.)
constexpr int pan_left_unit = 2;

class MixerTest : public ::testing::Test {
protected:
    void SetUp() override { start(44100); }

    void start(int rate)
    {
        sound_driver_reset();
        mixer_reset_state();
        mixer_register();
        sound_driver.open = nullptr;   // the mixer alone fills no device operation
        mixer_init(rate, 4096);
        sound_driver.set_master_volume(64);
        sound_driver.set_channels(4);
    }

    // Registers `bytes` as sample `index`; the vector keeps one byte past the sample (as the
    // module image does) and nothing more, so an address checker catches any further read.
    void add(int index, std::vector<int8_t>& bytes, int length, int loop_start, int loop_end,
             int looped)
    {
        EXPECT_EQ(1, sound_driver.add_sample(index, bytes.data(), length, loop_start,
                                             loop_end, looped));
    }

    // Starts sample `index` on `channel` at `period`, full volume, given panning.
    void play(int channel, int index, int period, int pan = pan_left_unit, uint32_t offset = 0)
    {
        sound_driver.select_channel(channel);
        sound_driver.set_sample(index);
        sound_driver.set_volume(64);
        sound_driver.set_panning(pan);
        sound_driver.set_period(period);
        sound_driver.set_position(offset);
    }

    // Renders `frames` frames into a silent buffer and returns the left samples.
    std::vector<int> render_left(int frames)
    {
        std::vector<int16_t> stream(2 * frames, 0);
        mixer_render(stream.data(), frames);
        std::vector<int> left;
        for (int f = 0; f < frames; ++f)
            left.push_back(stream[2 * f]);
        return left;
    }
};

std::vector<int8_t> ramp(int n)
{
    std::vector<int8_t> bytes(n);
    for (int i = 0; i < n; ++i)
        bytes[i] = static_cast<int8_t>(i);
    return bytes;
}

TEST_F(MixerTest, gains_follow_panning_at_full_volume)
{
    struct Case { int pan, left, right; };
    const Case cases[] = {
        {0, 0, 129}, {64, 32, 97}, {127, 64, 65}, {128, 65, 64}, {192, 97, 32}, {255, 129, 0},
    };
    std::vector<int8_t> ones(9, 1);
    for (const Case& c : cases) {
        start(44100);
        add(1, ones, 8, 0, 0, 0);
        play(0, 1, 0, c.pan);
        int16_t frame[2] = {0, 0};
        mixer_render(frame, 1);
        EXPECT_EQ(c.left, frame[0]) << "pan " << c.pan;
        EXPECT_EQ(c.right, frame[1]) << "pan " << c.pan;
    }
}

TEST_F(MixerTest, open_centres_channels_with_right_one_louder)
{
    std::vector<int8_t> ones(9, 1);
    add(1, ones, 8, 0, 0, 0);
    sound_driver.select_channel(0);
    sound_driver.set_sample(1);
    sound_driver.set_volume(64);
    int16_t frame[2] = {0, 0};
    mixer_render(frame, 1);
    EXPECT_EQ(64, frame[0]);
    EXPECT_EQ(65, frame[1]);
}

TEST_F(MixerTest, set_period_splits_the_step_into_32_32)
{
    struct Case { int period; uint32_t step, step_fraction; };
    const Case cases[] = {
        {428, 0, 807083520u},
        {856, 0, 403541760u},
        {113, 0, 3056918784u},
        {28, 2, 3746917120u},
        {1, 80, 1834467072u},
        {0, 0, 0},
        // Negative periods keep the bit patterns of a negative whole part and fraction.
        {-1, 4294967216u, 2460500224u},
        {-30, 4294967294u, 1370507008u},
        {-428, 0, 3487883776u},
    };
    for (const Case& c : cases) {
        sound_driver.select_channel(1);
        sound_driver.set_period(c.period);
        const mixer_voice& r = mixer_request_of(1);
        EXPECT_EQ(c.step, r.step) << "period " << c.period;
        EXPECT_EQ(c.step_fraction, r.step_fraction) << "period " << c.period;
        EXPECT_EQ(0u, r.step_fraction & 0xFF);
        EXPECT_EQ(1, r.step_set);
    }
}

TEST_F(MixerTest, position_advances_before_the_byte_is_read_and_loops_wrap_past_loop_start)
{
    struct Case {
        const char* name;
        int rate_divisor;   // step in whole bytes at period 1
        int loop_start, loop_end, looped;
        std::vector<int> heard;
    };
    const Case cases[] = {
        {"step 1 loop", 1, 2, 5, 1, {1, 2, 3, 4, 5, 3, 4, 5, 3}},
        {"overshoot lands on loop_start + 1", 4, 1, 9, 1, {4, 8, 2, 6, 2, 6}},
        {"loop to the end reads the byte at loop_end", 1, 6, 8, 1, {1, 2, 3, 4, 5, 6, 7, 8, 7, 8}},
    };
    for (const Case& c : cases) {
        start(unit_rate / c.rate_divisor);
        std::vector<int8_t> bytes = ramp(9);   // byte 8 stands for the next sample's first
        add(1, bytes, 8, c.loop_start, c.loop_end, c.looped);
        play(0, 1, 1);
        EXPECT_EQ(c.heard, render_left(static_cast<int>(c.heard.size()))) << c.name;
    }
}

TEST_F(MixerTest, fraction_carries_into_the_position)
{
    start(2 * unit_rate);   // period 1: half a byte a frame
    std::vector<int8_t> bytes = ramp(9);
    add(1, bytes, 8, 0, 0, 0);
    play(0, 1, 1);
    EXPECT_EQ((std::vector<int>{0, 1, 1, 2, 2, 3}), render_left(6));
    EXPECT_EQ(3u, mixer_voice_of(0).position);
    EXPECT_EQ(0u, mixer_voice_of(0).fraction);
}

TEST_F(MixerTest, one_shot_voice_ends_then_repeats_its_first_byte_until_restarted)
{
    start(unit_rate);
    std::vector<int8_t> bytes = {10, 11, 12, 13, 99};
    add(1, bytes, 4, 0, 0, 0);
    play(0, 1, 1);
    // The frame that runs past the end renders nothing, nor do the ones after it.
    EXPECT_EQ((std::vector<int>{11, 12, 13, 0, 0}), render_left(5));
    const mixer_voice& v = mixer_voice_of(0);
    EXPECT_EQ(0, v.volume);
    EXPECT_EQ(0u, v.position);
    EXPECT_EQ(0u, v.step);
    EXPECT_EQ(0u, v.step_fraction);
    // Next stretch: volume back from the request, position and step stay 0.
    EXPECT_EQ((std::vector<int>{10, 10, 10}), render_left(3));
    // A set_period alone starts the sample again from its start.
    sound_driver.select_channel(0);
    sound_driver.set_period(1);
    EXPECT_EQ((std::vector<int>{11, 12}), render_left(2));
}

TEST_F(MixerTest, voice_keeps_its_position_across_stretches_and_while_silent)
{
    start(unit_rate);
    std::vector<int8_t> bytes = ramp(21);
    add(1, bytes, 20, 0, 0, 0);
    play(0, 1, 1);
    EXPECT_EQ((std::vector<int>{1, 2, 3}), render_left(3));
    sound_driver.select_channel(0);
    sound_driver.set_volume(0);
    EXPECT_EQ((std::vector<int>{0, 0, 0, 0, 0}), render_left(5));
    EXPECT_EQ(3u, mixer_voice_of(0).position);
    sound_driver.set_volume(64);
    sound_driver.set_sample(1);   // re-attaching the sample does not move the position
    EXPECT_EQ((std::vector<int>{4, 5}), render_left(2));
}

TEST_F(MixerTest, set_position_moves_only_inside_the_sample_and_cancels_loops_past_the_end)
{
    struct Case { uint32_t offset; uint32_t position; int looped; };
    const Case cases[] = {
        {3, 3, 1},      // inside the loop
        {6, 6, 1},      // at loop_end: still looped
        {7, 7, 0},      // past loop_end: plays through once
        {10, 0, 0},     // at the length: no move, but the loop ends all the same
        {0xFFFFFFFFu, 0, 0},
    };
    std::vector<int8_t> bytes = ramp(11);
    for (const Case& c : cases) {
        start(44100);
        add(1, bytes, 10, 2, 6, 1);
        sound_driver.select_channel(0);
        sound_driver.set_sample(1);
        sound_driver.set_position(c.offset);
        const mixer_voice& r = mixer_request_of(0);
        EXPECT_EQ(c.position, r.position) << c.offset;
        EXPECT_EQ(c.looped, r.looped) << c.offset;
    }
}

TEST_F(MixerTest, sums_wrap_around_without_clipping)
{
    struct Case { int16_t before; int8_t byte; int voices; int16_t after; };
    const Case cases[] = {
        {0, -128, 2, 32512},    // -33024 wraps up
        {100, -128, 2, 32612},
        {0, 127, 2, 32766},     // just inside
        {0, 127, 3, -16387},    // 49149 wraps down
        {0, 127, 4, -4},
    };
    for (const Case& c : cases) {
        start(44100);
        std::vector<int8_t> bytes(3, c.byte);
        add(1, bytes, 2, 0, 0, 0);
        sound_driver.set_channels(c.voices);
        for (int ch = 0; ch < c.voices; ++ch)
            play(ch, 1, 0, 0);   // right gain 129
        int16_t frame[2] = {0, c.before};
        mixer_render(frame, 1);
        EXPECT_EQ(c.after, frame[1]) << int(c.byte) << " x" << c.voices;
    }
}

TEST_F(MixerTest, null_stream_advances_voices_exactly_as_writing_does)
{
    std::vector<int8_t> looped = ramp(33);
    std::vector<int8_t> once = ramp(17);
    mixer_voice written[3];
    for (int pass = 0; pass < 2; ++pass) {
        start(44100);
        add(1, looped, 32, 5, 20, 1);
        add(2, once, 16, 0, 0, 0);
        sound_driver.set_channels(3);
        play(0, 1, 113);
        play(1, 2, 200);
        play(2, 1, -1);
        std::vector<int16_t> stream(2 * 300, 0);
        for (int stretch = 0; stretch < 4; ++stretch)
            mixer_render(pass == 0 ? stream.data() : nullptr, 300 / 4 + stretch);
        for (int ch = 0; ch < 3; ++ch) {
            const mixer_voice& v = mixer_voice_of(ch);
            if (pass == 0) {
                written[ch] = v;
                continue;
            }
            EXPECT_EQ(written[ch].position, v.position) << ch;
            EXPECT_EQ(written[ch].fraction, v.fraction) << ch;
            EXPECT_EQ(written[ch].volume, v.volume) << ch;
            EXPECT_EQ(written[ch].step, v.step) << ch;
        }
    }
    // The one-shot voice ended on the way: its step was cleared.
    EXPECT_EQ(0u, written[1].step);
    EXPECT_EQ(0u, written[1].step_fraction);
}

TEST_F(MixerTest, negative_periods_run_backwards_without_leaving_the_sample)
{
    std::vector<int8_t> bytes = ramp(65);
    // Looped: position 40 minus about 80 wraps below 0, a huge unsigned number, so every
    // frame lands on loop_start + 1.
    add(1, bytes, 64, 10, 50, 1);
    play(0, 1, -1, pan_left_unit, 40);
    EXPECT_EQ((std::vector<int>{11, 11, 11}), render_left(3));
    // One-shot: the same step ends the voice at once.
    add(2, bytes, 64, 0, 0, 0);
    play(1, 2, -1, pan_left_unit, 40);
    sound_driver.select_channel(0);
    sound_driver.set_volume(0);
    EXPECT_EQ((std::vector<int>{0, 0}), render_left(2));
    EXPECT_EQ(0, mixer_voice_of(1).volume);
}

TEST_F(MixerTest, no_channels_means_no_copy_and_no_output)
{
    std::vector<int8_t> ones(9, 1);
    add(1, ones, 8, 0, 0, 0);
    play(0, 1, 428);
    for (int count : {0, -3}) {
        sound_driver.set_channels(count);
        int16_t frame[2] = {7, -7};
        mixer_render(frame, 1);
        EXPECT_EQ(7, frame[0]);
        EXPECT_EQ(-7, frame[1]);
        EXPECT_EQ(1, mixer_request_of(0).position_set);   // not taken by the voice
    }
}

TEST_F(MixerTest, master_volume_is_capped_at_252)
{
    struct Case { int set, stored; };
    const Case cases[] = {{64, 64}, {252, 252}, {253, 252}, {100000, 252}, {-5, -5}};
    for (const Case& c : cases) {
        sound_driver.set_master_volume(c.set);
        EXPECT_EQ(c.stored, mixer_master_volume()) << c.set;
    }
}

TEST_F(MixerTest, init_clears_channels_and_sample_entries)
{
    std::vector<int8_t> bytes = ramp(9);
    add(1, bytes, 8, 2, 6, 1);
    play(0, 1, 428, 40, 3);
    mixer_render(nullptr, 10);
    mixer_init(44100, 4096);
    for (int ch = 0; ch < mixer_max_channels; ++ch) {
        for (const mixer_voice* v : {&mixer_request_of(ch), &mixer_voice_of(ch)}) {
            EXPECT_EQ(nullptr, v->data);
            EXPECT_EQ(0, v->volume);
            EXPECT_EQ(0u, v->position);
            EXPECT_EQ(0u, v->length);
            EXPECT_EQ(127, v->panning);
            EXPECT_EQ(1, v->step_set);
            EXPECT_EQ(1, v->position_set);
        }
    }
    // The old sample entry is gone: attaching it gives a silent, empty voice.
    sound_driver.select_channel(0);
    sound_driver.set_sample(1);
    EXPECT_EQ(nullptr, mixer_request_of(0).data);
    EXPECT_EQ(0u, mixer_request_of(0).length);
}

// Values the replayer never sends: nothing outside the tables or the sample is touched.
TEST_F(MixerTest, out_of_table_channels_and_samples_are_dropped)
{
    std::vector<int8_t> bytes = ramp(9);
    add(1, bytes, 8, 0, 0, 0);
    play(0, 1, 1);
    const mixer_voice before = mixer_request_of(0);
    std::vector<int8_t> other(9, 50);
    for (int index : {32, 255, -1}) {
        EXPECT_EQ(1, sound_driver.add_sample(index, other.data(), 8, 0, 0, 0));
        sound_driver.select_channel(0);
        sound_driver.set_sample(index);   // ignored: channel 0 keeps sample 1
    }
    for (int channel : {32, 1000, -1}) {
        sound_driver.select_channel(channel);
        sound_driver.set_sample(1);
        sound_driver.set_volume(33);
        sound_driver.set_panning(9);
        sound_driver.set_period(100);
        sound_driver.set_position(2);
    }
    for (int ch = 0; ch < mixer_max_channels; ++ch)
        EXPECT_EQ(ch == 0 ? 64 : 0, mixer_request_of(ch).volume) << ch;
    EXPECT_EQ(before.data, mixer_request_of(0).data);
    EXPECT_EQ(before.sample, mixer_request_of(0).sample);
    EXPECT_EQ(before.panning, mixer_request_of(0).panning);

    sound_driver.set_channels(33);
    EXPECT_EQ(32, mixer_channel_count());
    sound_driver.set_channels(1000000);
    EXPECT_EQ(32, mixer_channel_count());
    std::vector<int16_t> stream(2 * 16, 0);
    mixer_render(stream.data(), 16);   // all 32 channels, none beyond
}

TEST_F(MixerTest, loop_bounds_past_the_sample_are_clamped_to_its_end)
{
    struct Case { int length, loop_start, loop_end; uint32_t start, end; };
    const Case cases[] = {
        {8, 4, 100, 4, 8},          // loop end far past: clamped to the byte after the sample
        {8, 50, 100, 7, 8},         // loop start past the sample too: wraps to the end byte
        {8, -1, -1, 7, 8},          // huge as unsigned
        {8, 2, 8, 2, 8},            // valid loop to the end: unchanged
    };
    for (const Case& c : cases) {
        start(unit_rate / 3);
        std::vector<int8_t> bytes = ramp(c.length + 1);   // exactly one byte past the sample
        add(1, bytes, c.length, c.loop_start, c.loop_end, 1);
        play(0, 1, 1);
        const mixer_voice& r = mixer_request_of(0);
        EXPECT_EQ(c.start, r.loop_start) << c.loop_start << ".." << c.loop_end;
        EXPECT_EQ(c.end, r.loop_end) << c.loop_start << ".." << c.loop_end;
        for (int heard : render_left(50)) {
            EXPECT_GE(heard, 0);
            EXPECT_LE(heard, c.length);
        }
    }
}

} // namespace
