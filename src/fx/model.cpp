// The model file check and the polygon mask renderer: transform, projection, back-face
// cull and span fill of every triangle with 0. Owns the static vertex and span storage.
#include "fx/model.h"

#include "fx/matrix.h"
#include "gfx/frame.h"

int32_t projected_vertices[model_max_vertices][3] = {};
int32_t span_left[240] = {};    // 16.16 x
int32_t span_right[240] = {};   // 16.16 x

namespace {

constexpr int32_t span_empty = 100000000;
constexpr int32_t span_x_limit = 0x13FFFFF;   // 320 * 65536 - 1: right edge in 16.16

int64_t clamp_coord(int32_t v)
{
    if (v > mask_coord_limit) return mask_coord_limit;
    if (v < -mask_coord_limit) return -mask_coord_limit;
    return v;
}

int64_t min3(int64_t a, int64_t b, int64_t c)
{
    int64_t m = a < b ? a : b;
    return m < c ? m : c;
}

int64_t max3(int64_t a, int64_t b, int64_t c)
{
    int64_t m = a > b ? a : b;
    return m > c ? m : c;
}

// Widens the spans of the rows that the edge (xa, ya)-(xb, yb) crosses, both end rows
// included. x runs in 16.16 from the upper end by a truncated slope per row. The walk is
// 64-bit (x * 65536 of a far vertex does not fit 32 bits), jumps straight to row 0 and
// stops below row 239, so it never takes more than 240 steps.
void walk_edge(int64_t xa, int64_t ya, int64_t xb, int64_t yb)
{
    if (ya == yb) return;
    if (ya > yb) {
        int64_t t = xa; xa = xb; xb = t;
        t = ya; ya = yb; yb = t;
    }
    const int64_t dy = yb - ya;
    const int64_t slope = (xb * 65536 - xa * 65536) / dy;   // 16.16, truncating
    for (int64_t n = ya < 0 ? -ya : 0; n <= dy; n++) {
        const int64_t row = ya + n;
        if (row > 239) break;
        int64_t x = xa * 65536 + n * slope;
        // Spans are 32-bit; beyond that range only the side of the frame matters.
        if (x > INT32_MAX) x = INT32_MAX;
        if (x < INT32_MIN) x = INT32_MIN;
        if (x < span_left[row]) span_left[row] = static_cast<int32_t>(x);
        if (x > span_right[row]) span_right[row] = static_cast<int32_t>(x);
    }
}

}  // namespace

int model_check(const int32_t* model, size_t words)
{
    const int64_t limit_words = model_max_bytes / 4;
    const int64_t available = static_cast<int64_t>(words < static_cast<size_t>(limit_words)
                                                       ? words : static_cast<size_t>(limit_words));
    if (available < 1) return 0;
    const int64_t v = model[0];
    if (v < 0 || v > model_max_vertices) return 0;
    const int64_t f_at = 1 + 3 * v;
    if (f_at >= available) return 0;
    const int64_t f = model[f_at];
    if (f < 0 || f_at + 1 + 3 * f > available) return 0;
    const int32_t* faces = model + f_at + 1;
    for (int64_t i = 0; i < 3 * f; i++) {
        if (faces[i] < 0 || faces[i] >= v) return 0;
    }
    return 1;
}

// Cull value (x1 - x0)(y0 - y2) + (y1 - y0)(x2 - x0) > 0 keeps counter-clockwise
// triangles (y down) and drops zero-area ones. With coordinates clamped to 2^29 the
// 64-bit products are exact.
void draw_mask_triangle(uint32_t* target, int32_t px0, int32_t py0, int32_t px1,
                        int32_t py1, int32_t px2, int32_t py2)
{
    const int64_t x0 = clamp_coord(px0), y0 = clamp_coord(py0);
    const int64_t x1 = clamp_coord(px1), y1 = clamp_coord(py1);
    const int64_t x2 = clamp_coord(px2), y2 = clamp_coord(py2);
    if ((x1 - x0) * (y0 - y2) + (y1 - y0) * (x2 - x0) <= 0) return;

    const int64_t miny = min3(y0, y1, y2);
    const int64_t maxy = max3(y0, y1, y2);
    if (maxy < 0 || miny > 239) return;
    const int top = static_cast<int>(miny < 0 ? 0 : miny);
    const int bottom = static_cast<int>(maxy > 239 ? 239 : maxy);

    for (int row = top; row <= bottom; row++) {
        span_left[row] = span_empty;
        span_right[row] = -span_empty;
    }
    walk_edge(x0, y0, x1, y1);
    walk_edge(x1, y1, x2, y2);
    walk_edge(x2, y2, x0, y0);

    for (int row = top; row <= bottom; row++) {
        const int32_t l = span_left[row];
        const int32_t r = span_right[row];
        if (r < 0 || l > span_x_limit) continue;
        const int32_t first = l < 0 ? 0 : l >> 16;             // 16.16 to column, rounding down
        const int32_t last = r > span_x_limit ? 319 : r >> 16;
        uint32_t* line = target + row * frame_width;
        for (int32_t col = first; col <= last; col++) line[col] = 0;
    }
}

// Draws nothing for a model that fails model_check (read as at most 10000 bytes), so a
// bad model can neither overrun the vertex store nor index outside it.
void draw_model_mask(const int32_t* model, uint32_t* target)
{
    if (!model_check(model, model_max_bytes / 4)) return;
    const int32_t v = model[0];
    const int32_t* vertices = model + 1;
    for (int32_t k = 0; k < v; k++) {
        matrix_transform_point(vertices + 3 * k, projected_vertices[k]);
        project_point(projected_vertices[k]);
    }
    const int32_t f = model[1 + 3 * v];
    const int32_t* faces = model + 2 + 3 * v;
    for (int32_t i = 0; i < f; i++) {
        const int32_t* a = projected_vertices[faces[3 * i]];
        const int32_t* b = projected_vertices[faces[3 * i + 1]];
        const int32_t* c = projected_vertices[faces[3 * i + 2]];
        draw_mask_triangle(target, a[0], a[1], b[0], b[1], c[0], c[1]);
    }
}
