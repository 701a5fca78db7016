// The model check and the polygon mask renderer: cull, span walk, fill and clipping, with
// far-away coordinates, Z = 0 and bad models that must neither fault nor write outside.
#include "fx/model.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "fx/matrix.h"
#include "gfx/frame.h"

namespace {

constexpr uint32_t paper = 0xFFFFFFFFu;
constexpr int guard_words = 4096;

// A frame with guard zones on both sides, so a write outside the frame shows.
struct guarded_frame {
    uint32_t words[guard_words + frame_words + guard_words];
    guarded_frame() { for (uint32_t& w : words) w = paper; }
    uint32_t* frame() { return words + guard_words; }
    bool guards_intact() const
    {
        for (int i = 0; i < guard_words; i++) {
            if (words[i] != paper || words[guard_words + frame_words + i] != paper) return false;
        }
        return true;
    }
};

// The filled (zero) columns of one row: -1, -1 when none; `contiguous` false on a gap.
struct row_fill {
    int first = -1, last = -1;
    bool contiguous = true;
};

row_fill filled(const uint32_t* frame, int row)
{
    row_fill f;
    for (int x = 0; x < frame_width; x++) {
        if (frame[row * frame_width + x] != 0) continue;
        if (f.first < 0) f.first = x;
        else if (f.last != x - 1) f.contiguous = false;
        f.last = x;
    }
    return f;
}

int filled_count(const uint32_t* frame)
{
    int n = 0;
    for (int i = 0; i < frame_words; i++) n += frame[i] == 0;
    return n;
}

struct row_expect {
    int row, first, last;   // -1, -1: row untouched
};

struct triangle_case {
    const char* name;
    int32_t x0, y0, x1, y1, x2, y2;
    int count;                  // filled pixels in the whole frame
    row_expect rows[4];         // rows checked in detail
};

TEST(MaskTriangle, culls_clips_and_fills_whole_rows_between_the_edges)
{
    const triangle_case cases[] = {
        {"counter-clockwise", 100, 100, 100, 110, 110, 100, 66,
         {{100, 100, 110}, {105, 100, 105}, {110, 100, 100}, {111, -1, -1}}},
        {"mirror culled", 100, 100, 110, 100, 100, 110, 0, {{100, -1, -1}}},
        {"above the frame", 100, -50, 100, -40, 110, -50, 0, {{0, -1, -1}}},
        {"below the frame", 100, 240, 100, 250, 110, 240, 0, {{239, -1, -1}}},
        {"straddles the top", 100, -5, 100, 5, 110, -5, 21,
         {{0, 100, 105}, {5, 100, 100}, {6, -1, -1}}},
        {"straddles the bottom", 100, 235, 100, 245, 110, 235, 45,
         {{235, 100, 110}, {239, 100, 106}}},
        {"clipped left", -20, 100, -20, 110, 20, 100, 21 + 17 + 13 + 9 + 5 + 1,
         {{100, 0, 20}, {105, 0, 0}, {106, -1, -1}}},
        {"clipped right", 300, 100, 300, 110, 340, 100, 6 * 20 + 17 + 13 + 9 + 5 + 1,
         {{100, 300, 319}, {105, 300, 319}, {106, 300, 316}, {110, 300, 300}}},
        {"wholly right of the frame", 330, 100, 330, 110, 340, 100, 0, {{100, -1, -1}}},
        {"degenerate", 0, 0, 10, 10, 20, 20, 0, {{10, -1, -1}}},
        {"single point", 50, 50, 50, 50, 50, 50, 0, {{50, -1, -1}}},
    };
    for (const triangle_case& c : cases) {
        guarded_frame g;
        std::memset(g.frame(), 0xFF, frame_bytes);
        draw_mask_triangle(g.frame(), c.x0, c.y0, c.x1, c.y1, c.x2, c.y2);
        EXPECT_TRUE(g.guards_intact()) << c.name;
        EXPECT_EQ(c.count, filled_count(g.frame())) << c.name;
        for (const row_expect& r : c.rows) {
            if (r.row == 0 && r.first == 0 && r.last == 0) break;   // unused entry
            row_fill f = filled(g.frame(), r.row);
            EXPECT_EQ(r.first, f.first) << c.name << " row " << r.row;
            EXPECT_EQ(r.last, f.last) << c.name << " row " << r.row;
            EXPECT_TRUE(f.contiguous) << c.name << " row " << r.row;
        }
    }
}

TEST(MaskTriangle, far_coordinates_never_fault_nor_write_outside)
{
    struct far_case {
        const char* name;
        int32_t x0, y0, x1, y1, x2, y2;
        int first_filled_row, last_filled_row, first_col, last_col;   // -1: nothing
    } cases[] = {
        // x * 65536 does not fit 32 bits; the right edge crosses column 0 at mid-height.
        {"x beyond 32767", -2000000000, 0, -2000000000, 239, 2000000000, 0, 0, 119, 0, 319},
        {"x at the 32-bit limits", INT32_MIN, 10, INT32_MIN, 21, INT32_MAX, 10, 10, 15, 0, 319},
        // Edges billions of rows long: the walk starts at row 0 and ends after row 239.
        {"y beyond the frame", 0, -2000000000, 0, 2000000000, 300, -2000000000, 0, 239, 0, 300},
        // The far edge crosses column 0 exactly at row 0.
        {"corners at the limits", INT32_MIN, INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX,
         INT32_MIN, 0, 0, 0, 0},
        // Clockwise: the cull products are exact, not wrapped into a wrong sign.
        {"far and culled", INT32_MAX, INT32_MIN, INT32_MIN, INT32_MAX, INT32_MIN, INT32_MIN,
         -1, -1, -1, -1},
    };
    for (const far_case& c : cases) {
        guarded_frame g;
        std::memset(g.frame(), 0xFF, frame_bytes);
        draw_mask_triangle(g.frame(), c.x0, c.y0, c.x1, c.y1, c.x2, c.y2);
        EXPECT_TRUE(g.guards_intact()) << c.name;
        for (int row = 0; row < frame_height; row++) {
            row_fill f = filled(g.frame(), row);
            const bool inside = c.first_filled_row >= 0 && row >= c.first_filled_row &&
                                row <= c.last_filled_row;
            EXPECT_EQ(inside ? c.first_col : -1, f.first) << c.name << " row " << row;
            EXPECT_EQ(inside ? c.last_col : -1, f.last) << c.name << " row " << row;
        }
    }
}

TEST(MaskTriangle, far_diagonal_edge_keeps_its_exact_slope)
{
    // Corners clamped alike keep the edge x = y: row r is filled from 0 to r.
    guarded_frame g;
    draw_mask_triangle(g.frame(), INT32_MIN, INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX,
                       INT32_MAX);
    EXPECT_TRUE(g.guards_intact());
    for (int row = 0; row < frame_height; row++) {
        row_fill f = filled(g.frame(), row);
        EXPECT_EQ(0, f.first) << row;
        EXPECT_EQ(row < 319 ? row : 319, f.last) << row;
    }
}

// With the model 11.25 units away (|Z| = 720 * 1024) a model point projects to
// x = X / 1024 + 160, y = 120 - Y / 1024: screen points are easy to place.
void place_model_at_11_25()
{
    matrix_identity();
    matrix_translate(0.0f, 0.0f, -11.25f);
}

int32_t mx(int32_t screen_x) { return (screen_x - 160) * 1024; }
int32_t my(int32_t screen_y) { return (120 - screen_y) * 1024; }

TEST(ModelMask, draws_the_projected_counter_clockwise_faces)
{
    place_model_at_11_25();
    // One triangle and its mirror image over the same vertices: only the first is kept.
    const int32_t model[] = {
        3,
        mx(100), my(100), 0, mx(100), my(110), 0, mx(110), my(100), 0,
        2,
        0, 1, 2,
        0, 2, 1,
    };
    ASSERT_EQ(1, model_check(model, sizeof model / 4));
    guarded_frame g;
    draw_model_mask(model, g.frame());
    EXPECT_TRUE(g.guards_intact());
    EXPECT_EQ(66, filled_count(g.frame()));
    row_fill f = filled(g.frame(), 105);
    EXPECT_EQ(100, f.first);
    EXPECT_EQ(105, f.last);
    EXPECT_EQ(100, projected_vertices[2][1]);
    EXPECT_EQ(110, projected_vertices[2][0]);
}

TEST(ModelMask, model_without_faces_transforms_its_vertices_and_writes_nothing)
{
    place_model_at_11_25();
    const int32_t model[] = {2, mx(10), my(20), 0, mx(300), my(200), 0, 0};
    guarded_frame g;
    draw_model_mask(model, g.frame());
    EXPECT_EQ(0, filled_count(g.frame()));
    EXPECT_TRUE(g.guards_intact());
    const int32_t expect[2][3] = {{10, 20, -737280}, {300, 200, -737280}};
    EXPECT_EQ(0, std::memcmp(expect, projected_vertices, sizeof expect));
}

TEST(ModelMask, vertices_at_z_0_project_as_if_at_distance_1)
{
    matrix_identity();   // no translation: every vertex lies at Z = 0
    const int32_t model[] = {3, 0, 0, 0, 0, -1, 0, 1, 0, 0, 1, 0, 1, 2};
    guarded_frame g;
    draw_model_mask(model, g.frame());
    EXPECT_TRUE(g.guards_intact());
    // (160, 120), (160, 840), (880, 120): rows 120 to 239, from column 160 rightward.
    EXPECT_EQ(840, projected_vertices[1][1]);
    EXPECT_EQ(880, projected_vertices[2][0]);
    row_fill f = filled(g.frame(), 120);
    EXPECT_EQ(160, f.first);
    EXPECT_EQ(319, f.last);
    EXPECT_EQ(-1, filled(g.frame(), 119).first);
    EXPECT_EQ(160, filled(g.frame(), 239).first);
}

TEST(ModelMask, bad_model_draws_nothing)
{
    place_model_at_11_25();
    const int32_t model[] = {3, mx(100), my(100), 0, mx(100), my(110), 0, mx(110), my(100), 0,
                             1, 0, 1, 3};
    guarded_frame g;
    draw_model_mask(model, g.frame());
    EXPECT_EQ(0, filled_count(g.frame()));
}

struct check_case {
    const char* name;
    int32_t words[16];
    size_t available;
    int expect;
};

TEST(ModelCheck, accepts_only_models_whose_counts_and_indices_fit)
{
    const check_case cases[] = {
        {"one face", {3, 0, 0, 0, 1, 0, 0, 0, 1, 0, 1, 0, 1, 2}, 14, 1},
        {"last index V - 1", {2, 0, 0, 0, 1, 0, 0, 1, 1, 1, 0}, 11, 1},
        {"no vertices, no faces", {0, 0}, 2, 1},
        {"vertices, no faces", {1, 5, 6, 7, 0}, 5, 1},
        {"faces missing one word", {3, 0, 0, 0, 1, 0, 0, 0, 1, 0, 1, 0, 1, 2}, 13, 0},
        {"face count cut off", {1, 5, 6, 7, 0}, 4, 0},
        {"nothing read", {0, 0}, 0, 0},
        {"index equal to V", {3, 0, 0, 0, 1, 0, 0, 0, 1, 0, 1, 0, 1, 3}, 14, 0},
        {"negative index", {3, 0, 0, 0, 1, 0, 0, 0, 1, 0, 1, -1, 1, 2}, 14, 0},
        {"index into no vertices", {0, 1, 0, 0, 0}, 5, 0},
        {"negative V", {-1, 0}, 2, 0},
        {"negative F", {0, -1}, 2, 0},
        {"huge V", {INT32_MAX, 0}, 2, 0},
        {"huge F", {0, INT32_MAX}, 2, 0},
        {"F = INT32_MIN", {0, INT32_MIN}, 2, 0},
    };
    for (const check_case& c : cases) {
        EXPECT_EQ(c.expect, model_check(c.words, c.available)) << c.name;
    }
}

TEST(ModelCheck, refuses_more_than_10000_bytes_or_1000_vertices)
{
    static int32_t big[3200];
    // 900 faces need 2 + 2700 words: more than 10000 bytes even when more is available.
    std::memset(big, 0, sizeof big);
    big[0] = 0;
    big[1] = 0;
    EXPECT_EQ(1, model_check(big, 3200));
    big[0] = 1;
    big[4] = 832;   // 8 + 12 * (1 + 832) = 10004 bytes
    EXPECT_EQ(0, model_check(big, 3200));
    big[4] = 831;   // 9992 bytes
    EXPECT_EQ(1, model_check(big, 3200));

    big[0] = 1001;
    big[1 + 3 * 1001] = 0;
    EXPECT_EQ(0, model_check(big, 3200));
}

}  // namespace
