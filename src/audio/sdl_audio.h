// The audio back-end: opens the device through the host seam with audio_fill as callback
// and fills the device operations of sound_driver, then registers the mixer.
#pragma once

int sdl_audio_register(int rate, int frames);
int sdl_audio_open(int rate, int frames);
extern int device_frames;
