// The progress line on standard error during long renders: music position and scene,
// frames written, demo time and speed against real time. Silent when quiet.
#pragma once
#include <cstdint>

struct progress_meter {
    bool quiet = false;
    double started = 0.0;     // monotonic seconds at the start
    double last_shown = -1.0;
    bool shown = false;
};

// The scene the timeline draws at a music position.
const char* scene_name(uint32_t position);
void progress_start(progress_meter& meter, bool quiet);
// Redraws the line at most four times a second, or always when `force` is set.
void progress_show(progress_meter& meter, int32_t position, uint64_t frames_written,
                   uint32_t now_ms, bool force);
// Ends the line and prints the summary of the run.
void progress_end(progress_meter& meter, int32_t position, uint64_t frames_written,
                  uint32_t now_ms);
