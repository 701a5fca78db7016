// Painting of the demo's pictures. Every picture is a pure function of this source: the
// random numbers come from seeded prng generators, the curves from detmath.
#include "pictures.h"

#include <algorithm>
#include <cmath>

#include "detmath.h"
#include "font.h"
#include "prng.h"

namespace {

rgba col(float r, float g, float b, float a = 255.0f) { return {r, g, b, a}; }

float clamp01(float v) { return v < 0 ? 0 : (v > 1 ? 1 : v); }

// Text with a dark soft shadow and a vertical colour gradient, the lettering style of
// the overlays.
void lettering(image& img, const char* text, float cx, float y, float scale, rgba top,
               rgba bottom, float slant = 0.0f)
{
    mask letters(img.width, img.height);
    mask_text_centred(letters, text, cx, y, scale, slant);
    mask shadow = dilate(letters, std::max(1, int(scale * 0.6f)));
    blur(shadow, 1, 2);
    paint_mask(img, shadow, col(8, 6, 20, 230));
    float h = glyph_height * scale;
    paint_mask_with(img, letters, [&](int, int py) { return mix(top, bottom, clamp01((py - y) / h)); });
}

// A credit panel filling the rectangle x0..x1, y0..y1 (inclusive): a translucent rounded
// plate with a bright rim, the handle along the top and the role below it.
void credit_panel(image& img, int x0, int y0, int x1, int y1, const char* handle,
                  const char* role, rgba accent)
{
    mask plate(img.width, img.height);
    float r = 8.0f;
    mask_rect(plate, x0 + 2 + r, float(y0 + 2), float(x1 - 1 - r), float(y1 - 1));
    mask_rect(plate, float(x0 + 2), y0 + 2 + r, float(x1 - 1), float(y1 - 1 - r));
    mask_ellipse(plate, x0 + 2 + r, y0 + 2 + r, r, r);
    mask_ellipse(plate, x1 - 1 - r, y0 + 2 + r, r, r);
    mask_ellipse(plate, x0 + 2 + r, y1 - 1 - r, r, r);
    mask_ellipse(plate, x1 - 1 - r, y1 - 1 - r, r, r);
    mask rim = dilate(plate, 2);
    blur(rim, 1, 1);
    paint_mask(img, rim, col(accent.r, accent.g, accent.b, 200));
    paint_mask_with(img, plate, [&](int, int py) {
        float t = clamp01(float(py - y0) / float(y1 - y0));
        return col(20 + 20 * t, 14 + 10 * t, 40 + 30 * t, 200);
    });
    float cx = (x0 + x1 + 1) * 0.5f;
    float width = float(x1 - x0 - 8);
    float scale = std::min(2.0f, width / text_width(handle, 1.0f));
    lettering(img, handle, cx, float(y0 + 10), scale, col(255, 250, 220), accent);
    float role_scale = std::min(1.0f, width / text_width(role, 1.0f));
    lettering(img, role, cx, y0 + 16 + glyph_height * scale, role_scale, col(200, 220, 255),
              col(150, 170, 230));
}

} // namespace

// Background of the greetings: concentric rings in cells of 32 pixels, tiling with
// period 32 in both directions.
image forge_circle32()
{
    image img(352, 272);
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x) {
            float dx = float(x % 32) - 15.5f, dy = float(y % 32) - 15.5f;
            float d = std::sqrt(dx * dx + dy * dy);
            float ring = 0.5f + 0.5f * float(det_cos(d * 0.7));
            float cell = float(((x / 32) + (y / 32)) & 1);
            img.set(x, y, col(40 + 180 * ring, 30 + 120 * ring * (1 - cell) + 60 * cell,
                              120 + 120 * (1 - ring), 255));
        }
    return img;
}

// The AND mask over the greetings background: white discs on black in cells of 34
// pixels, tiling with period 34.
image forge_circle34()
{
    image img(354, 274);
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x) {
            float dx = float(x % 34) - 16.5f, dy = float(y % 34) - 16.5f;
            bool on = dx * dx + dy * dy <= 14.0f * 14.0f;
            img.set(x, y, on ? col(255, 255, 255, 255) : col(0, 0, 0, 0));
        }
    return img;
}

// The walkers' mask: a heart of dark, saturated colours on white.
image forge_heart()
{
    image img(screen_width, screen_height);
    img.fill(col(255, 255, 255));
    for (int y = 0; y < screen_height; ++y)
        for (int x = 0; x < screen_width; ++x) {
            // Classic implicit heart (x^2 + y^2 - 1)^3 - x^2 y^3 <= 0, scaled to the frame.
            float u = (x - 160.0f) / 95.0f, v = (120.0f - y) / 95.0f + 0.15f;
            float a = u * u + v * v - 1;
            if (a * a * a - u * u * v * v * v <= 0) {
                float t = float(y) / screen_height;
                img.set(x, y, col(200 + 40 * t, 20 + 40 * (1 - t), 70 + 60 * t));
            }
        }
    return img;
}

image forge_trulgun()
{
    image img(screen_width, screen_height);
    credit_panel(img, 208, 70, 319, 239, "TRULGUN", "CODE", col(120, 255, 160));
    return img;
}

image forge_karvazonk()
{
    image img(screen_width, screen_height);
    credit_panel(img, 215, 18, 319, 239, "KARVAZONK", "MUSIC", col(255, 180, 90));
    return img;
}

image forge_garvohunt()
{
    image img(screen_width, screen_height);
    credit_panel(img, 0, 83, 93, 239, "GARVOHUNT", "GRAPHICS", col(120, 200, 255));
    return img;
}

image forge_tovvimarmummo()
{
    image img(screen_width, screen_height);
    credit_panel(img, 0, 8, 133, 239, "TOVVIMARMUMMO", "3D AND DOTS", col(255, 120, 200));
    return img;
}

// Skyline for the vertical parallax: three depths of towers in the three column bands,
// every feature repeating within 240 rows so the picture wraps without a seam.
image forge_towers()
{
    image img(screen_width, screen_height);
    for (int y = 0; y < screen_height; ++y)
        for (int x = 0; x < screen_width; ++x) {
            bool centre = x >= 150 && x < 170;
            bool middle = (x >= 100 && x < 150) || (x >= 170 && x < 220);
            rgba c;
            if (centre) {
                bool window = (x % 5) == 2 && (y % 6) < 3;
                c = window ? col(255, 230, 140) : col(40, 40, 90);
            } else if (middle) {
                bool window = (x % 8) > 2 && (x % 8) < 6 && (y % 12) < 6;
                c = window ? col(255, 200, 90) : col(70, 60, 130);
            } else {
                bool window = (x % 12) > 2 && (x % 12) < 9 && (y % 20) < 10;
                bool ledge = (y % 60) < 4;
                c = ledge ? col(180, 160, 220) : (window ? col(255, 240, 180) : col(110, 80, 150));
            }
            img.set(x, y, c);
        }
    return img;
}

// The portrait behind the model and the morph target: a face in warm light on a cool
// background.
image forge_stara()
{
    image img(screen_width, screen_height);
    for (int y = 0; y < screen_height; ++y)
        for (int x = 0; x < screen_width; ++x) {
            float t = float(y) / screen_height;
            img.set(x, y, col(30 + 60 * t, 50 + 40 * t, 120 - 40 * t));
        }
    mask hair(screen_width, screen_height);
    mask_ellipse(hair, 160, 105, 78, 92);
    mask_rect(hair, 82, 105, 238, 230);
    paint_mask(img, hair, col(90, 40, 25));
    mask neck(screen_width, screen_height);
    mask_rect(neck, 135, 170, 185, 240);
    mask_ellipse(neck, 160, 250, 110, 40);
    paint_mask(img, neck, col(200, 140, 110));
    mask face(screen_width, screen_height);
    mask_ellipse(face, 160, 118, 58, 74);
    paint_mask_with(img, face, [](int x, int) {
        float t = clamp01((x - 100.0f) / 120.0f);
        return col(250 - 60 * t, 190 - 50 * t, 150 - 40 * t);
    });
    for (int side = -1; side <= 1; side += 2) {
        mask eye(screen_width, screen_height);
        mask_ellipse(eye, 160.0f + side * 24.0f, 105, 12, 6);
        paint_mask(img, eye, col(250, 250, 245));
        mask iris(screen_width, screen_height);
        mask_ellipse(iris, 160.0f + side * 24.0f, 105, 5, 5);
        paint_mask(img, iris, col(40, 110, 160));
        mask brow(screen_width, screen_height);
        mask_rect(brow, 160.0f + side * 24.0f - 14, 88, 160.0f + side * 24.0f + 14, 93);
        paint_mask(img, brow, col(70, 30, 20));
    }
    mask nose(screen_width, screen_height);
    float nose_pts[6] = {160, 108, 150, 140, 168, 140};
    mask_polygon(nose, nose_pts, 3);
    paint_mask(img, nose, col(200, 130, 100));
    mask mouth(screen_width, screen_height);
    mask_ellipse(mouth, 160, 160, 20, 6);
    paint_mask(img, mouth, col(190, 50, 70));
    return img;
}

image forge_gringot()
{
    image img(screen_width, screen_height);
    lettering(img, "GRINGOT", 160, 80, 6, col(255, 255, 255), col(120, 180, 255));
    lettering(img, "PRESENTS", 160, 140, 3, col(255, 230, 160), col(255, 140, 80));
    return img;
}

image forge_veskarra()
{
    image img(screen_width, screen_height);
    lettering(img, "VESKARRA", 160, 90, 6, col(255, 240, 120), col(255, 60, 120), 1.0f);
    return img;
}

// Four marks for the fireworks scene, each inside its 74x68 box.
image forge_luot1()
{
    static const int boxes[4][2] = {{224, 173}, {136, 12}, {128, 167}, {237, 73}};
    static const rgba colours[4] = {{255, 90, 90, 255}, {90, 200, 255, 255},
                                    {255, 220, 80, 255}, {150, 255, 120, 255}};
    image img(screen_width, screen_height);
    for (int i = 0; i < 4; ++i) {
        float cx = boxes[i][0] + 37.0f, cy = boxes[i][1] + 34.0f;
        mask ring(screen_width, screen_height);
        mask_ellipse(ring, cx, cy, 30, 30);
        mask hole(screen_width, screen_height);
        mask_ellipse(hole, cx, cy, 24, 24);
        for (size_t k = 0; k < ring.v.size(); ++k) ring.v[k] = std::max(0.0f, ring.v[k] - hole.v[k]);
        paint_mask(img, ring, colours[i]);
        mask digit(screen_width, screen_height);
        char text[2] = {char('1' + i), 0};
        mask_text_centred(digit, text, cx, cy - 14, 4);
        paint_mask(img, digit, col(255, 255, 255));
    }
    return img;
}

// Fifteen greetings, each in its box of the greetings table.
image forge_greetz()
{
    struct box {
        int x, y, w;
        const char* name;
    };
    static const box boxes[15] = {
        {123, 61, 105, "ORVANTI"},  {15, 17, 105, "KELMORA"},   {15, 127, 105, "SULVADEX"},
        {15, 61, 105, "PIRNOKK"},   {123, 17, 105, "TAMBRELL"}, {15, 149, 105, "WOXENDAL"},
        {123, 127, 105, "QUELMIR"}, {123, 39, 105, "BRANDUVIK"}, {123, 149, 105, "ZEPHAROO"},
        {123, 83, 105, "MOLKKARI"}, {15, 83, 105, "HURSKELA"},  {15, 39, 105, "VANTIPOL"},
        {123, 105, 105, "JORRIKAN"}, {15, 105, 105, "NELVASTO"}, {15, 193, 160, "ULMAVEK LODGE"},
    };
    image img(screen_width, screen_height);
    for (const box& b : boxes) {
        float scale = std::min(2.0f, float(b.w - 8) / text_width(b.name, 1.0f));
        lettering(img, b.name, b.x + b.w * 0.5f, b.y + 11 - glyph_height * scale * 0.5f, scale,
                  col(255, 255, 255), col(255, 200, 90));
    }
    return img;
}

// Dark television static, for covering cuts and behind the closing halftone.
image forge_noise()
{
    prng rng(0x6E6F6973u);
    image img(screen_width, screen_height);
    for (int y = 0; y < screen_height; ++y) {
        float line = (y & 1) ? 0.8f : 1.0f;
        for (int x = 0; x < screen_width; ++x) {
            float v = float(rng.range(0, 110)) * line;
            img.set(x, y, col(v, v * 0.95f, v * 1.05f));
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
    for (int y = 0; y < screen_height; ++y)
        for (int x = 0; x < screen_width; ++x) {
            float v = float(rng.range(150, 255));
            img.set(x, y, col(v, v, v));
        }
    return img;
}

const picture_recipe picture_recipes[picture_recipe_count] = {
    {"circle32.png", forge_circle32},   {"circle34.png", forge_circle34},
    {"heart.png", forge_heart},         {"trulgun.png", forge_trulgun},
    {"karvazonk.png", forge_karvazonk}, {"garvohunt.png", forge_garvohunt},
    {"towers.png", forge_towers},       {"stara.png", forge_stara},
    {"gringot.png", forge_gringot},     {"veskarra.png", forge_veskarra},
    {"tovvimarmummo.png", forge_tovvimarmummo}, {"luot1.png", forge_luot1},
    {"greetz.png", forge_greetz},       {"noise.png", forge_noise},
    {"whitenoise.png", forge_whitenoise},
};
