// The portrait (model scene background, morph target, and the likeness the rectangle
// table is fitted to) and the heart that confines the walkers.
#include <cmath>

#include "detmath.h"
#include "paint.h"
#include "pictures.h"

namespace {

float clampf(float v, float lo, float hi) { return v < lo ? lo : (v > hi ? hi : v); }

} // namespace

// The walkers' mask: a big heart of deep, warm colours on white. Every colour inside has
// green and blue below 128: the walkers see it as inside, and because they also stop on
// a canvas pixel without green or blue of 128, they stop on each other's trails too, so
// the pattern spreads out over the whole heart instead of piling up where it started.
image forge_heart()
{
    image img(screen_width, screen_height);
    img.fill(col(255, 255, 255));
    mask shape(screen_width, screen_height);
    for (int y = 0; y < screen_height; ++y)
        for (int x = 0; x < screen_width; ++x) {
            int hits = 0;
            for (int s = 0; s < 16; ++s) {
                // Implicit heart (u^2 + v^2 - 1)^3 - u^2 v^3 <= 0, scaled to the frame.
                float u = (x + (s % 4 + 0.5f) * 0.25f - 160.0f) / 100.0f;
                float v = (118.0f - (y + (s / 4 + 0.5f) * 0.25f)) / 98.0f + 0.12f;
                float a = u * u + v * v - 1;
                hits += a * a * a - u * u * v * v * v <= 0;
            }
            // A hard edge: the walkers see the mask as inside or outside, and a blend
            // with the white would give edge colours they could cross.
            shape.ref(x, y) = hits >= 8 ? 1.0f : 0.0f;
        }
    paint_mask_with(img, shape, [](int x, int y) {
        // Deep violet in the lobes through crimson and red to orange at the tip, with a
        // lighter sweep on the left lobe.
        float t = clamp01((y - 15.0f) / 215.0f);
        rgba c = t < 0.35f ? mix(col(95, 20, 120), col(175, 10, 75), t / 0.35f)
               : t < 0.7f  ? mix(col(175, 10, 75), col(235, 30, 45), (t - 0.35f) / 0.35f)
                           : mix(col(235, 30, 45), col(250, 120, 20), (t - 0.7f) / 0.3f);
        float sx = (x - 110.0f) / 40.0f, sy = (y - 70.0f) / 30.0f;
        float shine = clamp01(1.0f - (sx * sx + sy * sy));
        return mix(c, col(255, 110, 110), 0.5f * shine * shine);
    });
    return img;
}

// A portrait in warm light on a sunset sky: hair, shaded face, eyes, lips, a collar and a
// pendant, with the contrast the halftone and the rectangles need.
image forge_stara()
{
    const int w = screen_width, h = screen_height;
    image img(w, h);
    // Sky: sunset bands with a low sun behind the head.
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            float t = float(y) / h;
            rgba c = t < 0.5f ? mix(col(40, 30, 110), col(200, 70, 120), t / 0.5f)
                              : mix(col(200, 70, 120), col(250, 170, 80), (t - 0.5f) / 0.5f);
            float dx = (x - 160.0f) / 150.0f, dy = (y - 150.0f) / 110.0f;
            float sun = clamp01(1.0f - std::sqrt(dx * dx + dy * dy));
            c = mix(c, col(255, 230, 150), sun * sun * 0.8f);
            if (((y / 4) & 1) && t > 0.55f) c = scaled(c, 0.93f);   // hazy stripes
            img.set(x, y, c);
        }
    // Hair: a mass behind the head with strands as darker curves.
    mask hair(w, h);
    mask_ellipse(hair, 160, 100, 84, 86);
    float hair_fall[] = {80, 100, 76, 235, 244, 235, 240, 100};
    mask_polygon(hair, hair_fall, 4);
    paint_mask_with(img, hair, [](int x, int y) {
        float strand = 0.5f + 0.5f * float(det_sin(x * 0.35 + det_sin(y * 0.04) * 3.0 +
                                                   0.8 * det_sin(x * 0.13 + y * 0.02)));
        rgba c = mix(col(80, 28, 30), col(160, 70, 45), strand);
        float lit = clamp01((200.0f - float(x)) / 140.0f);
        return mix(c, col(220, 120, 70), 0.35f * lit * strand);
    });
    // Neck and shoulders in a dark blue top with a pendant.
    mask neck(w, h);
    mask_rect(neck, 138, 160, 182, 215);
    paint_mask_with(img, neck, [](int x, int) {
        float t = clamp01((x - 138.0f) / 44.0f);
        return mix(col(225, 160, 125), col(160, 95, 80), t);
    });
    mask body(w, h);
    mask_ellipse(body, 160, 262, 120, 60);
    paint_mask_with(img, body, [](int x, int y) {
        float fold = 0.5f + 0.5f * float(det_sin((x - 160) * 0.08 + y * 0.02));
        return mix(col(30, 50, 120), col(60, 100, 190), fold * clamp01((260.0f - x) / 200.0f + 0.3f));
    });
    mask collar(w, h);
    mask_ellipse(collar, 160, 206, 34, 14);
    mask collar_cut(w, h);
    mask_ellipse(collar_cut, 160, 200, 28, 11);
    mask_subtract(collar, collar_cut);
    paint_mask(img, collar, col(240, 200, 90));
    mask pendant(w, h);
    mask_ellipse(pendant, 160, 222, 6, 8);
    paint_mask(img, pendant, col(40, 200, 170));
    mask pendant_shine(w, h);
    mask_ellipse(pendant_shine, 158, 219, 2, 2.5f);
    paint_mask(img, pendant_shine, col(220, 255, 245));
    // Face: an egg shape lit from the upper left.
    mask face(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            int hits = 0;
            for (int s = 0; s < 16; ++s) {
                float px = x + (s % 4 + 0.5f) * 0.25f, py = y + (s / 4 + 0.5f) * 0.25f;
                float v = (py - 112.0f) / 70.0f;
                float half = 54.0f * (1.0f - 0.28f * clampf(v, 0.0f, 1.0f) * clampf(v, 0.0f, 1.0f));
                float u = (px - 160.0f) / half;
                hits += u * u + v * v <= 1.0f;
            }
            face.ref(x, y) = hits / 16.0f;
        }
    paint_mask_with(img, face, [](int x, int y) {
        float dx = (x - 140.0f) / 70.0f, dy = (y - 95.0f) / 80.0f;
        float light = clamp01(1.0f - 0.8f * std::sqrt(dx * dx + dy * dy));
        rgba c = mix(col(170, 95, 80), col(255, 205, 170), light);
        float cheek = clamp01(1.0f - ((x - 186.0f) * (x - 186.0f) + (y - 138.0f) * (y - 138.0f)) / 160.0f);
        float cheek2 = clamp01(1.0f - ((x - 134.0f) * (x - 134.0f) + (y - 138.0f) * (y - 138.0f)) / 160.0f);
        return mix(c, col(235, 110, 110), 0.35f * (cheek + cheek2));
    });
    // Fringe over the forehead.
    mask fringe(w, h);
    float fringe_pts[] = {100, 90, 110, 50, 160, 30, 212, 52, 220, 95, 200, 72, 175, 82, 150, 70, 125, 84};
    mask_polygon(fringe, fringe_pts, 9);
    paint_mask_with(img, fringe, [](int x, int y) {
        float strand = 0.5f + 0.5f * float(det_sin(x * 0.7 + y * 0.3));
        return mix(col(70, 25, 30), col(170, 75, 45), strand);
    });
    // Eyes: white, iris, pupil, highlight, lid line; brows above.
    for (int side = -1; side <= 1; side += 2) {
        float ex = 160.0f + side * 24.0f, ey = 110.0f;
        mask white(w, h);
        mask_ellipse(white, ex, ey, 13, 6.5f);
        paint_mask(img, white, col(245, 240, 235));
        mask iris(w, h);
        mask_ellipse(iris, ex + 1, ey, 6, 6);
        paint_mask_with(img, iris, [&](int, int py) {
            return mix(col(60, 160, 120), col(20, 70, 60), clamp01((py - ey + 6) / 12.0f));
        });
        mask pupil(w, h);
        mask_ellipse(pupil, ex + 1, ey, 2.6f, 2.6f);
        paint_mask(img, pupil, col(10, 10, 20));
        mask shine(w, h);
        mask_ellipse(shine, ex - 1, ey - 2, 1.5f, 1.5f);
        paint_mask(img, shine, col(255, 255, 255));
        mask lid(w, h);
        mask_ellipse(lid, ex, ey - 3.5f, 14, 4);
        mask lid_cut(w, h);
        mask_ellipse(lid_cut, ex, ey - 1.5f, 14, 4);
        mask_subtract(lid, lid_cut);
        paint_mask(img, lid, col(40, 15, 25));
        // Brows: gentle arches, highest a little outside the eye's middle.
        const float o = float(side);
        float brow_pts[] = {ex - 13 * o, ey - 12, ex - 2 * o, ey - 16.5f, ex + 10 * o, ey - 15.5f,
                            ex + 16 * o, ey - 11, ex + 15 * o, ey - 9.5f, ex + 10 * o, ey - 13.5f,
                            ex - 2 * o, ey - 14.5f, ex - 13 * o, ey - 10};
        mask brow(w, h);
        mask_polygon(brow, brow_pts, 8);
        paint_mask(img, brow, col(70, 30, 25));
    }
    // Nose: a shadow along one side and a tip.
    mask nose(w, h);
    float nose_pts[] = {162, 112, 170, 142, 160, 146, 158, 140};
    mask_polygon(nose, nose_pts, 4);
    blur(nose, 1, 1);
    paint_mask(img, nose, col(175, 100, 85, 180));
    mask nostril(w, h);
    mask_ellipse(nostril, 154, 145, 3, 1.6f);
    mask_ellipse(nostril, 166, 145, 3, 1.6f);
    paint_mask(img, nostril, col(120, 60, 60));
    // Lips with a highlight.
    // Lips in a slight smile: the corners sit above the middle of the lip line.
    mask upper(w, h);
    float upper_pts[] = {142, 159.5f, 150, 156.5f, 160, 158.5f, 170, 156.5f, 178, 159.5f,
                         170, 161.5f, 160, 162.5f, 150, 161.5f};
    mask_polygon(upper, upper_pts, 8);
    paint_mask(img, upper, col(195, 55, 80));
    mask lower(w, h);
    float lower_pts[] = {142, 159.5f, 150, 161.5f, 160, 162.5f, 170, 161.5f, 178, 159.5f,
                         170, 166.5f, 160, 168.5f, 150, 166.5f};
    mask_polygon(lower, lower_pts, 8);
    paint_mask(img, lower, col(225, 80, 100));
    mask lip_line(w, h);
    float line_pts[] = {142, 159.5f, 150, 161.0f, 160, 162.0f, 170, 161.0f, 178, 159.5f,
                        170, 162.2f, 160, 163.2f, 150, 162.2f};
    mask_polygon(lip_line, line_pts, 8);
    paint_mask(img, lip_line, col(110, 20, 45));
    mask lip_shine(w, h);
    mask_ellipse(lip_shine, 165, 165.5f, 5, 1.3f);
    paint_mask(img, lip_shine, col(255, 190, 200, 200));
    return img;
}
