// Full-frame pictures: the parallax skyline, the two greetings textures and the two noise
// screens.
#include <cmath>

#include "detmath.h"
#include "font.h"
#include "paint.h"
#include "pictures.h"
#include "prng.h"

namespace {

// Night sky behind the towers: it changes only across the frame, never down it, so the
// picture wraps around its 240 rows; stars are single pixels.
rgba sky(int x, int y)
{
    float d = std::fabs(x - 159.5f) / 160.0f;
    rgba c = mix(col(80, 46, 120), col(8, 10, 34), smooth(0.0f, 0.9f, d));
    uint32_t h = cell_hash(x, y, 11);
    if ((h & 511u) < 3u) {
        float k = 0.5f + float((h >> 9) & 127u) / 254.0f;
        c = mix(c, col(230, 230, 255), k);
    }
    return c;
}

// Light across a rounded facade: dark at both edges, brightest left of the middle.
float facade_light(float u) { return 0.45f + 0.55f * float(det_sin(det_pi * (0.15 + 0.8 * u))); }

struct tower {
    int x0, x1;              // columns, inclusive
    rgba body;               // facade colour at full light
    int cell_w, cell_h;      // window grid; cell_h divides 240
    int win_w, win_h;        // lit part of a cell
    int floor_every;         // rows between floor bands (divides 240), 0 for none
    float lit;               // share of lit windows
    rgba light;              // window light
    uint32_t seed;
};

// Colour of a tower's pixel, or false where the column is not part of it.
bool tower_pixel(const tower& t, int x, int y, rgba* out)
{
    if (x < t.x0 || x > t.x1) return false;
    float u = float(x - t.x0) / float(t.x1 - t.x0);
    rgba c = scaled(t.body, facade_light(u));
    int lx = x - t.x0 - 2, cell_x = lx / t.cell_w, in_x = lx % t.cell_w;
    int cell_y = y / t.cell_h, in_y = y % t.cell_h;
    bool inside_grid = lx >= 0 && x <= t.x1 - 2;
    if (inside_grid && in_x < t.win_w && in_y < t.win_h) {
        float r = cell_unit(cell_x, cell_y, t.seed);
        if (r < t.lit) {
            float glow = 0.75f + 0.25f * cell_unit(cell_x, cell_y, t.seed + 1);
            c = mix(scaled(t.light, glow), col(255, 255, 240), in_y == 0 ? 0.3f : 0.0f);
        } else {
            c = scaled(t.body, 0.35f);
        }
    }
    if (t.floor_every && y % t.floor_every == t.floor_every - 1) c = scaled(t.body, 1.3f);
    if (x == t.x0) c = scaled(c, 0.6f);
    if (x == t.x1) c = scaled(c, 0.5f);
    *out = c;
    return true;
}

} // namespace

// Skyline for the vertical parallax. Outer bands (columns 0-99, 220-319, fastest) hold the
// near towers, the middle bands (100-149, 170-219) towers further off, the centre band
// (150-169, slowest) one far spire; every pattern repeats within 240 rows.
image forge_towers()
{
    static const tower near_towers[] = {
        {0, 60, col(70, 96, 140), 12, 20, 8, 13, 60, 0.45f, col(255, 214, 140), 101},
        {220, 266, col(60, 80, 130), 9, 15, 6, 8, 0, 0.55f, col(120, 230, 255), 102},
    };
    static const tower mid_towers[] = {
        {102, 127, col(74, 60, 120), 6, 10, 3, 5, 40, 0.35f, col(255, 190, 100), 201},
        {131, 147, col(60, 52, 104), 5, 8, 2, 4, 0, 0.30f, col(255, 160, 200), 202},
        {172, 195, col(66, 58, 116), 6, 12, 3, 6, 48, 0.35f, col(255, 200, 120), 203},
        {199, 217, col(56, 50, 100), 5, 10, 2, 5, 0, 0.30f, col(160, 220, 255), 204},
    };
    static const tower far_spire = {153, 166, col(40, 40, 80), 4, 8, 2, 3, 0, 0.25f, col(255, 220, 150), 301};

    image img(screen_width, screen_height);
    for (int y = 0; y < screen_height; ++y)
        for (int x = 0; x < screen_width; ++x) {
            rgba c = sky(x, y);
            rgba t;
            bool centre = x >= 150 && x <= 169;
            bool middle = (x >= 100 && x <= 149) || (x >= 170 && x <= 219);
            if (centre) {
                if (tower_pixel(far_spire, x, y, &t)) c = mix(t, col(70, 50, 110), 0.35f);
            } else if (middle) {
                for (const tower& m : mid_towers)
                    if (tower_pixel(m, x, y, &t)) c = mix(t, col(60, 40, 100), 0.15f);
            } else {
                for (const tower& n : near_towers)
                    if (tower_pixel(n, x, y, &t)) c = t;
                // A lattice mast of crossed girders, repeating every 60 rows.
                if (x >= 272 && x <= 316) {
                    float u = float(x - 272) / 44.0f;
                    int phase = y % 60;
                    float d1 = std::fabs(u * 60.0f - float(phase));
                    float d2 = std::fabs((1 - u) * 60.0f - float(phase));
                    bool girder = d1 < 2.2f || d2 < 2.2f || x <= 274 || x >= 314 || phase < 3;
                    if (girder) c = scaled(col(120, 110, 150), 0.5f + 0.5f * facade_light(u));
                    if ((x == 273 || x == 315) && phase == 30) c = col(255, 60, 60);
                }
            }
            img.set(x, y, c);
        }

    // A vertical neon sign on the near tower at columns 64-99. Sign and glow are drawn
    // three times, 240 rows apart, and the middle copy is kept, so the glow wraps around.
    mask tall(screen_width, screen_height * 3);
    for (int copy = 0; copy < 3; ++copy) {
        const char* word = "VESKARRA";
        for (int i = 0; word[i]; ++i) {
            char letter[2] = {word[i], 0};
            mask_text(tall, letter, 73, float(8 + i * 30 + copy * screen_height), 3.6f);
        }
    }
    mask tall_glow = tall;
    blur(tall_glow, 3, 3);
    mask folded(screen_width, screen_height), glow(screen_width, screen_height);
    for (int y = 0; y < screen_height; ++y)
        for (int x = 0; x < screen_width; ++x) {
            folded.ref(x, y) = tall.get(x, y + screen_height);
            glow.ref(x, y) = tall_glow.get(x, y + screen_height);
        }
    for (int y = 0; y < screen_height; ++y)
        for (int x = 64; x <= 99; ++x) {
            rgba base = col(34, 30, 60);
            if (x == 64 || x == 99) base = col(20, 18, 40);
            float g = std::min(1.0f, glow.get(x, y) * 2.2f);
            rgba c = mix(base, col(255, 70, 170), g * 0.8f);
            c = mix(c, col(255, 225, 245), folded.get(x, y));
            img.set(x, y, c);
        }
    return img;
}

// Background of the greetings: a glowing disc in every 32-pixel cell, tiling with
// period 32 in both directions.
image forge_circle32()
{
    image img(352, 272);
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x) {
            float dx = float(x % 32) - 15.5f, dy = float(y % 32) - 15.5f;
            float d = std::sqrt(dx * dx + dy * dy) / 16.0f;   // 0 centre, 1 at the cell side
            float ring = 0.5f + 0.5f * float(det_cos(d * 9.0));
            rgba c = mix(col(255, 210, 90), col(230, 40, 140), smooth(0.0f, 0.7f, d));
            c = mix(c, col(40, 20, 110), smooth(0.55f, 1.2f, d));
            c = mix(c, col(255, 255, 255), 0.25f * ring * (1 - smooth(0.6f, 0.9f, d)));
            // A diagonal sheen that runs across the cell the same way in every cell.
            float sheen = float(det_sin((dx - dy) * det_pi / 32.0));
            c = mix(c, col(120, 200, 255), 0.15f * sheen * sheen);
            img.set(x, y, c);
        }
    return img;
}

// The AND mask over the greetings background: white discs pierced by a black ring, on
// black, in cells of 34 pixels, tiling with period 34.
image forge_circle34()
{
    image img(354, 274);
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x) {
            float dx = float(x % 34) - 16.5f, dy = float(y % 34) - 16.5f;
            float d2 = dx * dx + dy * dy;
            bool on = d2 <= 15.0f * 15.0f && !(d2 >= 7.0f * 7.0f && d2 <= 9.5f * 9.5f);
            img.set(x, y, on ? col(255, 255, 255, 255) : col(0, 0, 0, 0));
        }
    return img;
}

// Dark television static, for covering cuts and behind the closing halftone: grain,
// scan lines and a few torn bands of colour.
image forge_noise()
{
    prng rng(0x6E6F6973u);
    image img(screen_width, screen_height);
    for (int y = 0; y < screen_height; ++y) {
        float line = (y & 1) ? 0.75f : 1.0f;
        float band = cell_unit(0, y / 6, 77);
        rgba tint = band < 0.12f ? col(1.0f, 0.6f, 1.3f) : (band > 0.9f ? col(0.6f, 1.2f, 1.2f) : col(1, 1, 1));
        float lift = band < 0.12f || band > 0.9f ? 25.0f : 0.0f;
        for (int x = 0; x < screen_width; ++x) {
            float v = float(rng.range(0, 100)) * line + lift;
            img.set(x, y, col(v * tint.r, v * tint.g, v * tint.b));
        }
    }
    return img;
}

// Bright static: fireworks background, walkers' canvas and cut cover. Green and blue
// stay at 128 or more nearly everywhere, which is what lets the walkers crawl on it.
image forge_whitenoise()
{
    prng rng(0x77686974u);
    image img(screen_width, screen_height);
    for (int y = 0; y < screen_height; ++y) {
        float band = 0.96f + 0.04f * float(det_sin(y * det_pi / 30.0));
        for (int x = 0; x < screen_width; ++x) {
            float v = float(rng.range(150, 255)) * band;
            uint32_t speck = rng.next() & 63u;
            rgba c = col(v, v, v);
            if (speck == 0) c = col(v, v * 0.75f, v);          // pink
            if (speck == 1) c = col(v * 0.7f, v, v);           // cyan
            if (speck == 2) c = col(v, v, v * 0.7f);           // straw
            img.set(x, y, c);
        }
    }
    return img;
}
