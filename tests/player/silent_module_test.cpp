// The silent stand-in module plays, without a sound, for as many rows as the demo's song.
#include <gtest/gtest.h>

#include <vector>

#include "player/module_loader.h"
#include "player/replayer.h"
#include "player/silent_module.h"
#include "player/sound_driver.h"
#include "recording_driver.h"

namespace {

TEST(silent_module, is_taken_and_runs_fourteen_silent_orders_at_the_default_speed)
{
    sound_driver_reset();
    replayer_reset_state();
    module_loader_reset_state();
    std::vector<uint8_t> buffer(4000, 0xAA);
    const uint32_t size = build_silent_module(buffer.data(), uint32_t(buffer.size()));
    ASSERT_EQ(size, silent_module_bytes);
    ASSERT_EQ(pt_takemod(buffer.data(), size, uint32_t(buffer.size())), 1);
    pt_reset();
    EXPECT_EQ(player.num_channels, 4);
    // 14 orders of 64 rows at 6 ticks a row, then back to the first order.
    for (int t = 0; t < 14 * 64 * 6; ++t)
        pt_tick();
    EXPECT_EQ(player.order, 13);
    EXPECT_EQ(player.row, 63u);
    EXPECT_EQ(player.tempo, 125);
    pt_tick();
    EXPECT_EQ(player.order, 0);
}

TEST(silent_module, needs_room_for_its_header_and_pattern)
{
    std::vector<uint8_t> buffer(silent_module_bytes - 1);
    EXPECT_EQ(build_silent_module(buffer.data(), uint32_t(buffer.size())), 0u);
}

} // namespace
