// Shared helpers of the picture recipes.
#include "paint.h"

#include "font.h"

void keep_only(image& img, const std::vector<box_rect>& rects)
{
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x) {
            bool in = false;
            for (const box_rect& r : rects) in = in || (x >= r.x0 && x <= r.x1 && y >= r.y0 && y <= r.y1);
            if (!in) img.set(x, y, col(0, 0, 0, 0));
        }
}

void lettering(image& img, const char* text, float cx, float y, float sx, float sy, rgba top,
               rgba bottom, float slant)
{
    mask letters(img.width, img.height);
    mask_text_xy(letters, text, cx - text_width(text, sx) * 0.5f, y, sx, sy, slant);
    mask shadow = dilate(letters, std::max(1, int(std::min(sx, sy) * 0.6f)));
    blur(shadow, 1, 2);
    paint_mask(img, shadow, col(8, 6, 20, 230));
    float h = glyph_height * sy;
    paint_mask_with(img, letters, [&](int, int py) { return mix(top, bottom, clamp01((py - y) / h)); });
}

void mask_round_rect(mask& m, float x0, float y0, float x1, float y1, float r)
{
    mask_rect(m, x0 + r, y0, x1 - r, y1);
    mask_rect(m, x0, y0 + r, x0 + r, y1 - r);
    mask_rect(m, x1 - r, y0 + r, x1, y1 - r);
    mask_ellipse(m, x0 + r, y0 + r, r, r);
    mask_ellipse(m, x1 - r, y0 + r, r, r);
    mask_ellipse(m, x0 + r, y1 - r, r, r);
    mask_ellipse(m, x1 - r, y1 - r, r, r);
}

void mask_subtract(mask& m, const mask& cut)
{
    for (size_t i = 0; i < m.v.size(); ++i) m.v[i] = std::max(0.0f, m.v[i] - cut.v[i]);
}
