// The audio back-end: opens the device through the host seam with audio_fill as its
// callback, puts its four device operations into sound_driver and registers the mixer.
// Owns: device_frames (the buffer length the device granted).
#include "audio/sdl_audio.h"

#include "audio/mixer.h"
#include "host/host.h"
#include "player/player_control.h"
#include "player/sound_driver.h"

int device_frames = 0;

namespace {

// The mixer produces signed 16-bit words in the machine's order only, and audio_fill counts
// 4 bytes a frame; below this rate the device would be asked for unsigned 8-bit samples,
// so such rates are refused instead of opening a device the mixer cannot feed.
constexpr int lowest_rate = 44100;

void device_open(int rate, int frames) { mixer_init(rate, frames); }
void device_after_open() {}
void device_before_close() {}
void device_close() { host.close_audio(); }

} // namespace

int sdl_audio_open(int rate, int frames)
{
    if (rate < lowest_rate)
        return 0;
    int granted = 0;
    if (!host.open_audio(rate, frames, audio_fill, &granted))
        return 0;
    device_frames = granted;
    return 1;
}

int sdl_audio_register(int rate, int frames)
{
    if (!sdl_audio_open(rate, frames)) {
        driver_error = "SDL audio error";
        return 0;
    }
    sound_driver.open = device_open;
    sound_driver.after_open = device_after_open;
    sound_driver.before_close = device_before_close;
    sound_driver.close = device_close;
    mixer_register();
    driver_name = "SDL audio";
    return 1;
}

void sdl_audio_reset_state() { device_frames = 0; }
