// Canvas primitives and the PNG writer of the forge.
#include "image.h"

#include <algorithm>
#include <cstdio>
#include <csetjmp>
#include <png.h>

uint8_t to_byte(float v)
{
    if (!(v > 0.0f)) return 0;
    if (v >= 255.0f) return 255;
    return uint8_t(v + 0.5f);
}

rgba mix(rgba a, rgba b, float t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t,
            a.a + (b.a - a.a) * t};
}

void image::set(int x, int y, rgba c)
{
    if (x < 0 || y < 0 || x >= width || y >= height) return;
    uint8_t* p = at(x, y);
    p[0] = to_byte(c.r);
    p[1] = to_byte(c.g);
    p[2] = to_byte(c.b);
    p[3] = to_byte(c.a);
}

void image::paint(int x, int y, rgba c, float k)
{
    if (x < 0 || y < 0 || x >= width || y >= height) return;
    float sa = std::min(1.0f, std::max(0.0f, k * c.a / 255.0f));
    if (sa <= 0.0f) return;
    uint8_t* p = at(x, y);
    float da = p[3] / 255.0f;
    float oa = sa + da * (1.0f - sa);
    float f = da * (1.0f - sa);
    float r = (c.r * sa + p[0] * f) / oa;
    float g = (c.g * sa + p[1] * f) / oa;
    float b = (c.b * sa + p[2] * f) / oa;
    p[0] = to_byte(r);
    p[1] = to_byte(g);
    p[2] = to_byte(b);
    p[3] = to_byte(oa * 255.0f);
}

void image::fill(rgba c)
{
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) set(x, y, c);
}

void mask::add(int x, int y, float k)
{
    if (x < 0 || y < 0 || x >= width || y >= height) return;
    float& d = ref(x, y);
    d = std::min(1.0f, d + k);
}

// Supersamples a point-in-shape test over the pixels of a bounding box.
template <typename Inside>
static void supersample(mask& m, float x0, float y0, float x1, float y1, Inside inside)
{
    int ix0 = std::max(0, int(x0) - 1), iy0 = std::max(0, int(y0) - 1);
    int ix1 = std::min(m.width - 1, int(x1) + 1), iy1 = std::min(m.height - 1, int(y1) + 1);
    for (int y = iy0; y <= iy1; ++y)
        for (int x = ix0; x <= ix1; ++x) {
            int hits = 0;
            for (int sy = 0; sy < 4; ++sy)
                for (int sx = 0; sx < 4; ++sx)
                    if (inside(x + (sx + 0.5f) * 0.25f, y + (sy + 0.5f) * 0.25f)) ++hits;
            if (hits) m.add(x, y, hits / 16.0f);
        }
}

void mask_ellipse(mask& m, float cx, float cy, float rx, float ry)
{
    supersample(m, cx - rx, cy - ry, cx + rx, cy + ry, [&](float x, float y) {
        float dx = (x - cx) / rx, dy = (y - cy) / ry;
        return dx * dx + dy * dy <= 1.0f;
    });
}

void mask_rect(mask& m, float x0, float y0, float x1, float y1)
{
    supersample(m, x0, y0, x1, y1,
                [&](float x, float y) { return x >= x0 && x < x1 && y >= y0 && y < y1; });
}

void mask_polygon(mask& m, const float* xy, int points)
{
    float x0 = xy[0], x1 = xy[0], y0 = xy[1], y1 = xy[1];
    for (int i = 1; i < points; ++i) {
        x0 = std::min(x0, xy[2 * i]);
        x1 = std::max(x1, xy[2 * i]);
        y0 = std::min(y0, xy[2 * i + 1]);
        y1 = std::max(y1, xy[2 * i + 1]);
    }
    supersample(m, x0, y0, x1, y1, [&](float px, float py) {
        bool in = false;
        for (int i = 0, j = points - 1; i < points; j = i++) {
            float xi = xy[2 * i], yi = xy[2 * i + 1], xj = xy[2 * j], yj = xy[2 * j + 1];
            if ((yi > py) != (yj > py) && px < (xj - xi) * (py - yi) / (yj - yi) + xi) in = !in;
        }
        return in;
    });
}

void blur(mask& m, int r, int passes)
{
    if (r <= 0) return;
    std::vector<float> tmp(m.v.size());
    float norm = 1.0f / float(2 * r + 1);
    for (int pass = 0; pass < passes; ++pass) {
        for (int y = 0; y < m.height; ++y)
            for (int x = 0; x < m.width; ++x) {
                float s = 0;
                for (int k = -r; k <= r; ++k) s += m.get(x + k, y);
                tmp[size_t(y) * m.width + x] = s * norm;
            }
        for (int y = 0; y < m.height; ++y)
            for (int x = 0; x < m.width; ++x) {
                float s = 0;
                for (int k = -r; k <= r; ++k) {
                    int yy = y + k;
                    if (yy >= 0 && yy < m.height) s += tmp[size_t(yy) * m.width + x];
                }
                m.v[size_t(y) * m.width + x] = s * norm;
            }
    }
}

mask dilate(const mask& m, int r)
{
    mask out(m.width, m.height);
    for (int y = 0; y < m.height; ++y)
        for (int x = 0; x < m.width; ++x) {
            float best = 0;
            for (int dy = -r; dy <= r; ++dy)
                for (int dx = -r; dx <= r; ++dx)
                    if (dx * dx + dy * dy <= r * r + r) best = std::max(best, m.get(x + dx, y + dy));
            out.ref(x, y) = best;
        }
    return out;
}

void paint_mask(image& img, const mask& m, rgba c)
{
    paint_mask_with(img, m, [&](int, int) { return c; });
}

bool write_png(const std::string& path, const image& img)
{
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!png || !info) {
        png_destroy_write_struct(&png, &info);
        std::fclose(f);
        return false;
    }
    std::vector<png_bytep> rows(size_t(img.height));
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(f);
        return false;
    }
    png_init_io(png, f);
    png_set_IHDR(png, info, uint32_t(img.width), uint32_t(img.height), 8, PNG_COLOR_TYPE_RGBA,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(png, 9);
    for (int y = 0; y < img.height; ++y)
        rows[size_t(y)] = const_cast<png_bytep>(img.at(0, y));
    png_set_rows(png, info, rows.data());
    png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fclose(f) == 0;
}
