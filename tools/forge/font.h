// The forge's own 5x7 bitmap font for all lettering: capitals, digits and a little
// punctuation. Unknown characters draw as blanks.
#pragma once
#include "image.h"

constexpr int glyph_width = 5;
constexpr int glyph_height = 7;

// Bit (4 - column) of row r is set where the glyph is inked; false for unknown characters.
bool glyph_rows(char c, uint8_t rows[glyph_height]);

// Width in pixels of `text` at `scale` with one column of spacing between glyphs.
float text_width(const char* text, float scale);

// Adds the text's coverage to m, top-left corner at (x, y), each font pixel a square of
// `scale` pixels, `slant` pixels of shear per font row (italic when positive).
void mask_text(mask& m, const char* text, float x, float y, float scale, float slant = 0.0f);
// Same with separate horizontal and vertical scales (tall or wide lettering).
void mask_text_xy(mask& m, const char* text, float x, float y, float sx, float sy, float slant = 0.0f);
// Same, centred on column cx.
void mask_text_centred(mask& m, const char* text, float cx, float y, float scale, float slant = 0.0f);
