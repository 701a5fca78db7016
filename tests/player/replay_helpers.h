// Shared helpers of the replayer and effect tests: load a built module and run ticks,
// collecting what the recording driver saw tick by tick.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <algorithm>

#include "module_builder.h"
#include "player/module_loader.h"
#include "player/replayer.h"
#include "recording_driver.h"

struct played_tick {
    int32_t order;
    uint32_t row;
    uint32_t tick;
    std::vector<std::string> calls;   // full trace of this tick
};

// Loads the module (keeping the buffer alive in `buffer`) and asserts it was taken.
inline void load_module(module_buffer& buffer) {
    ASSERT_EQ(load_for_test(buffer), 1) << pt_error;
}

// Runs `count` ticks; the driver log keeps growing.
inline void tick_n(int count) {
    for (int i = 0; i < count; i++) pt_tick();
}

// Runs `count` ticks and returns, for each, the position after it and its driver calls.
inline std::vector<played_tick> run_ticks(int count) {
    std::vector<played_tick> out;
    for (int i = 0; i < count; i++) {
        recording_driver::clear();
        pt_tick();
        out.push_back({player.order, player.row, player.tick, recording_driver::trace()});
    }
    return out;
}

// First arguments of `op` on `channel`, one list per tick.
inline std::vector<std::vector<int64_t>> values_per_tick(const std::string& op, int channel,
                                                         int count) {
    std::vector<std::vector<int64_t>> out;
    for (int i = 0; i < count; i++) {
        recording_driver::clear();
        pt_tick();
        out.push_back(recording_driver::values(op, channel));
    }
    return out;
}

// The (order, row) of every row whose tick 0 was processed, over `count` ticks, taken at
// the tick's first driver call, before any command has moved the position.
inline std::vector<std::pair<int32_t, uint32_t>> rows_played(int count) {
    std::vector<std::pair<int32_t, uint32_t>> out;
    for (int i = 0; i < count; i++) {
        recording_driver::clear();
        pt_tick();
        const std::vector<driver_call>& calls = recording_driver::calls();
        if (!calls.empty() && calls[0].tick == 0) out.push_back({calls[0].order, calls[0].row});
    }
    return out;
}
