// Pictures laid over the scenes: the opening credit, the title, the four credit panels,
// the fireworks marks and the greetings. Transparent wherever the demo does not draw them.
#include <cmath>
#include <cstring>

#include "detmath.h"
#include "font.h"
#include "paint.h"
#include "pictures.h"

namespace {

// What a credit panel shows between its handle and its role.
enum class emblem { monitor, note, brush, cube };

void draw_emblem(image& img, emblem e, float cx, float cy, float size, rgba accent)
{
    const int w = img.width, h = img.height;
    mask m(w, h);
    float s = size;
    switch (e) {
    case emblem::monitor: {
        mask_round_rect(m, cx - s, cy - s * 0.8f, cx + s, cy + s * 0.55f, 4);
        mask_rect(m, cx - s * 0.2f, cy + s * 0.55f, cx + s * 0.2f, cy + s * 0.8f);
        mask_round_rect(m, cx - s * 0.55f, cy + s * 0.78f, cx + s * 0.55f, cy + s * 0.92f, 2);
        paint_mask(img, m, col(190, 200, 220));
        mask screen(w, h);
        mask_rect(screen, cx - s * 0.85f, cy - s * 0.66f, cx + s * 0.85f, cy + s * 0.42f);
        paint_mask(img, screen, col(10, 30, 20));
        // Lines of text on the screen, each of its own length and indent.
        static const float lines[][2] = {{0.0f, 0.9f}, {0.15f, 1.2f}, {0.15f, 0.7f}, {0.3f, 1.0f}, {0.0f, 0.4f}};
        for (int i = 0; i < 5; ++i) {
            mask line(w, h);
            float x0 = cx - s * 0.75f + lines[i][0] * s;
            float y0 = cy - s * 0.56f + i * s * 0.19f;
            mask_rect(line, x0, y0, std::min(x0 + lines[i][1] * s, cx + s * 0.75f), y0 + s * 0.09f);
            paint_mask(img, line, accent);
        }
        break;
    }
    case emblem::note: {
        // Two beamed notes.
        mask_ellipse(m, cx - s * 0.45f, cy + s * 0.55f, s * 0.32f, s * 0.24f);
        mask_ellipse(m, cx + s * 0.55f, cy + s * 0.35f, s * 0.32f, s * 0.24f);
        mask_rect(m, cx - s * 0.2f, cy - s * 0.75f, cx - s * 0.11f, cy + s * 0.55f);
        mask_rect(m, cx + s * 0.8f, cy - s * 0.95f, cx + s * 0.89f, cy + s * 0.35f);
        float beam[] = {cx - s * 0.2f, cy - s * 0.75f, cx + s * 0.89f, cy - s * 0.95f,
                        cx + s * 0.89f, cy - s * 0.7f, cx - s * 0.2f, cy - s * 0.5f};
        mask_polygon(m, beam, 4);
        mask glow = dilate(m, 2);
        blur(glow, 2, 2);
        paint_mask(img, glow, col(accent.r, accent.g, accent.b, 150));
        paint_mask(img, m, col(255, 245, 225));
        break;
    }
    case emblem::brush: {
        // A palette with paint blobs and a brush across it.
        mask_ellipse(m, cx, cy, s, s * 0.75f);
        mask hole(w, h);
        mask_ellipse(hole, cx + s * 0.45f, cy + s * 0.3f, s * 0.18f, s * 0.15f);
        mask_subtract(m, hole);
        paint_mask(img, m, col(200, 160, 110));
        static const rgba blobs[] = {{240, 60, 60, 255}, {250, 210, 60, 255}, {60, 180, 250, 255},
                                     {90, 220, 110, 255}, {220, 90, 230, 255}};
        for (int i = 0; i < 5; ++i) {
            double a = det_pi * (0.75 + 0.3 * i);
            mask blob(w, h);
            mask_ellipse(blob, cx + s * 0.6f * float(det_cos(a)), cy + s * 0.45f * float(det_sin(a)),
                         s * 0.16f, s * 0.13f);
            paint_mask(img, blob, blobs[i]);
        }
        mask handle(w, h);
        float stick[] = {cx - s * 0.9f, cy + s * 0.95f, cx - s * 0.8f, cy + s * 1.05f,
                         cx + s * 0.35f, cy - s * 0.2f, cx + s * 0.25f, cy - s * 0.3f};
        mask_polygon(handle, stick, 4);
        paint_mask(img, handle, col(120, 70, 40));
        mask tip(w, h);
        mask_ellipse(tip, cx + s * 0.38f, cy - s * 0.33f, s * 0.12f, s * 0.12f);
        paint_mask(img, tip, accent);
        break;
    }
    case emblem::cube: {
        // A wireframe cube seen from above a corner, with dots at its corners.
        float px[8], py[8];
        for (int k = 0; k < 8; ++k) {
            float x = (k & 1) ? 1.0f : -1.0f, y = (k & 2) ? 1.0f : -1.0f, z = (k & 4) ? 1.0f : -1.0f;
            float rx = x * 0.8f - z * 0.6f, rz = x * 0.6f + z * 0.8f;
            float ry = y * 0.9f - rz * 0.35f;
            px[k] = cx + rx * s * 0.62f;
            py[k] = cy - ry * s * 0.62f;
        }
        for (int a = 0; a < 8; ++a)
            for (int bit = 1; bit < 8; bit <<= 1) {
                int b = a | bit;
                if (b == a) continue;
                float dx = px[b] - px[a], dy = py[b] - py[a];
                float len = std::sqrt(dx * dx + dy * dy), nx = -dy / len * 0.9f, ny = dx / len * 0.9f;
                float quad[] = {px[a] + nx, py[a] + ny, px[b] + nx, py[b] + ny,
                                px[b] - nx, py[b] - ny, px[a] - nx, py[a] - ny};
                mask_polygon(m, quad, 4);
            }
        for (int k = 0; k < 8; ++k) mask_ellipse(m, px[k], py[k], 2.5f, 2.5f);
        mask glow = dilate(m, 2);
        blur(glow, 2, 2);
        paint_mask(img, glow, col(accent.r, accent.g, accent.b, 170));
        paint_mask(img, m, col(240, 250, 255));
        break;
    }
    }
}

// A credit panel filling the rectangle x0..x1, y0..y1 (inclusive): a translucent rounded
// plate with a glowing rim, the handle at the top, an emblem and the role below it.
image credit_panel(int x0, int y0, int x1, int y1, const char* handle, const char* role,
                   emblem e, rgba accent)
{
    image img(screen_width, screen_height);
    mask plate(img.width, img.height);
    mask_round_rect(plate, x0 + 3.0f, y0 + 3.0f, x1 - 2.0f, y1 - 2.0f, 9);
    mask rim = dilate(plate, 2);
    blur(rim, 1, 1);
    paint_mask(img, rim, col(accent.r, accent.g, accent.b, 220));
    paint_mask_with(img, plate, [&](int, int py) {
        float t = clamp01(float(py - y0) / float(y1 - y0));
        return col(16 + 30 * t, 12 + 14 * t, 36 + 40 * t, 215);
    });
    // Thin scan lines across the plate.
    mask lines(img.width, img.height);
    for (int y = y0 + 6; y < y1 - 4; y += 3) mask_rect(lines, x0 + 6.0f, float(y), x1 - 5.0f, y + 1.0f);
    for (size_t k = 0; k < lines.v.size(); ++k) lines.v[k] *= plate.v[k];
    paint_mask(img, lines, col(255, 255, 255, 14));

    float cx = (x0 + x1 + 1) * 0.5f;
    float width = float(x1 - x0 - 10);
    float scale = std::min(2.0f, width / text_width(handle, 1.0f));
    float handle_y = float(y0 + 12);
    lettering(img, handle, cx, handle_y, scale, scale * 1.6f, col(255, 252, 230), accent);
    float top = handle_y + glyph_height * scale * 1.6f + 6;
    float role_y = float(y1 - 24);
    float size = std::min(width * 0.42f, (role_y - top) * 0.36f);
    draw_emblem(img, e, cx, (top + role_y) * 0.5f, size, accent);
    float role_scale = std::min(1.5f, width / text_width(role, 1.0f));
    lettering(img, role, cx, role_y, role_scale, role_scale, col(220, 230, 255), col(160, 180, 240));
    keep_only(img, {{x0, y0, x1, y1}});
    return img;
}

} // namespace

image forge_trulgun()
{
    return credit_panel(208, 70, 319, 239, "TRULGUN", "CODE", emblem::monitor, col(110, 250, 150));
}

image forge_karvazonk()
{
    return credit_panel(215, 18, 319, 239, "KARVAZONK", "MUSIC", emblem::note, col(255, 170, 80));
}

image forge_garvohunt()
{
    return credit_panel(0, 83, 93, 239, "GARVOHUNT", "GRAPHICS", emblem::brush, col(110, 200, 255));
}

image forge_tovvimarmummo()
{
    return credit_panel(0, 8, 133, 239, "TOVVIMARMUMMO", "3D AND DOTS", emblem::cube, col(255, 110, 200));
}

// Opening credit, rows 53-183: a faceted gem, the group's name in tall metal letters and
// a smaller line below, all with soft glowing edges.
image forge_gringot()
{
    image img(screen_width, screen_height);
    // Gem.
    mask gem(screen_width, screen_height);
    float gem_pts[] = {160, 60, 178, 72, 160, 96, 142, 72};
    mask_polygon(gem, gem_pts, 4);
    mask halo = dilate(gem, 4);
    blur(halo, 3, 2);
    paint_mask(img, halo, col(120, 200, 255, 160));
    paint_mask_with(img, gem, [](int x, int y) {
        bool left = x < 160, upper = y < 72;
        if (upper) return left ? col(200, 240, 255) : col(120, 190, 255);
        return left ? col(70, 140, 230) : col(30, 80, 190);
    });
    // Name: tall letters, chrome gradient, glow.
    mask name(screen_width, screen_height);
    const float sx = 5.0f, sy = 6.0f;
    mask_text_xy(name, "GRINGOT", 160 - text_width("GRINGOT", sx) * 0.5f, 106, sx, sy, 0.0f);
    mask glow = dilate(name, 3);
    blur(glow, 3, 2);
    paint_mask(img, glow, col(40, 90, 200, 190));
    mask edge = dilate(name, 1);
    paint_mask(img, edge, col(10, 15, 40, 240));
    paint_mask_with(img, name, [](int, int y) {
        // Chrome split at the top of the middle font row, so no bar is cut in two.
        const float horizon = 3.0f / 7.0f;
        float t = clamp01((y - 106.0f) / 42.0f);
        if (t < horizon) return mix(col(140, 200, 255), col(255, 255, 255), t / horizon);
        return mix(col(200, 130, 60), col(255, 220, 150), (t - horizon) / (1 - horizon));
    });
    lettering(img, "PRESENTS", 160, 162, 2.0f, 2.0f, col(255, 235, 170), col(255, 150, 80));
    keep_only(img, {{0, 53, 319, 183}});
    return img;
}

// The title, rows 42-196: "VESKARRA" in tall slanted chrome letters with an extruded
// shadow and a glow, and a line of small print below.
image forge_veskarra()
{
    image img(screen_width, screen_height);
    const char* title = "VESKARRA";
    const float sx = 5.8f, sy = 11.0f, slant = 1.6f;
    float x = 160 - text_width(title, sx) * 0.5f - slant * 3.5f;
    const float y = 58.0f;
    mask letters(screen_width, screen_height);
    mask_text_xy(letters, title, x, y, sx, sy, slant);
    mask glow = dilate(letters, 5);
    blur(glow, 4, 2);
    paint_mask(img, glow, col(255, 60, 160, 150));
    // Extrusion: the letters repeated down and right in darkening steps.
    for (int d = 7; d >= 1; --d) {
        mask step(screen_width, screen_height);
        mask_text_xy(step, title, x + d, y + d, sx, sy, slant);
        paint_mask(img, step, col(60 + 10 * d, 10, 60 + 8 * d));
    }
    mask outline = dilate(letters, 1);
    paint_mask(img, outline, col(20, 5, 30));
    paint_mask_with(img, letters, [&](int, int py) {
        float t = clamp01((py - y) / (7 * sy));
        // Chrome: sky blue to white over the top three font rows, gold from the middle
        // bar down (a horizon inside a font row would break the bars).
        const float horizon = 3.0f / 7.0f;
        if (t < horizon) return mix(col(90, 170, 255), col(245, 250, 255), t / horizon);
        return mix(col(255, 150, 50), col(255, 236, 150), (t - horizon) / (1 - horizon));
    });
    // Horizon glint across the middle.
    mask glint(screen_width, screen_height);
    mask_ellipse(glint, 112, y + 3.0f * sy, 2.5f, 12);
    mask_ellipse(glint, 112, y + 3.0f * sy, 14, 2);
    blur(glint, 1, 1);
    paint_mask(img, glint, col(255, 255, 255, 230));
    lettering(img, "A SOFTWARE-RENDERED JOURNEY", 160, 150 + 28, 1.0f, 1.0f, col(230, 240, 255),
              col(170, 190, 255));
    keep_only(img, {{0, 42, 319, 196}});
    return img;
}

// Four marks for the fireworks scene, each a round badge inside its 74x68 box: a star, a
// crescent, a bolt and a spiral eye, dark-rimmed so they read on the bright canvas.
image forge_luot1()
{
    static const int boxes[4][2] = {{224, 173}, {136, 12}, {128, 167}, {237, 73}};
    static const rgba colours[4] = {{255, 80, 90, 255}, {90, 190, 255, 255},
                                    {255, 210, 60, 255}, {130, 250, 120, 255}};
    image img(screen_width, screen_height);
    std::vector<box_rect> keep;
    for (int i = 0; i < 4; ++i) {
        const int bx = boxes[i][0], by = boxes[i][1];
        keep.push_back({bx, by, bx + 73, by + 67});
        float cx = bx + 37.0f, cy = by + 34.0f;
        if (i == 0) cy = by + 33.0f;   // the first box loses its last row at the frame's edge
        mask disc(screen_width, screen_height);
        mask_ellipse(disc, cx, cy, 31, 31);
        mask rim = dilate(disc, 2);
        paint_mask(img, rim, col(10, 5, 20, 240));
        paint_mask_with(img, disc, [&](int px, int py) {
            float d = std::sqrt((px - cx) * (px - cx) + (py - cy) * (py - cy)) / 31.0f;
            return mix(scaled(colours[i], 0.55f), col(15, 10, 35), smooth(0.2f, 1.0f, d));
        });
        mask ring(screen_width, screen_height);
        mask_ellipse(ring, cx, cy, 28, 28);
        mask inner(screen_width, screen_height);
        mask_ellipse(inner, cx, cy, 25.5f, 25.5f);
        mask_subtract(ring, inner);
        paint_mask(img, ring, colours[i]);

        mask sym(screen_width, screen_height);
        if (i == 0) {
            float star[20];
            for (int k = 0; k < 10; ++k) {
                double a = -det_pi / 2 + k * det_pi / 5;
                float r = (k & 1) ? 8.5f : 20.0f;
                star[2 * k] = cx + r * float(det_cos(a));
                star[2 * k + 1] = cy + r * float(det_sin(a));
            }
            mask_polygon(sym, star, 10);
        } else if (i == 1) {
            mask_ellipse(sym, cx, cy, 19, 19);
            mask cut(screen_width, screen_height);
            mask_ellipse(cut, cx + 9, cy - 5, 16, 16);
            mask_subtract(sym, cut);
        } else if (i == 2) {
            float bolt[] = {cx + 4, cy - 22, cx - 12, cy + 3, cx - 1, cy + 3, cx - 6, cy + 22,
                            cx + 12, cy - 5, cx + 1, cy - 5};
            mask_polygon(sym, bolt, 6);
        } else {
            mask_ellipse(sym, cx, cy, 20, 11);
            mask cut(screen_width, screen_height);
            mask_ellipse(cut, cx, cy, 17, 8.5f);
            mask_subtract(sym, cut);
            mask_ellipse(sym, cx, cy, 7, 7);
            mask pupil(screen_width, screen_height);
            mask_ellipse(pupil, cx, cy, 3, 3);
            mask_subtract(sym, pupil);
        }
        mask halo = dilate(sym, 2);
        blur(halo, 2, 2);
        paint_mask(img, halo, col(colours[i].r, colours[i].g, colours[i].b, 170));
        paint_mask(img, sym, col(255, 250, 235));
    }
    keep_only(img, keep);
    return img;
}

// Fifteen greetings to invented groups, each on a small plate in its box of the
// greetings table (fourteen of 105x22, the last of 160x22).
image forge_greetz()
{
    struct box {
        int x, y, w;
        const char* name;
    };
    static const box boxes[15] = {
        {123, 61, 105, "ORVANTI"},   {15, 17, 105, "KELMORA"},   {15, 127, 105, "SULVADEX"},
        {15, 61, 105, "PIRNOKK"},    {123, 17, 105, "TAMBRELL"}, {15, 149, 105, "WOXENDAL"},
        {123, 127, 105, "QUELMIR"},  {123, 39, 105, "BRANDUVIK"}, {123, 149, 105, "ZEPHAROO"},
        {123, 83, 105, "MOLKKARI"},  {15, 83, 105, "HURSKELA"},  {15, 39, 105, "VANTIPOL"},
        {123, 105, 105, "JORRIKAN"}, {15, 105, 105, "NELVASTO"}, {15, 193, 160, "ULMAVEK LODGE"},
    };
    static const rgba accents[5] = {{255, 200, 90, 255}, {120, 220, 255, 255}, {255, 120, 190, 255},
                                    {150, 255, 140, 255}, {200, 160, 255, 255}};
    image img(screen_width, screen_height);
    std::vector<box_rect> keep;
    int k = 0;
    for (const box& b : boxes) {
        keep.push_back({b.x, b.y, b.x + b.w - 1, b.y + 21});
        rgba accent = accents[k++ % 5];
        mask plate(screen_width, screen_height);
        mask_round_rect(plate, b.x + 1.0f, b.y + 1.0f, b.x + b.w - 1.0f, b.y + 21.0f, 5);
        paint_mask(img, plate, col(accent.r, accent.g, accent.b, 230));
        mask inner(screen_width, screen_height);
        mask_round_rect(inner, b.x + 2.5f, b.y + 2.5f, b.x + b.w - 2.5f, b.y + 19.5f, 4);
        paint_mask_with(img, inner, [&](int, int py) {
            return mix(col(30, 20, 60, 225), col(10, 8, 30, 225), clamp01((py - b.y) / 22.0f));
        });
        float scale = std::min(2.0f, float(b.w - 10) / text_width(b.name, 1.0f));
        lettering(img, b.name, b.x + b.w * 0.5f, b.y + 11 - glyph_height * scale * 0.5f, scale, scale,
                  col(255, 255, 255), accent);
    }
    keep_only(img, keep);
    return img;
}
