// The 4.12 matrix: translation rounding, rotations, truncating and wrapping products,
// vertex transform and projection (Z = 0 and overflow included).
#include "fx/matrix.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>

namespace {

constexpr float half_pi = 1.57079632679f;

void set_matrix(const int32_t m[16])
{
    std::memcpy(current_matrix, m, sizeof current_matrix);
}

class MatrixTest : public ::testing::Test {
protected:
    void SetUp() override { matrix_reset_state(); }
};

TEST_F(MatrixTest, starts_as_identity_and_reset_restores_it)
{
    current_matrix[3] = 77;
    matrix_reset_state();
    const int32_t identity[16] = {4096, 0, 0, 0, 0, 4096, 0, 0, 0, 0, 4096, 0, 0, 0, 0, 4096};
    EXPECT_EQ(0, std::memcmp(identity, current_matrix, sizeof identity));
}

struct translate_case {
    float x, y, z;
    int32_t start3, start7, start11;
    int32_t col3, col7, col11;
};

TEST_F(MatrixTest, translate_adds_to_column_3_truncating_after_one_rounding)
{
    const translate_case cases[] = {
        // -0.3 * 4096 = -1228.8 truncates toward zero.
        {1.5f, -0.3f, -20.0f, 0, 0, 0, 6144, -1228, -81920},
        // Added to what column 3 already holds; 0.3 * 4096 + 1 = 1229.8 -> 1229.
        {0.3f, 0.0f, 1.0f, 1, -5, 100, 1229, -5, 4196},
        // 16777217 is not a float: the sum is rounded once, to 16777216 + 4096.
        {1.0f, 0.0f, 0.0f, 16777217, 0, 0, 16781312, 0, 0},
        // Out of the 32-bit range saturates, NaN gives 0 (a plain cast would be undefined).
        {1e10f, -1e10f, NAN, 0, 0, 0, INT32_MAX, INT32_MIN, 0},
    };
    for (const translate_case& c : cases) {
        matrix_identity();
        current_matrix[3] = c.start3;
        current_matrix[7] = c.start7;
        current_matrix[11] = c.start11;
        matrix_translate(c.x, c.y, c.z);
        EXPECT_EQ(c.col3, current_matrix[3]) << c.x;
        EXPECT_EQ(c.col7, current_matrix[7]) << c.y;
        EXPECT_EQ(c.col11, current_matrix[11]) << c.z;
        EXPECT_EQ(4096, current_matrix[0]);
        EXPECT_EQ(0, current_matrix[1]);
    }
}

TEST_F(MatrixTest, rotation_by_zero_leaves_the_matrix_unchanged)
{
    const int32_t m[16] = {4096, 12, -300, 6144, 7, -4096, 99, -1228, 1, 2, 3, -81920, 0, 0, 0, 4096};
    for (int axis = 0; axis < 2; axis++) {
        set_matrix(m);
        if (axis == 0) matrix_rotate_y(0.0f); else matrix_rotate_z(0.0f);
        EXPECT_EQ(0, std::memcmp(m, current_matrix, sizeof m)) << "axis " << axis;
    }
}

TEST_F(MatrixTest, quarter_turns_store_cosine_0_and_sine_4096)
{
    matrix_rotate_y(half_pi);
    const int32_t ry[16] = {0, 0, 4096, 0, 0, 4096, 0, 0, -4096, 0, 0, 0, 0, 0, 0, 4096};
    EXPECT_EQ(0, std::memcmp(ry, current_matrix, sizeof ry));

    matrix_identity();
    matrix_rotate_z(half_pi);
    const int32_t rz[16] = {0, -4096, 0, 0, 4096, 0, 0, 0, 0, 0, 4096, 0, 0, 0, 0, 4096};
    EXPECT_EQ(0, std::memcmp(rz, current_matrix, sizeof rz));
}

TEST_F(MatrixTest, rotations_multiply_on_the_right_after_the_translation)
{
    // The transform is Ry * Rz * p plus the translation: Rz(pi/2) turns the x axis into
    // the y axis, which Ry leaves alone; the rotations do not touch column 3.
    matrix_translate(0.0f, 0.0f, -20.0f);
    matrix_rotate_y(half_pi);
    matrix_rotate_z(half_pi);
    const int32_t p[3] = {65536, 0, 0};
    int32_t out[3];
    matrix_transform_point(p, out);
    EXPECT_EQ(0, out[0]);
    EXPECT_EQ(65536, out[1]);
    EXPECT_EQ(-1310720, out[2]);
}

TEST_F(MatrixTest, multiply_truncates_every_product_and_wraps_in_32_bits)
{
    struct multiply_case {
        int32_t a, b, expect;   // element 0 of M and m, all else zero
    } cases[] = {
        {-1, 1, 0},                    // -1/4096 truncates to 0, not -1
        {-4097, 1, -1},
        {-4096, 3, -3},
        {1 << 20, 1 << 12, 0},         // 2^32 wraps to 0
        {1 << 20, (1 << 12) + 1, 256}, // 2^32 + 2^20 wraps to 2^20
        {INT32_MIN, -1, INT32_MIN / 4096},
    };
    for (const multiply_case& c : cases) {
        int32_t m[16] = {};
        int32_t n[16] = {};
        m[0] = c.a;
        n[0] = c.b;
        set_matrix(m);
        matrix_multiply(n);
        EXPECT_EQ(c.expect, current_matrix[0]) << c.a << " x " << c.b;
    }

    // The sum of four truncated quotients, not the quotient of the sum.
    int32_t m[16] = {2048, 2048, 2048, 2048};
    int32_t n[16] = {};
    n[0] = n[4] = n[8] = n[12] = 1;
    set_matrix(m);
    matrix_multiply(n);
    EXPECT_EQ(0, current_matrix[0]);
}

TEST_F(MatrixTest, multiply_reads_the_old_matrix_throughout)
{
    const int32_t a[16] = {4096, 4096, 0, 0, 0, 4096, 0, 0, 0, 0, 4096, 0, 0, 0, 0, 4096};
    set_matrix(a);
    matrix_multiply(a);   // the same shear twice: 2 in element 1
    EXPECT_EQ(8192, current_matrix[1]);
    EXPECT_EQ(4096, current_matrix[0]);
    EXPECT_EQ(4096, current_matrix[5]);
}

TEST_F(MatrixTest, transform_truncates_each_product_and_adds_16_times_the_translation)
{
    const int32_t m[16] = {4095, 1, 0, 100, 0, -1, -4095, -3, 2048, 0, 0, INT32_MAX, 0, 0, 0, 4096};
    set_matrix(m);
    const int32_t p[3] = {3, 4095, 2};
    int32_t out[3];
    matrix_transform_point(p, out);
    EXPECT_EQ(2 + 0 + 0 + 1600, out[0]);     // 12285/4096 = 2, 4095/4096 = 0
    EXPECT_EQ(0 + 0 - 1 - 48, out[1]);       // -4095/4096 = 0, -8190/4096 = -1
    // 16 * INT32_MAX wraps to -16; 6144/4096 = 1.
    EXPECT_EQ(1 - 16, out[2]);
}

struct projection_case {
    int32_t X, Y, Z;
    int32_t x, y;
};

TEST_F(MatrixTest, projection_divides_by_the_distance_with_truncation)
{
    const projection_case cases[] = {
        {65536, 0, -1310720, 196, 120},          // one unit right at 20 units
        {65536, 0, 1310720, 196, 120},           // the sign of Z does not flip the image
        {-65536, 65536, -1310720, 124, 84},
        {1, -1, -721, 160, 120},                 // 720/721 and -720*-1/721 truncate to 0
        {-1, 1, -719, 159, 119},                 // -720/719 truncates to -1, not -2
        {65536, 65536, 0, 65536 * 720 + 160, -720 * 65536 + 120},   // Z = 0 taken as 1
        {0, 0, 0, 160, 120},
        {1 << 30, -(1 << 30), -1, INT32_MAX, INT32_MAX},            // saturates, no wrap
        {INT32_MIN, INT32_MAX, 1, INT32_MIN, INT32_MIN},
        {1 << 30, 0, 65536, (1 << 30) / 65536 * 720 + 160, 120},    // X * 720 beyond 32 bits
        {INT32_MAX, 0, INT32_MIN, 719 + 160, 120},                  // |INT32_MIN| = 2^31
    };
    for (const projection_case& c : cases) {
        int32_t v[3] = {c.X, c.Y, c.Z};
        project_point(v);
        EXPECT_EQ(c.x, v[0]) << c.X << "," << c.Y << "," << c.Z;
        EXPECT_EQ(c.y, v[1]) << c.X << "," << c.Y << "," << c.Z;
        EXPECT_EQ(c.Z, v[2]);
    }
}

TEST_F(MatrixTest, translated_unit_point_projects_to_196_120)
{
    matrix_translate(0.0f, 0.0f, -20.0f);
    const int32_t p[3] = {65536, 0, 0};
    int32_t v[3];
    matrix_transform_point(p, v);
    EXPECT_EQ(65536, v[0]);
    EXPECT_EQ(0, v[1]);
    EXPECT_EQ(-1310720, v[2]);
    project_point(v);
    EXPECT_EQ(196, v[0]);
    EXPECT_EQ(120, v[1]);
}

}  // namespace
