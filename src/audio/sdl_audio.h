// The audio back-end: opens the device through the host seam with audio_fill as callback
// and fills the device operations of sound_driver, then registers the mixer.
// Failure is a 0 result with "SDL audio error" in driver_error. Rates below 44100 are
// refused: the device is then asked for nothing and the table stays as it was.
#pragma once

int sdl_audio_register(int rate, int frames);
int sdl_audio_open(int rate, int frames);
extern int device_frames;
void sdl_audio_reset_state();   // device_frames back to 0
