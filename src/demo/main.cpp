// The demo's entry: start-up (assets, screen, music, scene buffers) and the frame loop.
#include <SDL.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "demo/assets.h"
#include "demo/demo_data.h"
#include "demo/frame_loop.h"
#include "demo/presentation.h"
#include "demo/screen_mode.h"
#include "demo/sdl_host.h"
#include "demo/startup.h"
#include "player/player_control.h"

namespace {

int fail_sdl(const char* what)
{
    std::fprintf(stderr, "veskarra: %s: %s\n", what, SDL_GetError());
    SDL_Quit();
    return 1;
}

// Opens the player on the audio device. Without a usable device the music clock would
// never move, so the player falls back to SDL's dummy driver: the demo then runs in sync,
// silently, and says so in one line.
void open_music()
{
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) == 0 && player_open(44100, 4096))
        return;
    std::fprintf(stderr, "veskarra: no audio device (%s), playing silently\n", SDL_GetError());
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) == 0)
        player_open(44100, 4096);
}

// Takes every pending event; only Space and Escape mean anything.
void handle_events(frame_loop_state& state)
{
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        if (event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_SPACE)
            state.fast_forward = true;
        else if (event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_ESCAPE)
            state.quit_after_frame = true;
        else if (event.type == SDL_KEYUP && event.key.keysym.sym == SDLK_SPACE)
            state.fast_forward = false;
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (load_assets("data") != 0)
        return 1;

    const uint32_t flags = screen_mode_flags(argc, argv);
    // The picture is drawn in software and only copied to the screen: SDL's software
    // renderer does that without loading a GL driver, which would take several times the
    // demo's own memory. A choice made in the environment is kept.
    setenv("SDL_FRAMEBUFFER_ACCELERATION", "0", 0);
    setenv("SDL_RENDER_DRIVER", "software", 0);
    // Audio is started on its own in open_music, so that a missing sound device does not
    // keep the demo from starting.
    if (SDL_Init(SDL_INIT_TIMER | SDL_INIT_VIDEO) < 0)
        return fail_sdl("cannot start SDL");
    SDL_Surface* screen = SDL_SetVideoMode(640, 480, 32, flags);
    if (!screen)
        return fail_sdl("cannot set the 640x480 video mode");
    const uint32_t rmask = screen->format->Rmask;
    SDL_ShowCursor(SDL_DISABLE);
    SDL_WM_SetCaption("Veskarra", nullptr);

    bind_sdl_host();
    open_music();
    if (const char* refused = start_music_and_scenes())
        std::fprintf(stderr, "veskarra: %s, playing silently\n", refused);

    frame_loop_state state;
    for (;;) {
        frame_draw_scene(state);
        SDL_LockSurface(screen);
        frame_fast_forward(state);
        handle_events(state);
        frame_finish(state);
        swap_pixel_bytes(work_frame, rmask);
        scale_2x(work_frame, static_cast<uint8_t*>(screen->pixels), screen->pitch);
        SDL_UnlockSurface(screen);
        SDL_Flip(screen);
        if (state.quit_after_frame)
            break;
    }
    SDL_Quit();
    return 0;
}
