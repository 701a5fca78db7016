// Puts every module with state back to the start values of a fresh process (the host
// binding back to the virtual one, the driver table to its stand-ins, player, mixer,
// clock, effects, scenes and overlays, the C library's random sequence). Loaded assets and the frames are kept; the
// module image, converted in place by the loader, has to be read again before it is
// loaded a second time.
#pragma once

void demo_reset_state();
