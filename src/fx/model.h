// The model file (V, vertices, F, triangles as 32-bit integers) and the polygon mask
// renderer that fills the transformed model's silhouette with 0.
#pragma once
#include <cstddef>
#include <cstdint>

constexpr int model_max_bytes = 10000;
constexpr int model_max_vertices = 1000;

// 1 when the model in `model` (native-order integers, `words` of them available) is safe
// to draw: its counts fit, at most 1000 vertices, every face index in range. 0 otherwise.
int model_check(const int32_t* model, size_t words);
void draw_model_mask(const int32_t* model, uint32_t* target);
