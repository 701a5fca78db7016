// Checks of the forged data: file formats and sizes, the roles each picture must play in
// the demo (tiling, transparency, the walkers' mask and canvas, the parallax wrap), the
// model's validity and size, and the rectangle table's form and likeness.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <png.h>
#include <string>
#include <vector>

#include "font.h"
#include "forge.h"
#include "model.h"
#include "pictures.h"
#include "rects.h"

namespace {

std::string data_dir()
{
    const char* d = std::getenv("FORGE_TEST_DIR");
    return d ? d : "/tmp/veskarra-forge-test-data";
}

// The data directory is forged once for all tests.
class forged_data : public ::testing::Environment {
public:
    void SetUp() override { ASSERT_EQ(forge_data(data_dir()), 0); }
};
::testing::Environment* const forged = ::testing::AddGlobalTestEnvironment(new forged_data);

struct png_file {
    int width = 0, height = 0, bit_depth = 0, colour_type = -1;
    std::vector<uint8_t> rgba;   // only for 8-bit RGBA files
    const uint8_t* at(int x, int y) const { return &rgba[(size_t(y) * width + x) * 4]; }
    int alpha(int x, int y) const { return at(x, y)[3]; }
};

bool read_png(const std::string& path, png_file* out)
{
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        std::fclose(f);
        return false;
    }
    png_init_io(png, f);
    png_read_png(png, info, 0, nullptr);
    out->width = int(png_get_image_width(png, info));
    out->height = int(png_get_image_height(png, info));
    out->bit_depth = png_get_bit_depth(png, info);
    out->colour_type = png_get_color_type(png, info);
    if (out->bit_depth == 8 && out->colour_type == PNG_COLOR_TYPE_RGBA) {
        png_bytepp rows = png_get_rows(png, info);
        out->rgba.resize(size_t(out->width) * out->height * 4);
        for (int y = 0; y < out->height; ++y)
            std::copy(rows[y], rows[y] + out->width * 4, &out->rgba[size_t(y) * out->width * 4]);
    }
    png_destroy_read_struct(&png, &info, nullptr);
    std::fclose(f);
    return true;
}

png_file load(const char* name)
{
    png_file p;
    EXPECT_TRUE(read_png(data_dir() + "/" + name, &p)) << name;
    return p;
}

struct rect {
    int x0, y0, x1, y1;   // inclusive
    bool contains(int x, int y) const { return x >= x0 && x <= x1 && y >= y0 && y <= y1; }
};

} // namespace

TEST(pictures, every_file_is_8_bit_rgba_of_its_size)
{
    struct want {
        const char* name;
        int min_w, min_h, max_w, max_h;
    };
    const want files[] = {
        {"circle32.png", 351, 271, 4096, 4096}, {"circle34.png", 353, 273, 4096, 4096},
        {"heart.png", 320, 240, 320, 240},      {"trulgun.png", 320, 240, 320, 240},
        {"karvazonk.png", 320, 240, 320, 240},  {"garvohunt.png", 320, 240, 320, 240},
        {"towers.png", 320, 240, 320, 240},     {"stara.png", 320, 240, 320, 240},
        {"gringot.png", 320, 240, 320, 240},    {"veskarra.png", 320, 240, 320, 240},
        {"tovvimarmummo.png", 320, 240, 320, 240}, {"luot1.png", 320, 240, 320, 240},
        {"greetz.png", 320, 240, 320, 240},     {"noise.png", 320, 240, 320, 240},
        {"whitenoise.png", 320, 240, 320, 240},
    };
    for (const want& w : files) {
        png_file p = load(w.name);
        EXPECT_EQ(p.bit_depth, 8) << w.name;
        EXPECT_EQ(p.colour_type, PNG_COLOR_TYPE_RGBA) << w.name;
        EXPECT_GE(p.width, w.min_w) << w.name;
        EXPECT_GE(p.height, w.min_h) << w.name;
        EXPECT_LE(p.width, w.max_w) << w.name;
        EXPECT_LE(p.height, w.max_h) << w.name;
    }
}

TEST(pictures, full_frame_pictures_are_opaque_everywhere)
{
    // Copied whole into frames or laid over everything to cover a cut.
    for (const char* name : {"towers.png", "stara.png", "noise.png", "whitenoise.png", "circle32.png"}) {
        png_file p = load(name);
        int translucent = 0;
        for (int y = 0; y < p.height; ++y)
            for (int x = 0; x < p.width; ++x) translucent += p.alpha(x, y) != 255;
        EXPECT_EQ(translucent, 0) << name;
    }
}

TEST(pictures, circle_textures_tile_with_their_periods)
{
    struct want {
        const char* name;
        int period;
    };
    for (want w : {want{"circle32.png", 32}, want{"circle34.png", 34}}) {
        png_file p = load(w.name);
        int breaks = 0;
        for (int y = 0; y < p.height; ++y)
            for (int x = 0; x < p.width; ++x) {
                if (x + w.period < p.width)
                    breaks += !std::equal(p.at(x, y), p.at(x, y) + 4, p.at(x + w.period, y));
                if (y + w.period < p.height)
                    breaks += !std::equal(p.at(x, y), p.at(x, y) + 4, p.at(x, y + w.period));
            }
        EXPECT_EQ(breaks, 0) << w.name;
    }
}

TEST(pictures, circle34_is_a_black_and_white_mask)
{
    // ANDed over the background: white keeps it, black cuts it, both must be plentiful.
    png_file p = load("circle34.png");
    int white = 0, black = 0, total = p.width * p.height;
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) {
            const uint8_t* c = p.at(x, y);
            white += c[0] == 255 && c[1] == 255 && c[2] == 255 && c[3] == 255;
            black += c[0] == 0 && c[1] == 0 && c[2] == 0;
        }
    EXPECT_GT(white, total / 5);
    EXPECT_GT(black, total / 5);
    EXPECT_GT(white + black, total * 9 / 10);
}

// Overlay and sprite pictures: nothing visible outside their rectangles, something solid
// and some soft edge inside every one of them.
TEST(pictures, sprites_stay_inside_their_rectangles)
{
    struct want {
        const char* name;
        std::vector<rect> rects;
    };
    std::vector<rect> greetings;
    const int boxes[14][2] = {{123, 61}, {15, 17},  {15, 127}, {15, 61},  {123, 17},
                              {15, 149}, {123, 127}, {123, 39}, {123, 149}, {123, 83},
                              {15, 83},  {15, 39},  {123, 105}, {15, 105}};
    for (const auto& b : boxes) greetings.push_back({b[0], b[1], b[0] + 104, b[1] + 21});
    greetings.push_back({15, 193, 174, 214});
    const want pictures[] = {
        {"gringot.png", {{0, 53, 319, 183}}},
        {"veskarra.png", {{0, 42, 319, 196}}},
        {"garvohunt.png", {{0, 83, 93, 239}}},
        {"karvazonk.png", {{215, 18, 319, 239}}},
        {"tovvimarmummo.png", {{0, 8, 133, 239}}},
        {"trulgun.png", {{208, 70, 319, 239}}},
        {"luot1.png", {{224, 173, 297, 239}, {136, 12, 209, 79}, {128, 167, 201, 234}, {237, 73, 310, 140}}},
        {"greetz.png", greetings},
    };
    for (const want& w : pictures) {
        png_file p = load(w.name);
        int outside = 0, soft = 0;
        std::vector<int> solid(w.rects.size(), 0);
        for (int y = 0; y < p.height; ++y)
            for (int x = 0; x < p.width; ++x) {
                int a = p.alpha(x, y);
                bool in = false;
                for (size_t k = 0; k < w.rects.size(); ++k)
                    if (w.rects[k].contains(x, y)) {
                        in = true;
                        solid[k] += a > 250;
                    }
                if (!in) outside += a >= 8;
                soft += a >= 8 && a <= 250;
            }
        EXPECT_EQ(outside, 0) << w.name;
        EXPECT_GT(soft, 50) << w.name;
        for (size_t k = 0; k < solid.size(); ++k) EXPECT_GT(solid[k], 60) << w.name << " box " << k;
    }
}

TEST(pictures, heart_holds_the_walkers_start_and_fences_the_frame)
{
    png_file p = load("heart.png");
    auto dark = [&](int x, int y) {
        const uint8_t* c = p.at(x, y);
        return c[0] < 128 || c[1] < 128 || c[2] < 128;
    };
    // The first walker lives 60 steps up-left from the start: all of them inside.
    for (int step = 0; step <= 60; ++step)
        EXPECT_TRUE(dark(walkers_start_x - step, walkers_start_y - step)) << "step " << step;
    // A bright border two pixels wide stops every walker before the frame's edge.
    int open = 0, inside = 0;
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) {
            bool border = x < 2 || y < 2 || x > 317 || y > 237;
            if (border) open += dark(x, y);
            inside += dark(x, y);
        }
    EXPECT_EQ(open, 0);
    EXPECT_GT(inside, 320 * 240 / 5);   // a shape big enough to grow into
}

TEST(pictures, heart_colours_stop_walkers_on_painted_trails)
{
    // Walkers stop where the canvas has neither green nor blue of 128 or more. Painted
    // with colours like that, their own trails stop them, and the pattern spreads over
    // the heart instead of piling up around the start.
    png_file p = load("heart.png");
    int crossable = 0;
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) {
            const uint8_t* c = p.at(x, y);
            bool inside = c[0] < 128 || c[1] < 128 || c[2] < 128;
            crossable += inside && (c[1] >= 128 || c[2] >= 128);
        }
    EXPECT_EQ(crossable, 0);
}

TEST(pictures, whitenoise_lets_walkers_crawl)
{
    // A walker dies where the canvas has neither green nor blue at 128 or more.
    png_file p = load("whitenoise.png");
    int crawlable = 0;
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) crawlable += p.at(x, y)[1] >= 128 || p.at(x, y)[2] >= 128;
    EXPECT_GE(crawlable, 320 * 240 * 95 / 100);
}

TEST(pictures, towers_wrap_without_a_seam)
{
    // Scrolled around its 240 rows: in every column the step from the last row back to
    // the first must be no bigger than the biggest step between two rows inside the
    // picture, give or take a lit window (a gradient or a cut tower would make the wrap
    // jump).
    png_file p = load("towers.png");
    auto step = [&](int x, int a, int b) {
        int d = 0;
        for (int k = 0; k < 3; ++k) d += std::abs(int(p.at(x, a)[k]) - int(p.at(x, b)[k]));
        return d;
    };
    int seams = 0;
    for (int x = 0; x < p.width; ++x) {
        int biggest = 0;
        for (int y = 0; y + 1 < p.height; ++y) biggest = std::max(biggest, step(x, y, y + 1));
        seams += step(x, p.height - 1, 0) > biggest + biggest / 4 + 6;
    }
    EXPECT_EQ(seams, 0);
}

TEST(model, forged_file_is_a_valid_closed_mesh)
{
    FILE* f = std::fopen((data_dir() + "/gun.bare").c_str(), "rb");
    ASSERT_NE(f, nullptr);
    std::vector<uint8_t> bytes(20000);
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), f));
    std::fclose(f);
    EXPECT_LE(bytes.size(), 10000u);
    mesh m;
    ASSERT_TRUE(parse_model_file(bytes, &m));
    EXPECT_EQ(model_problem(m), "");
    EXPECT_GT(m.face_count(), 100);
}

// Six times the signed volume: positive when the triangles face outward.
static double signed_volume6(const mesh& m)
{
    double sum = 0;
    for (int t = 0; t < m.face_count(); ++t) {
        const int32_t* f = &m.faces[size_t(t) * 3];
        const int32_t* a = &m.vertices[size_t(f[0]) * 3];
        const int32_t* b = &m.vertices[size_t(f[1]) * 3];
        const int32_t* c = &m.vertices[size_t(f[2]) * 3];
        double ax = a[0], ay = a[1], az = a[2], bx = b[0], by = b[1], bz = b[2];
        double cx = c[0], cy = c[1], cz = c[2];
        sum += ax * (by * cz - bz * cy) - ay * (bx * cz - bz * cx) + az * (bx * cy - by * cx);
    }
    return sum;
}

TEST(model, faces_outward_and_fills_a_third_of_the_frame_at_distance_20)
{
    mesh m = forge_gun();
    EXPECT_GT(signed_volume6(m), 0.0);
    int32_t lo = INT32_MAX, hi = INT32_MIN;
    for (int v = 0; v < m.vertex_count(); ++v) {
        lo = std::min(lo, m.vertices[size_t(v) * 3]);
        hi = std::max(hi, m.vertices[size_t(v) * 3]);
    }
    // 36 pixels per world unit at distance 20 (focal factor 720).
    double pixels = 36.0 * double(hi - lo) / 65536.0;
    EXPECT_GT(pixels, 320.0 / 4);
    EXPECT_LT(pixels, 320.0 / 2.2);
}

TEST(model, problems_are_found)
{
    // A tetrahedron wound outward, then broken one way per case.
    const mesh good = {{0, 0, 0, 65536, 0, 0, 0, 65536, 0, 0, 0, 65536},
                       {0, 2, 1, 0, 1, 3, 0, 3, 2, 1, 2, 3}};
    EXPECT_EQ(model_problem(good), "");
    EXPECT_GT(signed_volume6(good), 0.0);
    struct broken {
        const char* what;
        mesh m;
    };
    mesh flipped = good, open = good, bad_index = good, far = good, degenerate = good;
    std::swap(flipped.faces[1], flipped.faces[2]);
    open.faces.resize(9);
    bad_index.faces[4] = 4;
    far.vertices[3] = 524288;
    degenerate.faces[2] = 0;
    mesh too_big = good;
    too_big.vertices.resize(size_t(830) * 3, 0);
    const broken cases[] = {{"flipped", flipped},   {"open", open},         {"bad index", bad_index},
                            {"too far", far},       {"degenerate", degenerate}, {"too big", too_big}};
    for (const broken& c : cases) EXPECT_NE(model_problem(c.m), "") << c.what;
}

TEST(model, file_round_trips_big_endian)
{
    const mesh m = {{1, -2, 0x01020304}, {0, 0, 0}};
    std::vector<uint8_t> bytes = model_file_bytes(m);
    ASSERT_EQ(bytes.size(), 8u + 12u * 2u);
    const uint8_t start[] = {0, 0, 0, 1, 0, 0, 0, 1, 0xFF, 0xFF, 0xFF, 0xFE, 1, 2, 3, 4, 0, 0, 0, 1};
    EXPECT_TRUE(std::equal(start, start + sizeof start, bytes.begin()));
    mesh back;
    ASSERT_TRUE(parse_model_file(bytes, &back));
    EXPECT_EQ(back.vertices, m.vertices);
    EXPECT_EQ(back.faces, m.faces);
    bytes.pop_back();
    EXPECT_FALSE(parse_model_file(bytes, &back));
}

TEST(rects, stamp_moves_a_quarter_toward_the_shade_and_clips)
{
    std::vector<uint8_t> layer(320 * 240, 100);
    stamp_rect(layer, {-5, -5, 6, 6, 200});   // covers columns and rows -5..1
    EXPECT_EQ(layer[0], 125);
    EXPECT_EQ(layer[1 * 320 + 1], 125);
    EXPECT_EQ(layer[2], 100);
    EXPECT_EQ(layer[2 * 320], 100);
    stamp_rect(layer, {318, 238, 10, 10, 255});
    EXPECT_EQ(layer[239 * 320 + 319], 75 + 63);
    EXPECT_EQ(layer[237 * 320 + 319], 100);
}

TEST(rects, table_has_its_form_and_paints_the_portrait)
{
    std::vector<uint8_t> target = luminance(forge_stara());
    std::vector<forge_rect> table = fit_rects(target);
    ASSERT_EQ(table.size(), size_t(forge_rect_count));
    for (const forge_rect& r : table) {
        EXPECT_TRUE(r.x >= -16 && r.x <= 317 && r.y >= -17 && r.y <= 237);
        EXPECT_TRUE(r.w >= 3 && r.w <= 35 && r.h >= 3 && r.h <= 35);
        EXPECT_TRUE(r.shade >= 0 && r.shade <= 244);
    }
    double first = 0, last = 0;
    for (int i = 0; i < 500; ++i) {
        first += table[size_t(i)].w * table[size_t(i)].h / 500.0;
        last += table[size_t(forge_rect_count - 500 + i)].w * table[size_t(forge_rect_count - 500 + i)].h / 500.0;
    }
    EXPECT_NEAR(first, 267, 267 * 0.1);
    EXPECT_NEAR(last, 105, 105 * 0.1);

    // Stamped in order into a cleared layer they must come much closer to the portrait's
    // luminance than its flat mean grey does.
    std::vector<uint8_t> layer(320 * 240, 0);
    for (const forge_rect& r : table) stamp_rect(layer, r);
    double mean = 0;
    for (uint8_t t : target) mean += t / double(target.size());
    double err_fit = 0, err_flat = 0;
    for (size_t i = 0; i < target.size(); ++i) {
        err_fit += std::abs(int(layer[i]) - int(target[i]));
        err_flat += std::abs(mean - target[i]);
    }
    EXPECT_LT(err_fit, err_flat * 0.3) << "fit " << err_fit / target.size() << " flat "
                                        << err_flat / target.size();
}

TEST(font, every_letter_digit_and_mark_has_its_own_glyph)
{
    const std::string chars = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789-.,:!?&/'+*<>=";
    std::vector<std::string> seen;
    for (char c : chars) {
        uint8_t rows[glyph_height];
        ASSERT_TRUE(glyph_rows(c, rows)) << c;
        std::string bits(rows, rows + glyph_height);
        EXPECT_NE(bits, std::string(glyph_height, '\0')) << c;
        EXPECT_EQ(std::find(seen.begin(), seen.end(), bits), seen.end()) << c << " repeats a glyph";
        seen.push_back(bits);
        for (uint8_t r : bits) EXPECT_EQ(r & ~0x1F, 0) << c << " is wider than five columns";
    }
    uint8_t lower[glyph_height], upper[glyph_height];
    ASSERT_TRUE(glyph_rows('q', lower));
    glyph_rows('Q', upper);
    EXPECT_TRUE(std::equal(lower, lower + glyph_height, upper));
}
