// The byte-order swap's fast path (two words per 64-bit step) checked bit for bit against
// the plain word-by-word reversal it replaces, kept here as the reference.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "demo/presentation.h"
#include "gfx/frame.h"

namespace {

void swap_plain(uint32_t* frame, uint32_t rmask)
{
    if (rmask == 0x00FF0000u)
        return;
    for (int k = 0; k < frame_words; ++k) {
        const uint32_t v = frame[k];
        frame[k] = v >> 24 | (v >> 8 & 0x0000FF00u) | (v << 8 & 0x00FF0000u) | v << 24;
    }
}

TEST(swap_pixel_bytes_reference, fast_path_matches_the_plain_reversal_for_every_word)
{
    // Distinct words everywhere, so a word moved to its neighbour's place shows.
    std::vector<uint32_t> frame(frame_words);
    srand(5);
    for (uint32_t& w : frame)
        w = static_cast<uint32_t>(rand()) * 2654435761u ^ static_cast<uint32_t>(rand());
    for (uint32_t rmask : {0x00FF0000u, 0x000000FFu, 0x0000FF00u, 0u}) {
        SCOPED_TRACE(rmask);
        std::vector<uint32_t> fast = frame, plain = frame;
        swap_pixel_bytes(fast.data(), rmask);
        swap_plain(plain.data(), rmask);
        ASSERT_EQ(fast, plain);
    }
}

} // namespace
