// The default, virtual host binding used by tests and the capture tool.
#include "host/host.h"

uint32_t virtual_ticks = 0;
int virtual_audio_opens = 1;
int virtual_audio_paused = 1;
host_audio_callback virtual_audio_callback = nullptr;

namespace {

uint32_t virtual_get_ticks() { return virtual_ticks; }
void virtual_lock() {}
void virtual_unlock() {}

int virtual_open_audio(int, int frames, host_audio_callback callback, int* granted_frames)
{
    if (!virtual_audio_opens)
        return 0;
    virtual_audio_callback = callback;
    virtual_audio_paused = 1;
    *granted_frames = frames;
    return 1;
}

void virtual_pause_audio(int pause_on) { virtual_audio_paused = pause_on; }
void virtual_close_audio() { virtual_audio_callback = nullptr; }
void virtual_start_timer(uint32_t, host_timer_callback) {}

constexpr host_binding virtual_binding = {
    virtual_get_ticks, virtual_lock,        virtual_unlock,      virtual_open_audio,
    virtual_pause_audio, virtual_close_audio, virtual_start_timer,
};

} // namespace

host_binding host = virtual_binding;

void host_use_virtual()
{
    host = virtual_binding;
    virtual_ticks = 0;
    virtual_audio_opens = 1;
    virtual_audio_paused = 1;
    virtual_audio_callback = nullptr;
}
