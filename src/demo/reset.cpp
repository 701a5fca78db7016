// One call that restores the start values of every module, for tests and repeated runs.
#include "demo/reset.h"

#include <cstdlib>

#include "audio/mixer.h"
#include "audio/sdl_audio.h"
#include "demo/overlay.h"
#include "demo/timeline.h"
#include "fx/fireworks.h"
#include "fx/matrix.h"
#include "fx/rects.h"
#include "fx/walkers.h"
#include "host/host.h"
#include "player/module_loader.h"
#include "player/player_control.h"
#include "player/position_clock.h"
#include "player/replayer.h"
#include "player/sound_driver.h"
#include "player/waveforms.h"

void demo_reset_state()
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
    fireworks_reset_state();
    crawlers_reset_state();
    rects_reset_state();
    scene_state_reset_state();
    overlay_reset_state();
    std::srand(1);   // the C library's sequence as an unseeded process starts it
}
