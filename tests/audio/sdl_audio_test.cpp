// Tests of the audio back-end through the virtual host: opening, the device operations it
// puts into sound_driver, failure and refused rates.
#include "audio/sdl_audio.h"

#include <gtest/gtest.h>

#include <cstring>

#include "audio/mixer.h"
#include "host/host.h"
#include "player/player_control.h"
#include "player/sound_driver.h"

namespace {

// A device that records what it was asked for and grants `grant_frames` (or fails).
struct device_log {
    int opens;
    int rate, frames;
    host_audio_callback callback;
    int grant_frames;
    int succeed;
    int closes;
};
device_log device;

int recording_open(int rate, int frames, host_audio_callback callback, int* granted)
{
    ++device.opens;
    device.rate = rate;
    device.frames = frames;
    device.callback = callback;
    if (!device.succeed)
        return 0;
    *granted = device.grant_frames;
    return 1;
}

void recording_close() { ++device.closes; }

class SdlAudioTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        host_use_virtual();
        host.open_audio = recording_open;
        host.close_audio = recording_close;
        device = device_log{0, 0, 0, nullptr, 4096, 1, 0};
        sound_driver_reset();
        mixer_reset_state();
        sdl_audio_reset_state();
    }
    void TearDown() override { host_use_virtual(); }
};

TEST_F(SdlAudioTest, register_opens_the_device_and_fills_the_table)
{
    ASSERT_EQ(1, sdl_audio_register(44100, 4096));
    EXPECT_EQ(1, device.opens);
    EXPECT_EQ(44100, device.rate);
    EXPECT_EQ(4096, device.frames);
    EXPECT_EQ(&audio_fill, device.callback);
    EXPECT_EQ(4096, device_frames);
    EXPECT_STREQ("SDL audio", driver_name);
    EXPECT_STREQ("", driver_error);

    // open initialises the mixer, the hooks do nothing, close releases the device.
    sound_driver.set_master_volume(100);
    sound_driver.open(44100, 4096);
    EXPECT_EQ(127, mixer_request_of(0).panning);
    EXPECT_EQ(1, mixer_request_of(31).step_set);
    sound_driver.after_open();
    sound_driver.before_close();
    EXPECT_EQ(0, device.closes);
    sound_driver.close();
    EXPECT_EQ(1, device.closes);
    // The voice operations are the mixer's.
    EXPECT_EQ(100, mixer_master_volume());
    sound_driver.set_channels(7);
    EXPECT_EQ(7, mixer_channel_count());
}

TEST_F(SdlAudioTest, device_frames_holds_the_length_the_device_granted)
{
    for (int granted : {4096, 1024, 8192, 1}) {
        device.grant_frames = granted;
        ASSERT_EQ(1, sdl_audio_open(44100, 4096));
        EXPECT_EQ(granted, device_frames);
    }
}

TEST_F(SdlAudioTest, failed_open_fills_nothing_and_leaves_the_error_text)
{
    device.succeed = 0;
    const sound_driver_table before = sound_driver;
    EXPECT_EQ(0, sdl_audio_register(44100, 4096));
    EXPECT_EQ(1, device.opens);
    EXPECT_STREQ("SDL audio error", driver_error);
    EXPECT_STREQ("", driver_name);
    EXPECT_EQ(0, device_frames);
    EXPECT_EQ(0, std::memcmp(&before, &sound_driver, sizeof before));
}

// The mixer writes signed 16-bit words only; rates below 44100 would have asked the device
// for unsigned 8-bit samples, so they are refused without asking the device at all.
TEST_F(SdlAudioTest, rates_below_44100_are_refused_and_higher_ones_opened)
{
    struct Case { int rate, result; };
    const Case cases[] = {{44100, 1}, {48000, 1}, {96000, 1},
                          {44099, 0}, {22050, 0}, {0, 0}, {-44100, 0}};
    for (const Case& c : cases) {
        SetUp();
        const sound_driver_table before = sound_driver;
        EXPECT_EQ(c.result, sdl_audio_register(c.rate, 4096)) << c.rate;
        EXPECT_EQ(c.result, device.opens) << c.rate;
        if (c.result) {
            EXPECT_EQ(c.rate, device.rate);
        } else {
            EXPECT_STREQ("SDL audio error", driver_error) << c.rate;
            EXPECT_EQ(0, std::memcmp(&before, &sound_driver, sizeof before)) << c.rate;
        }
    }
}

} // namespace
