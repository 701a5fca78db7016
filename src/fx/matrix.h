// The 4.12 fixed-point transformation matrix (4096 = 1.0), its operations and projection.
#pragma once
#include <cstdint>

extern int32_t current_matrix[16];

void matrix_identity();
void matrix_translate(float x, float y, float z);
void matrix_rotate_y(float angle);
void matrix_rotate_z(float angle);
void matrix_multiply(const int32_t m[16]);
