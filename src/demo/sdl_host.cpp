// The host seam bound to SDL 1.2: clock, audio lock, audio device and timer.
#include <SDL.h>

#include "demo/sdl_host.h"
#include "host/host.h"

namespace {

uint32_t sdl_get_ticks() { return SDL_GetTicks(); }
void sdl_lock_audio() { SDL_LockAudio(); }
void sdl_unlock_audio() { SDL_UnlockAudio(); }

int sdl_open_audio(int rate, int frames, host_audio_callback callback, int* granted_frames)
{
    SDL_AudioSpec desired = {};
    SDL_AudioSpec obtained = {};
    desired.freq = rate;
    // The mixer writes signed 16-bit words in the machine's own byte order.
    desired.format = AUDIO_S16SYS;
    desired.channels = 2;
    desired.samples = Uint16(frames);
    desired.callback = callback;
    desired.userdata = nullptr;
    if (SDL_OpenAudio(&desired, &obtained) < 0)
        return 0;
    *granted_frames = obtained.samples;
    return 1;
}

void sdl_pause_audio(int pause_on) { SDL_PauseAudio(pause_on); }
void sdl_close_audio() { SDL_CloseAudio(); }

void sdl_start_timer(uint32_t interval_ms, host_timer_callback callback)
{
    SDL_InitSubSystem(SDL_INIT_TIMER);
    SDL_SetTimer(interval_ms, callback);
}

} // namespace

void bind_sdl_host()
{
    host = host_binding{sdl_get_ticks,   sdl_lock_audio,  sdl_unlock_audio, sdl_open_audio,
                        sdl_pause_audio, sdl_close_audio, sdl_start_timer};
}
