// Presentation: the work frame converted to the screen's byte order and doubled 2x2.
#pragma once
#include <cstdint>

// Reverses the four bytes of every word of `frame` in place unless the screen's red mask
// is 0x00FF0000 (the pixel word's own layout).
void swap_pixel_bytes(uint32_t* frame, uint32_t rmask);

// Writes every work pixel (x, y) to the four screen pixels (2x, 2y) .. (2x+1, 2y+1).
// `pitch_bytes` is the distance between screen rows (2560 for a packed 640-wide screen).
void scale_2x(const uint32_t* frame, uint8_t* screen_pixels, int pitch_bytes);
