// The host seam: the few things the core needs from the outside world.
// The demo binds them to SDL (clock, audio lock, audio device, timer); tests and the
// capture tool use the default binding, a virtual clock and a virtual device that they
// drive themselves. Nothing in the core calls SDL directly.
#pragma once
#include <cstdint>

using host_audio_callback = void (*)(void* userdata, uint8_t* stream, int len);
using host_timer_callback = uint32_t (*)(uint32_t interval);

struct host_binding {
    uint32_t (*get_ticks)();          // milliseconds since start-up
    void (*lock_audio)();             // keeps the audio callback out until unlock
    void (*unlock_audio)();
    // Opens the audio device paused: 44100-style rate, stereo, signed 16-bit native words,
    // `callback` called for every buffer. Stores the granted buffer length in frames.
    // Returns 1 when the device is open, 0 otherwise.
    int (*open_audio)(int rate, int frames, host_audio_callback callback, int* granted_frames);
    void (*pause_audio)(int pause_on); // 0 starts the device calling the callback
    void (*close_audio)();
    // Timer mode of the player: call `callback` every `interval_ms` on another thread.
    void (*start_timer)(uint32_t interval_ms, host_timer_callback callback);
};

extern host_binding host;

// The default binding: a clock that only moves when told to, an audio device that opens
// (granting what was asked) but is never started by itself, and a timer that never fires.
// Tests and the capture tool advance `virtual_ticks` and call the audio callback themselves.
extern uint32_t virtual_ticks;
extern int virtual_audio_opens;        // set to 0 to make open_audio fail
extern int virtual_audio_paused;       // 1 until pause_audio(0)
extern host_audio_callback virtual_audio_callback;
void host_use_virtual();               // restores the default binding and its state

inline uint32_t host_ticks() { return host.get_ticks(); }
inline void host_lock_audio() { host.lock_audio(); }
inline void host_unlock_audio() { host.unlock_audio(); }
