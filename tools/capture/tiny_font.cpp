// The 3x5 label font and its drawing.
#include "tiny_font.h"

namespace {

// Rows packed as 5 groups of 3 bits, top row in bits 14..12.
constexpr uint16_t rows(int a, int b, int c, int d, int e)
{
    return uint16_t(a << 12 | b << 9 | c << 6 | d << 3 | e);
}

struct glyph {
    char c;
    uint16_t bits;
};

constexpr glyph glyphs[] = {
    {'0', rows(7, 5, 5, 5, 7)}, {'1', rows(2, 6, 2, 2, 7)}, {'2', rows(7, 1, 7, 4, 7)},
    {'3', rows(7, 1, 3, 1, 7)}, {'4', rows(5, 5, 7, 1, 1)}, {'5', rows(7, 4, 7, 1, 7)},
    {'6', rows(7, 4, 7, 5, 7)}, {'7', rows(7, 1, 2, 2, 2)}, {'8', rows(7, 5, 7, 5, 7)},
    {'9', rows(7, 5, 7, 1, 7)}, {'A', rows(2, 5, 7, 5, 5)}, {'B', rows(6, 5, 6, 5, 6)},
    {'C', rows(3, 4, 4, 4, 3)}, {'D', rows(6, 5, 5, 5, 6)}, {'E', rows(7, 4, 6, 4, 7)},
    {'F', rows(7, 4, 6, 4, 4)}, {'G', rows(3, 4, 5, 5, 3)}, {'H', rows(5, 5, 7, 5, 5)},
    {'I', rows(7, 2, 2, 2, 7)}, {'J', rows(1, 1, 1, 5, 2)}, {'K', rows(5, 5, 6, 5, 5)},
    {'L', rows(4, 4, 4, 4, 7)}, {'M', rows(5, 7, 7, 5, 5)}, {'N', rows(6, 5, 5, 5, 5)},
    {'O', rows(2, 5, 5, 5, 2)}, {'P', rows(6, 5, 6, 4, 4)}, {'Q', rows(2, 5, 5, 6, 3)},
    {'R', rows(6, 5, 6, 5, 5)}, {'S', rows(3, 4, 2, 1, 6)}, {'T', rows(7, 2, 2, 2, 2)},
    {'U', rows(5, 5, 5, 5, 7)}, {'V', rows(5, 5, 5, 5, 2)}, {'W', rows(5, 5, 7, 7, 5)},
    {'X', rows(5, 5, 2, 5, 5)}, {'Y', rows(5, 5, 2, 2, 2)}, {'Z', rows(7, 1, 2, 4, 7)},
    {' ', rows(0, 0, 0, 0, 0)}, {'-', rows(0, 0, 7, 0, 0)}, {'.', rows(0, 0, 0, 0, 2)},
    {':', rows(0, 2, 0, 2, 0)}, {'#', rows(5, 7, 5, 7, 5)}, {'@', rows(7, 5, 7, 4, 7)},
};

constexpr uint16_t unknown_glyph = rows(7, 5, 5, 5, 7) ^ rows(0, 0, 2, 0, 0);

} // namespace

uint16_t glyph_bits(char c)
{
    if (c >= 'a' && c <= 'z')
        c = char(c - 'a' + 'A');
    for (const glyph& g : glyphs)
        if (g.c == c)
            return g.bits;
    return unknown_glyph;
}

void draw_text(rgb_image& image, int x, int y, int size, const char* text, uint32_t rgb)
{
    for (int n = 0; text[n] != '\0'; ++n) {
        const uint16_t bits = glyph_bits(text[n]);
        const int left = x + n * (glyph_width + 1) * size;
        for (int gy = 0; gy < glyph_height; ++gy)
            for (int gx = 0; gx < glyph_width; ++gx) {
                if (!(bits >> ((glyph_height - 1 - gy) * 3 + (glyph_width - 1 - gx)) & 1))
                    continue;
                for (int py = 0; py < size; ++py)
                    for (int px = 0; px < size; ++px) {
                        const int ix = left + gx * size + px, iy = y + gy * size + py;
                        if (ix < 0 || iy < 0 || ix >= image.width || iy >= image.height)
                            continue;
                        uint8_t* at = &image.rgb[(size_t(iy) * size_t(image.width) + size_t(ix)) * 3];
                        at[0] = uint8_t(rgb >> 16);
                        at[1] = uint8_t(rgb >> 8);
                        at[2] = uint8_t(rgb);
                    }
            }
    }
}
