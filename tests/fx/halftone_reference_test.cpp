// The halftone's fast path (kernel entries grouped by distance, dots cut off where every
// channel's rim has ended, no bounds tests for cells inside the frame) checked bit for bit
// against the plain per-pixel version it replaces, kept here as the reference.
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <vector>

#include "fx/halftone.h"
#include "gfx/frame.h"

namespace {

uint32_t plain_add_saturated(uint32_t a, uint32_t b)
{
    uint32_t out = 0;
    for (int ch = 0; ch < 4; ++ch) {
        const uint32_t s = ((a >> (8 * ch)) & 0xFFu) + ((b >> (8 * ch)) & 0xFFu);
        out |= (s > 255 ? 255u : s) << (8 * ch);
    }
    return out;
}

// The plain version: every kernel entry of every cell, all four channels looked up per
// pixel, every pixel bounds-tested; the frame is W x H with W as row stride.
void halftone_plain(uint32_t* target, const uint32_t* source, int32_t a, int32_t W, int32_t H)
{
    const int32_t* kernel = halftone_kernel();
    uint8_t level_table[256];
    int64_t sum = 0;
    for (int32_t v = 0; v < 256; ++v, sum += a) {
        const int64_t level = sum >> 8;
        level_table[v] = static_cast<uint8_t>(level < 0 ? 0 : level > 255 ? 255 : level);
    }
    uint8_t amount[255 + 283 + 1];
    for (int32_t d = -255; d <= 283; ++d) {
        int32_t value = d < 0 ? 255 : d < 42 ? (42 - d) * 256 / 42 : 0;
        amount[d + 255] = static_cast<uint8_t>(value > 255 ? 255 : value);
    }
    int32_t row = 0;
    for (int32_t yc = 0; yc < H; yc += 9, ++row) {
        for (int32_t xc = (row & 1) ? 4 : 0; xc < W; xc += 9) {
            uint32_t sums[4] = {0, 0, 0, 0};
            uint32_t n = 0;
            for (int32_t sy = yc - 6; sy <= yc; sy += 6)
                for (int32_t sx = xc - 6; sx <= xc; sx += 6) {
                    if (sy < 0 || sx < 0) continue;
                    const uint32_t p = source[sy * W + sx];
                    for (int ch = 0; ch < 4; ++ch) sums[ch] += (p >> (8 * ch)) & 0xFFu;
                    ++n;
                }
            int32_t lev[4];
            for (int ch = 0; ch < 4; ++ch) {
                const int32_t l = level_table[sums[ch] / n];
                lev[ch] = l > 6 ? l : -1;
            }
            for (int32_t r = 0; r < 12; ++r)
                for (int32_t c = 0; c < 12; ++c) {
                    const int32_t x = xc - 6 + c, y = yc - 6 + r;
                    const int32_t K = kernel[r * 12 + c];
                    if (K < 0 || x < 0 || x >= W || y < 0 || y >= H) continue;
                    uint32_t add = 0;
                    for (int ch = 0; ch < 4; ++ch)
                        if (lev[ch] >= 0)
                            add |= static_cast<uint32_t>(amount[K - lev[ch] + 255]) << (8 * ch);
                    target[y * W + x] = plain_add_saturated(target[y * W + x], add);
                }
        }
    }
}

uint32_t random_word() { return static_cast<uint32_t>(rand()) * 2654435761u ^ static_cast<uint32_t>(rand()); }

// Sources that reach every branch: random words, sparse words over black (dots cut short,
// cells with no dot), full white (every dot at its largest), and bands of single channels.
enum class pattern { random, sparse, white, channel_bands };

uint32_t source_word(pattern kind, int x, int y)
{
    switch (kind) {
    case pattern::random: return random_word();
    case pattern::sparse: return rand() % 7 == 0 ? random_word() : 0u;
    case pattern::white: return 0xFFFFFFFFu;
    case pattern::channel_bands: return 0xFFu << (8 * ((x / 7 + y / 5) % 4));
    }
    return 0;
}

TEST(halftone_reference, fast_path_matches_the_plain_version_bit_for_bit)
{
    struct size { int32_t w, h; };
    // The demo's frame, odd sizes whose edge cells are cut on every side, a frame smaller
    // than one kernel, and an empty one.
    const size sizes[] = {{320, 240}, {319, 239}, {100, 57}, {13, 11}, {5, 3}, {0, 0}, {320, 1}};
    const int32_t scales[] = {0, 1, 7, 30, 100, 130, 230, 256, 260, 1000, INT32_MAX, -20, INT32_MIN};
    const pattern patterns[] = {pattern::random, pattern::sparse, pattern::white,
                                pattern::channel_bands};
    srand(11);
    for (const size& sz : sizes) {
        build_dot_kernel(sz.w, sz.h);
        for (pattern kind : patterns)
            for (int32_t a : scales) {
                std::vector<uint32_t> source(frame_words, 0), fast(frame_words, 0);
                for (int32_t y = 0; y < sz.h; ++y)
                    for (int32_t x = 0; x < sz.w; ++x)
                        source[y * sz.w + x] = source_word(kind, x, y);
                // Targets under the dots: random words, so the saturation shows.
                for (int32_t k = 0; k < sz.w * sz.h; ++k)
                    fast[k] = rand() % 3 == 0 ? random_word() : 0u;
                std::vector<uint32_t> plain = fast;
                halftone(fast.data(), source.data(), a);
                halftone_plain(plain.data(), source.data(), a, sz.w, sz.h);
                ASSERT_EQ(fast, plain) << "size " << sz.w << "x" << sz.h << ", pattern "
                                       << static_cast<int>(kind) << ", a " << a;
            }
    }
    build_dot_kernel(frame_width, frame_height);
}

} // namespace
