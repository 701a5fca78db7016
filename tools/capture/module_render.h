// Module mode: any MOD file played through the replayer and mixer by audio_fill, for a
// given number of frames or until play comes back to an order entry it has already played
// (the restart after the last entry, or a jump back). The sound is rendered tick by tick:
// one frame that starts the tick, then the rest of the tick, so the tick that would
// re-enter a played order entry is never rendered and the length is exact to the frame.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "capture_options.h"
#include "wav_file.h"

struct module_result {
    uint64_t frames = 0;         // 44100 Hz stereo frames rendered
    bool returned = false;       // stopped where play came back to a played order entry
    int32_t return_order = -1;   // that order entry
    bool capped = false;         // stopped at the limit without coming back
};

// The order entry that the next replayer tick enters, or -1 when it stays in its entry.
int32_t order_entered_by_next_tick();

// Resets the player, loads `image` (played in place) and renders it. `frames_wanted` 0
// means until the return, at most `cap_frames`. Samples go to `wav` and/or `samples` when
// given. 0, or -1 with `error` set.
int render_module(uint8_t* image, uint32_t image_size, uint32_t buffer_size,
                  uint64_t frames_wanted, uint64_t cap_frames, wav_writer* wav,
                  std::vector<int16_t>* samples, module_result& result, std::string& error);

int run_module(const capture_options& options);
