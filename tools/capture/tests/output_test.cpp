// Output formats: nearest-neighbour enlargement (scale 2 is the screen's own doubling),
// the WAV's little-endian bytes on any host, the label font, and the contact sheet tiles.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <unistd.h>

#include "contact_sheet.h"
#include "demo/demo_data.h"
#include "frame_image.h"
#include "gfx/frame.h"
#include "tiny_font.h"
#include "wav_file.h"

namespace {

TEST(frame_image, every_scale_copies_whole_pixels_without_blending)
{
    static uint32_t frame[frame_words];
    for (int k = 0; k < frame_words; ++k)
        frame[k] = 0xFF000000u ^ uint32_t(k) * 2654435761u;   // neighbours all differ
    rgb_image images[5];
    for (int scale = 1; scale <= 4; ++scale) {
        frame_to_rgb(frame, scale, images[scale]);
        ASSERT_EQ(320 * scale, images[scale].width);
        ASSERT_EQ(240 * scale, images[scale].height);
        for (int y = 0; y < images[scale].height; y += 7)
            for (int x = 0; x < images[scale].width; x += 3) {
                const uint32_t word = frame[(y / scale) * 320 + x / scale];
                const uint8_t* at = &images[scale].rgb[(size_t(y) * size_t(images[scale].width) + size_t(x)) * 3];
                ASSERT_EQ(uint8_t(word >> 16), at[0]) << scale << " " << x << "," << y;
                ASSERT_EQ(uint8_t(word >> 8), at[1]);
                ASSERT_EQ(uint8_t(word), at[2]);
            }
    }
}

TEST(wav_file, header_and_samples_are_little_endian)
{
    char dir[] = "/tmp/capture_wav_XXXXXX";
    ASSERT_NE(nullptr, mkdtemp(dir));
    const std::string path = std::string(dir) + "/out.wav";
    wav_writer wav;
    std::string error;
    ASSERT_EQ(0, wav_open(wav, path, error)) << error;
    const int16_t samples[6] = {1, -2, 0x1234, -32768, 32767, 0};
    ASSERT_EQ(0, wav_write(wav, samples, 3, error));
    ASSERT_EQ(0, wav_write(wav, samples, 1, error));
    ASSERT_EQ(0, wav_truncate(wav, 3, error));   // the last frame is dropped again
    EXPECT_NE(0, access(path.c_str(), F_OK)) << "visible before it is finished";
    ASSERT_EQ(0, wav_finish(wav, error)) << error;
    std::ifstream in(path, std::ios::binary);
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
    const std::vector<uint8_t> expected = {
        'R', 'I', 'F', 'F', 48, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ', 16, 0, 0, 0,
        1, 0, 2, 0, 0x44, 0xAC, 0, 0, 0x10, 0xB1, 2, 0, 4, 0, 16, 0, 'd', 'a', 't', 'a', 12, 0, 0, 0,
        1, 0, 0xFE, 0xFF, 0x34, 0x12, 0x00, 0x80, 0xFF, 0x7F, 0, 0};
    EXPECT_EQ(expected, bytes);
    EXPECT_NE(0, access((path + ".part").c_str(), F_OK));
    std::remove(path.c_str());
    rmdir(dir);
}

TEST(wav_file, abandoned_or_unwritable_leaves_nothing)
{
    wav_writer wav;
    std::string error;
    EXPECT_NE(0, wav_open(wav, "/nonexistent-folder/out.wav", error));
    EXPECT_NE(std::string::npos, error.find("does not exist"));
    char dir[] = "/tmp/capture_wav_XXXXXX";
    ASSERT_NE(nullptr, mkdtemp(dir));
    const std::string path = std::string(dir) + "/out.wav";
    ASSERT_EQ(0, wav_open(wav, path, error));
    wav_abandon(wav);
    EXPECT_EQ(0, rmdir(dir)) << "the folder should be empty again";
}

TEST(tiny_font, glyphs_are_distinct_and_drawn_where_asked)
{
    const char* chars = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-.:#@";
    for (const char* a = chars; *a; ++a) {
        EXPECT_NE(0, glyph_bits(*a)) << *a;
        for (const char* b = a + 1; *b; ++b)
            EXPECT_NE(glyph_bits(*a), glyph_bits(*b)) << *a << " and " << *b;
    }
    EXPECT_EQ(glyph_bits('Q'), glyph_bits('q'));
    rgb_image image;
    image.width = 20;
    image.height = 12;
    image.rgb.assign(20 * 12 * 3, 0);
    draw_text(image, 1, 1, 2, "1", 0xFFFFFF);   // 1: .X. / XX. / .X. / .X. / XXX
    auto lit = [&](int x, int y) { return image.rgb[(size_t(y) * 20 + size_t(x)) * 3] != 0; };
    EXPECT_FALSE(lit(1, 1));
    EXPECT_TRUE(lit(3, 1) && lit(4, 2));
    EXPECT_TRUE(lit(1, 3) && lit(2, 4));
    EXPECT_TRUE(lit(1, 9) && lit(6, 10));
    EXPECT_FALSE(lit(7, 9) || lit(0, 0));
    draw_text(image, 18, 10, 2, "8", 0xFFFFFF);   // clipped at the edges, no overrun
}

TEST(contact_sheet, a_tile_for_every_scene_and_overlay_entry_in_position_order)
{
    static overlay_entry table[4] = {};
    table[0] = {100, 200, 0, 148, 1500, 0, &pictures[pic_gringot], 0, 53, 319, 183};
    table[1] = {1344, 4400, 0, 1400, 1, 0, &pictures[pic_noise], 0, 0, 319, 239};
    table[2] = {652, 2000, 0, 700, 500, 0, &pictures[pic_noise], 0, 0, 319, 239};
    const std::vector<sheet_tile> tiles = sheet_tiles(table);
    ASSERT_EQ(8u + 3u, tiles.size());
    for (size_t i = 1; i < tiles.size(); ++i)
        EXPECT_LE(tiles[i - 1].position, tiles[i].position);
    auto position_of = [&](const std::string& label) {
        for (const sheet_tile& t : tiles)
            if (t.label == label)
                return int(t.position);
        return -1;
    };
    EXPECT_EQ(124, position_of("OVERLAY 0 GRINGOT"));     // rows 100..148, middle 124
    EXPECT_EQ(1353, position_of("OVERLAY 1 NOISE"));      // the demo ends at 1363, not 1400
    EXPECT_EQ(658, position_of("OVERLAY 2 NOISE"));   // rows 652..663 and 700 are 12 apart
    EXPECT_EQ(50, position_of("PARALLAX"));
    EXPECT_EQ(1350, position_of("CLOSING"));
}

} // namespace
