// Presentation: byte-order swap of the work frame and its 2x2 doubling onto the screen.
#include "demo/presentation.h"

#include <cstring>

#include "gfx/frame.h"

void swap_pixel_bytes(uint32_t* frame, uint32_t rmask)
{
    if (rmask == 0x00FF0000u)
        return;
    // Two words a step: reversing all eight bytes also exchanges the two words, and the
    // rotation by 32 bits puts them back, each reversed in place, on either byte order.
    uint8_t* bytes = reinterpret_cast<uint8_t*>(frame);
    for (int k = 0; k < frame_bytes; k += 8) {
        uint64_t v;
        std::memcpy(&v, bytes + k, 8);
        v = __builtin_bswap64(v);
        v = v >> 32 | v << 32;
        std::memcpy(bytes + k, &v, 8);
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
