// The model file (V, vertices, F, triangles as 32-bit integers) and the polygon mask
// renderer that fills the transformed model's silhouette with 0.
// Never allocates; the working storage is static. A model that fails model_check is not
// drawn, and no projected coordinate, however large, makes the renderer write outside
// the frame or fault.
#pragma once
#include <cstddef>
#include <cstdint>

constexpr int model_max_bytes = 10000;
constexpr int model_max_vertices = 1000;

// 1 when the model in `model` (native-order integers, `words` of them available) is safe
// to draw: its counts fit, at most 1000 vertices, every face index in range. 0 otherwise.
int model_check(const int32_t* model, size_t words);
void draw_model_mask(const int32_t* model, uint32_t* target);

// Projected coordinates are clamped to +-mask_coord_limit before culling and the span
// walk; every coordinate inside keeps its exact result.
constexpr int32_t mask_coord_limit = 1 << 29;

// Culls, scan-converts and fills one triangle of projected vertices with 0 (the per-face
// step of draw_model_mask).
void draw_mask_triangle(uint32_t* target, int32_t x0, int32_t y0, int32_t x1, int32_t y1,
                        int32_t x2, int32_t y2);

// Working storage: (screen x, screen y, Z) of every vertex after the last draw_model_mask;
// the 16.16 span of the current triangle on every row.
extern int32_t projected_vertices[model_max_vertices][3];
extern int32_t span_left[240];
extern int32_t span_right[240];
