// Presentation: byte-order swap of the work frame and its 2x2 doubling onto the screen.
#include "demo/presentation.h"

#include <cstring>

#include "gfx/frame.h"

void swap_pixel_bytes(uint32_t* frame, uint32_t rmask)
{
    if (rmask == 0x00FF0000u)
        return;
    for (int k = 0; k < frame_words; ++k) {
        const uint32_t v = frame[k];
        frame[k] = v >> 24 | (v >> 8 & 0x0000FF00u) | (v << 8 & 0x00FF0000u) | v << 24;
    }
}

void scale_2x(const uint32_t* frame, uint8_t* screen_pixels, int pitch_bytes)
{
    for (int y = 0; y < frame_height; ++y) {
        const uint32_t* src = frame + y * frame_width;
        uint8_t* upper = screen_pixels + size_t(2 * y) * size_t(pitch_bytes);
        uint32_t row[2 * frame_width];
        for (int x = 0; x < frame_width; ++x) {
            row[2 * x] = src[x];
            row[2 * x + 1] = src[x];
        }
        std::memcpy(upper, row, sizeof row);
        std::memcpy(upper + pitch_bytes, row, sizeof row);
    }
}
