// The output-driver table and its two texts. Until a back-end fills it, every entry holds
// a stand-in that does nothing, so a caller never goes through an empty entry (device not
// opened, timer mode). The add_sample stand-in answers 0: nothing was registered.
#include "player/sound_driver.h"

namespace {

int idle_add_sample(int, const int8_t*, int, int, int, int) { return 0; }
void idle_channel_op(int) {}
void idle_hook() {}
void idle_set_position(uint32_t) {}
void idle_open(int, int) {}

constexpr sound_driver_table idle_driver = {
    idle_add_sample,    // add_sample
    idle_channel_op,    // select_channel
    idle_channel_op,    // set_sample
    idle_channel_op,    // set_channels
    idle_hook,          // before_close
    idle_set_position,  // set_position
    idle_channel_op,    // set_volume
    idle_channel_op,    // set_panning
    idle_open,          // open
    idle_channel_op,    // set_master_volume
    idle_hook,          // after_open
    idle_channel_op,    // set_period
    idle_hook,          // close
};

}  // namespace

sound_driver_table sound_driver = idle_driver;
const char* driver_name = "";
const char* driver_error = "";

void sound_driver_reset() {
    sound_driver = idle_driver;
    driver_name = "";
    driver_error = "";
}
