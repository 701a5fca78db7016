// Puts every module with state back to the start values of a fresh process (the host
// binding back to the virtual one, the driver table to its stand-ins, player, mixer,
// clock, effects, scenes and overlays). Loaded assets and the frames are kept.
#pragma once

void demo_reset_state();
