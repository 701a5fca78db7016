// The driver table before any back-end: every entry is callable and does nothing.
#include <gtest/gtest.h>
#include <cstring>
#include "player/sound_driver.h"

namespace {

int fake_add_sample(int, const int8_t*, int, int, int, int) { return 1; }
void fake_op(int) {}

TEST(sound_driver, starts_with_callable_stand_ins_and_empty_texts) {
    sound_driver_reset();
    const int8_t bytes[4] = {1, 2, 3, 4};
    EXPECT_EQ(sound_driver.add_sample(1, bytes, 4, 0, 0, 0), 0);
    sound_driver.select_channel(3);
    sound_driver.set_sample(1);
    sound_driver.set_channels(4);
    sound_driver.before_close();
    sound_driver.set_position(0);
    sound_driver.set_volume(64);
    sound_driver.set_panning(128);
    sound_driver.open(44100, 4096);
    sound_driver.set_master_volume(64);
    sound_driver.after_open();
    sound_driver.set_period(428);
    sound_driver.close();
    EXPECT_STREQ(driver_name, "");
    EXPECT_STREQ(driver_error, "");
}

TEST(sound_driver, reset_puts_the_stand_ins_back) {
    sound_driver_reset();
    sound_driver.add_sample = fake_add_sample;
    sound_driver.set_volume = fake_op;
    driver_name = "SDL audio";
    driver_error = "SDL audio error";
    sound_driver_reset();
    EXPECT_EQ(sound_driver.add_sample(1, nullptr, 0, 0, 0, 0), 0);
    EXPECT_NE(sound_driver.set_volume, fake_op);
    EXPECT_STREQ(driver_name, "");
    EXPECT_STREQ(driver_error, "");
}

}  // namespace
