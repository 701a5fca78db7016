// Player control and tick scheduling: player_open, player_load, player_start, the device
// callback audio_fill that alternates replayer ticks with mixer stretches and stamps rows,
// timer mode, player_close.
// Owns: player_mode, samples_to_tick, module_loaded.
#include "player/player_control.h"

#include "audio/mixer.h"
#include "audio/sdl_audio.h"
#include "host/host.h"
#include "player/module_loader.h"
#include "player/position_clock.h"
#include "player/replayer.h"
#include "player/sound_driver.h"

namespace {

constexpr int mode_timer = 0;     // no output driver open: ticks come from the timer
constexpr int mode_device = 2;    // ticks come from audio_fill
constexpr int32_t default_tempo = 125;

struct control_state {
    int player_mode;        // mode_timer until player_open, then mode_device for good
    int32_t samples_to_tick; // frames still to render before the next tick; carried over
    int module_loaded;      // 1 once player_load succeeded: only then may the replayer tick
};

control_state control = {mode_timer, 0, 0};

// Frames per tick: 44100 * 2.5 / tempo. A tempo of 0 or less (no song loaded, or state
// that never went through pt_reset) counts as the reset tempo 125 instead of dividing by
// zero; a tick is never shorter than one frame, so every pass makes progress.
int32_t tick_frames(int32_t tempo)
{
    if (tempo <= 0)
        tempo = default_tempo;
    const int64_t frames = 5512500 / (static_cast<int64_t>(tempo) * 50);
    return frames < 1 ? 1 : static_cast<int32_t>(frames);
}

} // namespace

int player_open(int rate, int frames)
{
    control.player_mode = mode_device;
    if (!sdl_audio_register(rate, frames))
        return 0;
    sound_driver.open(rate, device_frames);
    sound_driver.set_master_volume(64);
    sound_driver.after_open();
    reset_row_times();
    return 1;
}

int player_load(uint8_t* module, uint32_t image_size, uint32_t buffer_size)
{
    control.module_loaded = 0;
    player.order = 0;
    player.row = 0;
    if (!pt_takemod(module, image_size, buffer_size))
        return 0;
    pt_reset();
    control.module_loaded = 1;
    return 1;
}

void player_start(int ticks_per_second)
{
    if (control.player_mode != mode_timer) {
        host.pause_audio(0);
        return;
    }
    // Timer mode: a fixed tick rate, 1000 / ticks_per_second ms truncated (20 ms for 50).
    // Rates that give no whole millisecond (0 or less, above 1000) start no timer.
    if (ticks_per_second <= 0 || ticks_per_second > 1000)
        return;
    host.start_timer(static_cast<uint32_t>(1000 / ticks_per_second), timer_tick);
}

// Runs on the timer's thread, in timer mode only. No back-end fills the driver table in
// that mode, so the replayer's operations reach the table's do-nothing stand-ins.
uint32_t timer_tick(uint32_t interval)
{
    if (control.player_mode == mode_timer && control.module_loaded)
        pt_tick();
    return interval;
}

// The device callback (audio thread, under the audio lock; or the main thread for a
// fast-forward with a null stream). Adds into the stream, never clears it.
void audio_fill(void*, uint8_t* stream, int len)
{
    const uint32_t fill_ticks = host_ticks();
    if (control.player_mode != mode_device || !control.module_loaded)
        return;
    const int32_t frames = len / 4;
    if (frames <= 0)
        return;
    int32_t frames_done = 0;
    for (;;) {
        // The row is heard (frames + frames_done) * 1000 / 44100 ms after the callback
        // minus one requested buffer of 4096 frames; the division truncates toward zero.
        const int64_t offset =
            (static_cast<int64_t>(frames + frames_done) * 1000 - 4096000) / 44100;
        const int32_t time = static_cast<int32_t>(fill_ticks + static_cast<uint32_t>(offset));
        record_row_time(player.order, static_cast<int32_t>(player.row), time);
        if (control.samples_to_tick <= 0) {
            pt_tick();
            control.samples_to_tick = tick_frames(player.tempo);
        }
        const int32_t left = frames - frames_done;
        const int32_t chunk = control.samples_to_tick < left ? control.samples_to_tick : left;
        int16_t* out = stream ? reinterpret_cast<int16_t*>(stream + 4 * frames_done) : nullptr;
        mixer_render(out, chunk);
        frames_done += chunk;
        control.samples_to_tick -= chunk;
        if (frames_done >= frames)
            return;
    }
}

void player_close()
{
    if (control.player_mode != mode_timer) {
        sound_driver.before_close();
        sound_driver.close();
    } else {
        host.start_timer(0, nullptr);
    }
}

void player_control_reset_state()
{
    control.player_mode = mode_timer;
    control.samples_to_tick = 0;
    control.module_loaded = 0;
}
