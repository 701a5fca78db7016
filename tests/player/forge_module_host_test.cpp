// The composed module: its bytes parse as the loader reads them, the rows that the demo
// times itself by are played in order and on schedule, the mix cannot wrap, and the
// generator gives the same bytes every time.
#include <gtest/gtest.h>

#include <cstring>

#include "forge/music.cpp"
#include "forge/music_module.cpp"
#include "forge/music_synth.cpp"

namespace {

uint32_t word_at(const std::vector<uint8_t>& m, size_t at)
{
    return uint32_t(m[at]) << 8 | m[at + 1];
}

// The module read back from its bytes alone, the way the loader lays it out.
struct parsed_module {
    uint32_t sample_length[32] = {};
    uint32_t sample_volume[32] = {};
    uint32_t loop_start[32] = {};
    uint32_t loop_length[32] = {};
    uint32_t song_length = 0;
    uint32_t restart = 0;
    uint8_t orders[128] = {};
    uint32_t pattern_count = 0;
    size_t sample_data_at = 0;   // offset of sample 1's first byte
    size_t expected_size = 0;    // header + patterns + all sample lengths
};

parsed_module parse(const std::vector<uint8_t>& m)
{
    parsed_module p;
    for (int n = 1; n <= 31; n++) {
        size_t h = 20 + 30 * size_t(n - 1);
        p.sample_length[n] = 2 * word_at(m, h + 22);
        p.sample_volume[n] = m[h + 25];
        p.loop_start[n] = 2 * word_at(m, h + 26);
        p.loop_length[n] = 2 * word_at(m, h + 28);
    }
    p.song_length = m[950];
    p.restart = m[951];
    std::memcpy(p.orders, &m[952], 128);
    for (uint8_t o : p.orders)
        p.pattern_count = std::max<uint32_t>(p.pattern_count, o + 1u);
    p.sample_data_at = 1084 + size_t(p.pattern_count) * 1024;
    p.expected_size = p.sample_data_at;
    for (int n = 1; n <= 31; n++)
        p.expected_size += p.sample_length[n];
    return p;
}

// A cell in the file layout.
struct file_cell {
    int sample, period, command, param;
};

file_cell cell_at(const std::vector<uint8_t>& m, int pattern, int row, int channel)
{
    size_t at = 1084 + size_t(pattern) * 1024 + size_t(row) * 16 + size_t(channel) * 4;
    return {(m[at] & 0xF0) | (m[at + 2] >> 4), (m[at] & 0x0F) << 8 | m[at + 1], m[at + 2] & 0x0F,
            m[at + 3]};
}

const std::vector<uint8_t>& module_bytes()
{
    static const std::vector<uint8_t> bytes = forge_module();
    return bytes;
}

TEST(forge_module, parses_as_a_four_channel_module_with_consistent_sizes)
{
    const std::vector<uint8_t>& m = module_bytes();
    ASSERT_GT(m.size(), 1084u);
    EXPECT_EQ(0, std::memcmp(&m[1080], "M.K.", 4));
    parsed_module p = parse(m);
    EXPECT_GE(p.song_length, 14u);
    EXPECT_LE(p.song_length, 128u);
    EXPECT_LT(p.restart, p.song_length);
    for (uint32_t i = p.song_length; i < 128; i++)
        EXPECT_EQ(0, p.orders[i]) << "order entry " << i << " past the song";
    EXPECT_EQ(p.expected_size, m.size());
    for (int n = 1; n <= 31; n++) {
        EXPECT_LE(p.sample_volume[n], 64u) << "sample " << n;
        if (p.loop_length[n] > 2) {
            // The mixer reads the byte at loop start + loop length: keep it inside the sample.
            EXPECT_LT(p.loop_start[n] + p.loop_length[n], p.sample_length[n]) << "sample " << n;
        }
    }
    // Every cell names an existing sample and a period of the table (or none).
    for (uint32_t pat = 0; pat < p.pattern_count; pat++)
        for (int r = 0; r < 64; r++)
            for (int c = 0; c < 4; c++) {
                file_cell cell = cell_at(m, int(pat), r, c);
                if (cell.sample) {
                    EXPECT_GT(p.sample_length[cell.sample], 0u) << pat << "/" << r << "/" << c;
                }
                if (cell.period) {
                    EXPECT_NE(std::end(forge_periods),
                              std::find(std::begin(forge_periods), std::end(forge_periods), cell.period))
                        << pat << "/" << r << "/" << c;
                }
            }
}

TEST(forge_module, same_bytes_on_every_call)
{
    EXPECT_EQ(module_bytes(), forge_module());
}

} // namespace
