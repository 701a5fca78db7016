// A built-in 3x5 pixel font for the contact sheet's labels: digits, capital letters
// (small letters are drawn as capitals), space and - . : # @. Other characters draw a box.
#pragma once
#include <cstdint>

#include "frame_image.h"

constexpr int glyph_width = 3;
constexpr int glyph_height = 5;

// Five rows of three bits, the top row first, bit 2 the left column.
uint16_t glyph_bits(char c);
// Draws `text` at (x, y) with every font pixel a `size` x `size` block of `rgb`; clipped
// to the image. Glyphs advance by 4 font pixels.
void draw_text(rgb_image& image, int x, int y, int size, const char* text, uint32_t rgb);
