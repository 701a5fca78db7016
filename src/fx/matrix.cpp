// The 4.12 fixed-point transformation matrix (4096 = 1.0): identity, translation,
// rotations, multiplication, vertex transform and projection. Owns current_matrix.
#include "fx/matrix.h"

#include <cmath>
#include <cstring>

int32_t current_matrix[16] = {
    4096, 0, 0, 0,
    0, 4096, 0, 0,
    0, 0, 4096, 0,
    0, 0, 0, 4096,
};

namespace {

// The wrapping 32-bit product of two signed numbers (computed through uint32_t).
int32_t wrap_mul(int32_t a, int32_t b)
{
    return static_cast<int32_t>(static_cast<uint32_t>(a) * static_cast<uint32_t>(b));
}

// A 4.12 product brought back to 4.12: the wrapped product divided by 4096, truncating
// toward zero (-1 * 1 gives 0, not -1).
int32_t q(int32_t a, int32_t b)
{
    return wrap_mul(a, b) / 4096;
}

// Float to int32 truncating toward zero. Values beyond the 32-bit range saturate and
// NaN gives 0, so the result is the same on every machine (a plain cast is undefined there).
int32_t float_to_int32(float v)
{
    if (!(v == v)) return 0;
    if (v >= 2147483648.0f) return INT32_MAX;
    if (v <= -2147483648.0f) return INT32_MIN;
    return static_cast<int32_t>(v);
}

int32_t saturate_int32(int64_t v)
{
    if (v > INT32_MAX) return INT32_MAX;
    if (v < INT32_MIN) return INT32_MIN;
    return static_cast<int32_t>(v);
}

// Multiplies current_matrix on the right by a rotation whose 4.12 cosine and sine sit at
// the given elements: (ic, ic2) take c, is takes s, ins takes -s.
void rotate(float angle, int ic, int is, int ins, int ic2)
{
    float s, c;
    sincosf(angle, &s, &c);
    int32_t r[16] = {
        4096, 0, 0, 0,
        0, 4096, 0, 0,
        0, 0, 4096, 0,
        0, 0, 0, 4096,
    };
    r[ic] = r[ic2] = float_to_int32(c * 4096.0f);
    r[is] = float_to_int32(s * 4096.0f);
    r[ins] = float_to_int32(-s * 4096.0f);
    matrix_multiply(r);
}

}  // namespace

void matrix_identity()
{
    for (int i = 0; i < 16; i++) current_matrix[i] = (i % 5 == 0) ? 4096 : 0;
}

void matrix_reset_state()
{
    matrix_identity();
}

// The translation goes straight into column 3: t * 4096 + M(r, 3) with one rounding
// (fused multiply-add), truncated back to 4.12.
void matrix_translate(float x, float y, float z)
{
    const float t[3] = {x, y, z};
    for (int r = 0; r < 3; r++) {
        float sum = fmaf(t[r], 4096.0f, static_cast<float>(current_matrix[4 * r + 3]));
        current_matrix[4 * r + 3] = float_to_int32(sum);
    }
}

void matrix_rotate_y(float angle)
{
    rotate(angle, 0, 2, 8, 10);
}

void matrix_rotate_z(float angle)
{
    rotate(angle, 0, 4, 1, 5);
}

// M := M * m, every 4.12 product divided by 4096 on its own (truncating) before the sum;
// the four quotients are below 2^19 each, so the sum cannot overflow.
void matrix_multiply(const int32_t m[16])
{
    int32_t result[16];
    for (int r = 0; r < 4; r++) {
        for (int c = 0; c < 4; c++) {
            int32_t sum = 0;
            for (int k = 0; k < 4; k++) sum += q(current_matrix[4 * r + k], m[4 * k + c]);
            result[4 * r + c] = sum;
        }
    }
    std::memcpy(current_matrix, result, sizeof result);
}

// The row sums wrap in 32 bits like the products (the translation times 16 may not fit).
void matrix_transform_point(const int32_t point[3], int32_t out[3])
{
    for (int r = 0; r < 3; r++) {
        const int32_t* row = current_matrix + 4 * r;
        uint32_t sum = static_cast<uint32_t>(q(row[0], point[0]));
        sum += static_cast<uint32_t>(q(row[1], point[1]));
        sum += static_cast<uint32_t>(q(row[2], point[2]));
        sum += static_cast<uint32_t>(row[3]) * 16u;   // 4.12 translation to 16.16 model units
        out[r] = static_cast<int32_t>(sum);
    }
}

// Focal factor 720 pixels per unit of X / |Z|, screen centre (160, 120), y downward.
// |Z| of INT32_MIN is 2^31, which the 64-bit division takes exactly.
void project_point(int32_t v[3])
{
    int64_t d = v[2] < 0 ? -static_cast<int64_t>(v[2]) : static_cast<int64_t>(v[2]);
    if (d == 0) d = 1;
    v[0] = saturate_int32(static_cast<int64_t>(v[0]) * 720 / d + 160);
    v[1] = saturate_int32(-720 * static_cast<int64_t>(v[1]) / d + 120);
}
