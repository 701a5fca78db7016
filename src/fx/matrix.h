// The 4.12 fixed-point transformation matrix (4096 = 1.0), its operations and projection.
#pragma once
#include <cstdint>

extern int32_t current_matrix[16];

void matrix_identity();
void matrix_translate(float x, float y, float z);
void matrix_rotate_y(float angle);
void matrix_rotate_z(float angle);
void matrix_multiply(const int32_t m[16]);

// Restores the start value of current_matrix (the identity).
void matrix_reset_state();

// Transforms a model point (x, y, z in 16.16 model units) with current_matrix into
// out = (X, Y, Z): wrapping 32-bit products, each divided by 4096 truncating, plus
// 16 times the 4.12 translation.
void matrix_transform_point(const int32_t point[3], int32_t out[3]);

// Projects a transformed point in place: v[0] = X * 720 / |Z| + 160,
// v[1] = -720 * Y / |Z| + 120, v[2] (Z) unchanged. A point with Z = 0 is taken to lie
// at |Z| = 1. The products and quotients are exact (64-bit) and the results saturate
// to the 32-bit range instead of wrapping.
void project_point(int32_t v[3]);
