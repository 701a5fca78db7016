// Pictures out of the work frame: whole-number nearest-neighbour enlargement (never a
// blurring scale), 8-bit RGB rows, and PNG files written with libpng.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct rgb_image {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;   // 3 bytes a pixel, row after row
};

// The 320x240 frame of pixel words enlarged `scale` times (1 to 4) as RGB. Scale 2 is the
// screen exactly as presentation doubles it.
void frame_to_rgb(const uint32_t* frame, int scale, rgb_image& out);
// Writes `image` as an 8-bit RGB PNG at `path` (no temporary name). 0, or -1 with `error`.
int write_png(const rgb_image& image, const std::string& path, std::string& error);
