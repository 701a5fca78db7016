// The PNG loader against ancillary chunks whose length lies: a tiny file must not make the
// loader take memory in proportion to the length a chunk claims. Each load runs in a child
// process so that its peak resident size can be read on its own.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "gfx/picture.h"
#include "png_crc.h"

namespace {

// The rows as a zlib stream of one stored (uncompressed) block.
std::vector<uint8_t> zlib_stored(const std::vector<uint8_t>& raw)
{
    std::vector<uint8_t> out = {0x78, 0x01, 0x01};
    const uint16_t n = uint16_t(raw.size());
    out.insert(out.end(), {uint8_t(n), uint8_t(n >> 8), uint8_t(~n), uint8_t(~n >> 8)});
    out.insert(out.end(), raw.begin(), raw.end());
    uint32_t a = 1, b = 0;
    for (uint8_t byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    const uint32_t adler = b << 16 | a;
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(uint8_t(adler >> shift));
    return out;
}

void put32(std::vector<uint8_t>& out, uint32_t v)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(uint8_t(v >> shift));
}

// A chunk whose length field says `claimed` while `data` follows; CRC over type and data.
void chunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data,
           uint32_t claimed)
{
    put32(out, claimed);
    const size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    put32(out, png_chunk_crc(out.data() + start, out.size() - start));
}

// A valid 2x2 RGBA picture with one extra chunk of the given type placed after the pixel
// data, which claims `claimed` bytes (1.6 GB by default) and holds 8.
std::vector<uint8_t> png_with_lying_chunk(const char* type, uint32_t claimed = 1610612773u)
{
    std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> ihdr;
    put32(ihdr, 2);
    put32(ihdr, 2);
    ihdr.insert(ihdr.end(), {8, 6, 0, 0, 0});
    chunk(png, "IHDR", ihdr, 13);
    std::vector<uint8_t> raw(2 * (1 + 2 * 4), 0x40);
    raw[0] = raw[9] = 0;   // filter type of each row
    const std::vector<uint8_t> packed = zlib_stored(raw);
    chunk(png, "IDAT", packed, uint32_t(packed.size()));
    chunk(png, type, {'k', 'e', 'y', 0, 'v', 'a', 'l', 'u'}, claimed);
    if (claimed == 8)
        chunk(png, "IEND", {}, 0);
    return png;
}

// Loads `png` in a child process; returns the child's load result and its peak resident
// size in kilobytes.
void load_in_child(const std::vector<uint8_t>& png, int& result, long& peak_kb)
{
    const std::string path = "png_chunk_test_" + std::to_string(getpid()) + ".png";
    FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fwrite(png.data(), 1, png.size(), file);
    std::fclose(file);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        picture pic = {};
        _exit(load_picture(path.c_str(), &pic) == 0 ? 0 : 1);
    }
    int status = 0;
    rusage usage = {};
    ASSERT_EQ(wait4(child, &status, 0, &usage), child);
    std::remove(path.c_str());
    ASSERT_TRUE(WIFEXITED(status)) << "the load ended abnormally";
    result = WEXITSTATUS(status) == 0 ? 0 : -1;
    peak_kb = usage.ru_maxrss;
}

TEST(png_chunk, lying_ancillary_chunk_lengths_cost_no_memory)
{
    int honest_result = -1;
    long honest_peak = 0;
    load_in_child(png_with_lying_chunk("tEXt", 8), honest_result, honest_peak);
    ASSERT_EQ(honest_result, 0) << "the fixture itself must be a loadable picture";

    for (const char* type : {"tEXt", "zTXt", "iTXt", "iCCP", "sPLT", "eXIf"}) {
        int result = 0;
        long peak_kb = 0;
        load_in_child(png_with_lying_chunk(type), result, peak_kb);
        EXPECT_EQ(result, -1) << type << ": the file ends inside the chunk";
        EXPECT_LT(peak_kb, 256 * 1024) << type << ": peak resident size " << peak_kb << " KB";
    }
}

} // namespace
