// A sound driver for tests that logs every operation with its arguments and the channel
// selected at the time. install() puts it into all 13 entries of sound_driver; its
// add_sample answers 1, as the mixer does. Every call also notes the replayer's position.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct driver_call {
    std::string op;          // operation name, e.g. "set_period"
    int channel;             // channel selected when the call came (-1 before any select)
    int64_t args[6];         // integer arguments in order; unused ones 0
    const int8_t* data;      // add_sample's data pointer, else null
    int32_t order;           // the replayer's order, row and tick when the call came
    uint32_t row;
    uint32_t tick;
    std::string text() const;  // "set_period(428)"
};

namespace recording_driver {

void install();   // resets the table, then fills every entry with a recorder
void clear();     // forgets the calls so far (the selected channel stays)
const std::vector<driver_call>& calls();
// Text of every call, in order: {"select_channel(0)", "set_volume(64)", ...}.
std::vector<std::string> trace();
// Text of the calls that acted on `channel`, select_channel calls left out.
std::vector<std::string> channel_trace(int channel);
// First argument of every `op` call that acted on `channel`, in order.
std::vector<int64_t> values(const std::string& op, int channel);

}  // namespace recording_driver
