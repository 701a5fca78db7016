// The effect commands: the tick-0 part and the later-tick part of every command, acting on
// the player state, the channel state of channel c and the output driver (channel c is
// already selected).
#pragma once
#include <cstdint>

#include "player/module_loader.h"

// command x 256, and for command E 0xE00 + the upper nibble of the parameter (EAx = 0xEA0).
inline uint32_t command_key(const pattern_cell& cell) {
    if (cell.command == 0x0E) return 0xE00u + (cell.parameter & 0xF0u);
    return static_cast<uint32_t>(cell.command) << 8;
}

void pt_first_tick_command(int c, const pattern_cell& cell);
void pt_later_tick_command(int c, const pattern_cell& cell);
