// The capture tool's command line: one of four modes and its settings, checked in full
// before anything is rendered. Parsing never prints; a usage error comes back as text.
#pragma once
#include <cstdint>
#include <string>

enum class capture_mode {
    render,          // frames, video and/or WAV of the demo or a range of it
    frame_at,        // one frame at a given time
    contact_sheet,   // one frame of each scene and overlay in a grid
    module,          // any module file to WAV
};

struct capture_options {
    capture_mode mode = capture_mode::render;
    std::string data_dir = "data";
    int fps = 60;
    int scale = 2;                    // 1 = 320x240 work frame, 2 = 640x480 screen, 3, 4
    // Range. Positions are inclusive at both ends; times are [from_ms, to_ms).
    bool has_from_position = false, has_from_ms = false;
    bool has_to_position = false, has_to_ms = false;
    uint32_t from_position = 0, to_position = 0;
    uint32_t from_ms = 0, to_ms = 0;
    uint32_t frame_at_ms = 0;
    std::string video, frames_dir, wav, png, contact_sheet, module_file;
    bool has_seconds = false;
    uint64_t seconds_frames = 0;      // --seconds as 44100 Hz sample frames, rounded
    bool quiet = false;
    bool help = false;
};

constexpr int status_ok = 0;
constexpr int status_failure = 1;
constexpr int status_usage = 2;

// Fills `options` from the arguments. Returns status_ok, or status_usage with `error`
// saying what is wrong.
int parse_capture_options(int argc, const char* const* argv, capture_options& options,
                          std::string& error);

// The usage text printed for --help and after a usage error.
const char* capture_usage();

// 1 when `position` is a music position a song can have: order 0..128, row 0..63.
int valid_position(uint32_t position);
