// The whole demo on the virtual clock, from its first frame to the frame after which it
// ends, on the assets a native run decoded. Every frame's words and every audio buffer are
// hashed; the big-endian run must give the little-endian run's hashes, frame for frame.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "demo/demo_data.h"
#include "demo/reset.h"
#include "demo/virtual_run.h"
#include "fx/halftone.h"
#include "fx/rects.h"
#include "packed_data.h"
#include "player/position_clock.h"

namespace {

constexpr int fps = 25;

// FNV-1a over 32-bit values, fed least significant byte first whatever the host.
struct value_hash {
    uint64_t h = 1469598103934665603ull;
    void add(uint32_t v)
    {
        for (int b = 0; b < 4; ++b) {
            h ^= (v >> (8 * b)) & 0xFF;
            h *= 1099511628211ull;
        }
    }
};

void hash_buffer(const int16_t* samples, int frames, void* user)
{
    value_hash& hash = *static_cast<value_hash*>(user);
    for (int k = 0; k < 2 * frames; ++k)
        hash.add(uint16_t(samples[k]));
}

// Runs the demo from its start-up to the frame after which it ends; one line per frame
// with its clock, position, frame hash and the hash of all audio so far.
std::vector<std::string> run_whole_demo(uint32_t& last_position, uint64_t& k)
{
    virtual_run run;
    EXPECT_EQ(virtual_run_start(run), 0);
    std::vector<std::string> lines;
    value_hash audio;
    for (;; ++k) {
        const uint32_t ms = virtual_frame_ms(k, fps);
        if (ms >= 200000u) {
            ADD_FAILURE() << "the demo did not end";
            break;
        }
        virtual_run_audio_until(run, ms, hash_buffer, &audio);
        virtual_run_frame(run, ms);
        const uint32_t position = uint32_t(music_position());
        EXPECT_GE(position, last_position) << "the position went back at " << ms << " ms";
        last_position = position;
        value_hash frame;
        for (int w = 0; w < frame_words; ++w)
            frame.add(work_frame[w]);
        char line[96];
        std::snprintf(line, sizeof line, "%llu %u %u %016llx %016llx",
                      (unsigned long long)k, ms, position, (unsigned long long)frame.h,
                      (unsigned long long)audio.h);
        lines.push_back(line);
        if (run.state.quit_after_frame)
            break;
    }
    return lines;
}

TEST(full_run, the_demo_runs_to_its_end_and_gives_the_same_bits_on_every_byte_order)
{
    const char* dir = std::getenv("VESKARRA_FULL_RUN_DIR");
    if (!dir)
        GTEST_SKIP() << "VESKARRA_FULL_RUN_DIR not set";
    ASSERT_EQ(read_packed_data(std::string(dir) + "/packed.bin"), 0);
    build_dot_kernel(frame_width, frame_height);
    build_effect_tables();

    uint32_t last_position = 0;
    uint64_t k = 0;
    const std::vector<std::string> lines = run_whole_demo(last_position, k);
    // 14 orders of 64 rows at 120 ms a row: about 107.5 s, the last row stamped one tick
    // after it begins to sound.
    EXPECT_EQ(last_position, 1363u);
    EXPECT_NEAR(double(virtual_frame_ms(k, fps)), 107520.0, 300.0);

    const bool big_endian = __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__;
    const std::string mine = std::string(dir) + (big_endian ? "/big.txt" : "/little.txt");
    std::ofstream(mine) << [&] {
        std::string all;
        for (const std::string& line : lines)
            all += line + "\n";
        return all;
    }();
    // A second run in the same process, after every module's state is restored, is the
    // same run again.
    // The loader converted the module image in place: it is read again, as a new process
    // would.
    demo_reset_state();
    ASSERT_EQ(read_packed_data(std::string(dir) + "/packed.bin"), 0);
    build_effect_tables();
    uint32_t again_position = 0;
    uint64_t again_frames = 0;
    const std::vector<std::string> again = run_whole_demo(again_position, again_frames);
    EXPECT_EQ(again.size(), lines.size());
    for (size_t n = 0; n < again.size() && n < lines.size(); ++n)
        ASSERT_EQ(again[n], lines[n]) << "first difference of the second run at frame " << n;
    if (!big_endian)
        return;
    std::ifstream reference(std::string(dir) + "/little.txt");
    if (!reference) {
        if (std::getenv("VESKARRA_FULL_RUN_REQUIRE_REFERENCE"))
            FAIL() << "no little-endian run to compare with in " << dir;
        GTEST_SKIP() << "no little-endian run to compare with";
    }
    std::string line;
    size_t n = 0;
    while (std::getline(reference, line)) {
        ASSERT_LT(n, lines.size()) << "the little-endian run has more frames";
        ASSERT_EQ(lines[n], line) << "first difference at frame " << n;
        ++n;
    }
    EXPECT_EQ(n, lines.size());
}

} // namespace
