// Puts every module with state back to its start values, so that each fuzz input runs
// against the state a fresh process would have.
#pragma once
#include "audio/mixer.h"
#include "audio/sdl_audio.h"
#include "fx/matrix.h"
#include "host/host.h"
#include "player/module_loader.h"
#include "player/player_control.h"
#include "player/position_clock.h"
#include "player/replayer.h"
#include "player/sound_driver.h"
#include "player/waveforms.h"

inline void reset_all_state()
{
    host_use_virtual();
    sound_driver_reset();
    sdl_audio_reset_state();
    mixer_reset_state();
    module_loader_reset_state();
    replayer_reset_state();
    waveforms_reset_state();
    player_control_reset_state();
    position_clock_reset_state();
    matrix_reset_state();
}
