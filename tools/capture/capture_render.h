// The demo's render modes: frames, video and WAV over the whole demo or a range, and a
// single frame at a given time. Each returns a process status and prints its errors.
#pragma once
#include "capture_options.h"

int run_render(const capture_options& options);
int run_frame_at(const capture_options& options);
// Prints "veskarra-capture: TEXT" on standard error and returns status_failure.
int report_failure(const std::string& text);
