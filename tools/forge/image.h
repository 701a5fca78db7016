// RGBA canvases and coverage masks the pictures are painted with, plus the few drawing
// primitives they share. Coverage is a float 0..1 per pixel; colours are 0..255 floats
// until a canvas pixel is written, where they are rounded and clamped.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct rgba {
    float r, g, b, a;
};

struct image {
    int width = 0, height = 0;
    std::vector<uint8_t> bytes;   // width * height * 4, R G B A per pixel, rows top first

    image(int w, int h) : width(w), height(h), bytes(size_t(w) * h * 4, 0) {}
    uint8_t* at(int x, int y) { return &bytes[(size_t(y) * width + x) * 4]; }
    const uint8_t* at(int x, int y) const { return &bytes[(size_t(y) * width + x) * 4]; }
    void set(int x, int y, rgba c);
    // Paints c over the pixel with coverage k (0..1) times c.a, "over" compositing that
    // also builds up the alpha channel, so soft edges stay soft on a transparent canvas.
    void paint(int x, int y, rgba c, float k);
    void fill(rgba c);
};

struct mask {
    int width = 0, height = 0;
    std::vector<float> v;

    mask(int w, int h) : width(w), height(h), v(size_t(w) * h, 0.0f) {}
    float get(int x, int y) const
    {
        if (x < 0 || y < 0 || x >= width || y >= height) return 0.0f;
        return v[size_t(y) * width + x];
    }
    float& ref(int x, int y) { return v[size_t(y) * width + x]; }
    void add(int x, int y, float k);   // saturating at 1
};

uint8_t to_byte(float v);
rgba mix(rgba a, rgba b, float t);

// Shapes into a coverage mask, anti-aliased by 4x4 supersampling.
void mask_ellipse(mask& m, float cx, float cy, float rx, float ry);
void mask_rect(mask& m, float x0, float y0, float x1, float y1);
// Convex or concave polygon by even-odd rule.
void mask_polygon(mask& m, const float* xy, int points);
// Separable box blur of radius r, applied `passes` times (three passes look Gaussian).
void blur(mask& m, int r, int passes);
// Coverage grown by r pixels (maximum filter), for outlines.
mask dilate(const mask& m, int r);

// Paints every pixel of the mask over the canvas with colour c scaled by the coverage.
void paint_mask(image& img, const mask& m, rgba c);
// Same, with the colour chosen per pixel.
template <typename F>
void paint_mask_with(image& img, const mask& m, F colour)
{
    for (int y = 0; y < img.height && y < m.height; ++y)
        for (int x = 0; x < img.width && x < m.width; ++x) {
            float k = m.v[size_t(y) * m.width + x];
            if (k > 0.0f) img.paint(x, y, colour(x, y), k);
        }
}

// Writes the canvas as an 8-bit RGBA PNG; false on any failure.
bool write_png(const std::string& path, const image& img);
