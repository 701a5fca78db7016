// The PNG loader and picture packing, on small files the tests write themselves.
#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "gfx/picture.h"
#include "png_crc.h"

namespace {

std::string temp_path(const std::string& name)
{
    return std::string(::testing::TempDir()) + "veskarra_" + name;
}

// Writes a PNG of the given colour type and bit depth; `rows` holds the packed row bytes.
void write_png(const std::string& path, int width, int height, int colour_type, int depth,
               const std::vector<uint8_t>& data, int palette_entries = 0)
{
    FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    ASSERT_EQ(setjmp(png_jmpbuf(png)), 0);
    png_init_io(png, file);
    png_set_IHDR(png, info, width, height, depth, colour_type, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    std::vector<png_color> palette(palette_entries);
    for (int k = 0; k < palette_entries; ++k)
        palette[k] = png_color{uint8_t(k), uint8_t(2 * k), uint8_t(3 * k)};
    if (palette_entries)
        png_set_PLTE(png, info, palette.data(), palette_entries);
    png_write_info(png, info);
    const size_t row_bytes = data.size() / height;
    for (int y = 0; y < height; ++y)
        png_write_row(png, const_cast<uint8_t*>(data.data() + y * row_bytes));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
}

std::vector<uint8_t> ramp(size_t count)
{
    std::vector<uint8_t> bytes(count);
    for (size_t k = 0; k < count; ++k)
        bytes[k] = uint8_t(k * 7 + 1);
    return bytes;
}

std::vector<uint8_t> read_file(const std::string& path)
{
    std::vector<uint8_t> bytes;
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return bytes;
    int c;
    while ((c = std::fgetc(file)) != EOF)
        bytes.push_back(uint8_t(c));
    std::fclose(file);
    return bytes;
}

void write_file(const std::string& path, const std::vector<uint8_t>& bytes)
{
    FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    if (!bytes.empty())
        std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

// A picture record that releases the pixels the loader allocated for it.
struct test_picture : picture {
    test_picture() : picture{} {}
    ~test_picture() { std::free(pixels); }
};

TEST(load_picture, rgba_file_loads_and_packs_into_native_words)
{
    std::vector<uint8_t> data(320 * 240 * 4, 0);
    const uint8_t first[] = {0x12, 0x34, 0x56, 0x78};
    const uint8_t white[] = {0xFF, 0xFF, 0xFF, 0xFF};
    std::copy(first, first + 4, data.begin());
    std::copy(white, white + 4, data.begin() + 4);
    const std::string path = temp_path("rgba.png");
    write_png(path, 320, 240, PNG_COLOR_TYPE_RGBA, 8, data);

    test_picture pic;
    ASSERT_EQ(load_picture(path.c_str(), &pic), 0);
    EXPECT_EQ(pic.format, 4);
    EXPECT_EQ(pic.width, 320);
    EXPECT_EQ(pic.height, 240);
    EXPECT_EQ(std::vector<uint8_t>(pic.pixels, pic.pixels + data.size()), data);

    pack_picture(&pic);
    const uint32_t* words = reinterpret_cast<const uint32_t*>(pic.pixels);
    EXPECT_EQ(words[0], 0x78123456u);
    EXPECT_EQ(words[1], 0xFFFFFFFFu);
    EXPECT_EQ(words[2], 0u);   // transparent black
    EXPECT_EQ(pic.format, 4);
}

struct layout_case {
    const char* name;
    int colour_type;
    int32_t format;
    int file_bytes_per_pixel;
    int kept_bytes_per_pixel;
};

TEST(load_picture, other_colour_types_keep_their_own_layout)
{
    const layout_case cases[] = {
        {"rgb", PNG_COLOR_TYPE_RGB, 3, 3, 3},
        {"grey", PNG_COLOR_TYPE_GRAY, 2, 1, 1},
        {"grey_alpha", PNG_COLOR_TYPE_GRAY_ALPHA, 0, 2, 1},
    };
    for (const layout_case& c : cases) {
        SCOPED_TRACE(c.name);
        const int width = 5, height = 3;
        const std::vector<uint8_t> data = ramp(size_t(width * height * c.file_bytes_per_pixel));
        const std::string path = temp_path(std::string(c.name) + ".png");
        write_png(path, width, height, c.colour_type, 8, data);
        test_picture pic;
        ASSERT_EQ(load_picture(path.c_str(), &pic), 0);
        EXPECT_EQ(pic.format, c.format);
        // Of each decoded row only width * kept bytes are copied, rows packed.
        for (int y = 0; y < height; ++y)
            for (int b = 0; b < width * c.kept_bytes_per_pixel; ++b)
                ASSERT_EQ(pic.pixels[y * width * c.kept_bytes_per_pixel + b],
                          data[y * width * c.file_bytes_per_pixel + b]);
        // Packing leaves a buffer that does not hold words untouched.
        const std::vector<uint8_t> before(pic.pixels,
                                          pic.pixels + width * height * c.kept_bytes_per_pixel);
        pack_picture(&pic);
        EXPECT_EQ(std::vector<uint8_t>(pic.pixels, pic.pixels + before.size()), before);
    }
}

TEST(load_picture, palette_file_keeps_indexes_and_only_its_palette_entries)
{
    const std::vector<uint8_t> data = {0, 1, 2, 3, 4, 5};
    const std::string path = temp_path("palette.png");
    write_png(path, 3, 2, PNG_COLOR_TYPE_PALETTE, 8, data, 6);
    test_picture pic;
    for (auto& entry : pic.palette)
        entry[0] = entry[1] = entry[2] = 0xAB;
    ASSERT_EQ(load_picture(path.c_str(), &pic), 0);
    EXPECT_EQ(pic.format, 1);
    EXPECT_EQ(std::vector<uint8_t>(pic.pixels, pic.pixels + 6), data);
    EXPECT_EQ(pic.palette[5][0], 5);
    EXPECT_EQ(pic.palette[5][1], 10);
    EXPECT_EQ(pic.palette[5][2], 15);
    EXPECT_EQ(pic.palette[6][0], 0xAB);   // past the file's entries: untouched
}

TEST(load_picture, refuses_what_it_cannot_decode_safely)
{
    // A valid RGBA picture to cut up.
    const std::string good = temp_path("good.png");
    write_png(good, 64, 64, PNG_COLOR_TYPE_RGBA, 8, ramp(64 * 64 * 4));
    const std::vector<uint8_t> good_bytes = read_file(good);
    ASSERT_GT(good_bytes.size(), 100u);

    const std::string truncated = temp_path("truncated.png");
    write_file(truncated, std::vector<uint8_t>(good_bytes.begin(), good_bytes.begin() + 80));
    const std::string signature_only = temp_path("signature.png");
    write_file(signature_only, std::vector<uint8_t>(good_bytes.begin(), good_bytes.begin() + 8));
    std::vector<uint8_t> corrupt = good_bytes;
    for (size_t k = 60; k < corrupt.size(); k += 3)
        corrupt[k] ^= 0x5A;
    const std::string corrupted = temp_path("corrupt.png");
    write_file(corrupted, corrupt);
    const std::string text = temp_path("text.png");
    write_file(text, std::vector<uint8_t>{'h', 'e', 'l', 'l', 'o', ' ', 'p', 'i', 'c', '\n'});
    const std::string empty = temp_path("empty.png");
    write_file(empty, {});
    const std::string deep = temp_path("deep.png");
    write_png(deep, 4, 4, PNG_COLOR_TYPE_RGBA, 16, ramp(4 * 4 * 8));
    const std::string shallow = temp_path("shallow.png");
    write_png(shallow, 8, 2, PNG_COLOR_TYPE_GRAY, 4, ramp(4 * 2));
    // A header that claims a huge picture: refused before anything is allocated.
    std::vector<uint8_t> huge = good_bytes;
    huge[16] = 0x00; huge[17] = 0x01; huge[18] = 0x00; huge[19] = 0x00;   // width 65536
    huge[20] = 0x00; huge[21] = 0x01; huge[22] = 0x00; huge[23] = 0x00;   // height 65536
    const uint32_t crc = png_chunk_crc(huge.data() + 12, 17);               // "IHDR" + 13 bytes
    for (int k = 0; k < 4; ++k)
        huge[29 + k] = uint8_t(crc >> (24 - 8 * k));
    const std::string huge_path = temp_path("huge.png");
    write_file(huge_path, huge);

    const std::string paths[] = {truncated, signature_only, corrupted, text, empty,
                                 deep, shallow, huge_path, temp_path("missing.png")};
    for (const std::string& path : paths) {
        SCOPED_TRACE(path);
        test_picture pic;
        EXPECT_EQ(load_picture(path.c_str(), &pic), -1);
    }
}

} // namespace
