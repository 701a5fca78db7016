// Presentation: the byte-order swap by red mask and the 2x2 doubling.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "demo/presentation.h"
#include "gfx/frame.h"

namespace {

TEST(swap_pixel_bytes, reverses_words_unless_the_screen_uses_the_pixel_layout)
{
    struct swap_case {
        uint32_t rmask;
        uint32_t expected;
    };
    const swap_case cases[] = {
        {0x00FF0000u, 0x11223344u},
        {0x000000FFu, 0x44332211u},
        {0x0000FF00u, 0x44332211u},
        {0xFF000000u, 0x44332211u},
    };
    for (const swap_case& c : cases) {
        SCOPED_TRACE(c.rmask);
        std::vector<uint32_t> frame(frame_words, 0x11223344u);
        frame[frame_words - 1] = 0x11223344u;
        swap_pixel_bytes(frame.data(), c.rmask);
        EXPECT_EQ(frame[0], c.expected);
        EXPECT_EQ(frame[frame_words - 1], c.expected);
    }
}

TEST(scale_2x, every_work_pixel_becomes_a_2x2_block)
{
    std::vector<uint32_t> frame(frame_words);
    for (int k = 0; k < frame_words; ++k)
        frame[k] = uint32_t(k) * 2654435761u;
    for (int pitch : {2560, 2560 + 64}) {
        SCOPED_TRACE(pitch);
        std::vector<uint8_t> screen(size_t(pitch) * 480 + 16, 0xEE);
        scale_2x(frame.data(), screen.data(), pitch);
        for (int y = 0; y < 480; ++y)
            for (int x = 0; x < 640; ++x) {
                uint32_t word;
                std::memcpy(&word, screen.data() + y * pitch + 4 * x, 4);
                ASSERT_EQ(word, frame[(y / 2) * 320 + x / 2]) << x << "," << y;
            }
        // Nothing is written past a row's 2560 bytes or past the last row.
        if (pitch > 2560) {
            EXPECT_EQ(screen[2560], 0xEE);
        }
        EXPECT_EQ(screen[size_t(pitch) * 480], 0xEE);
    }
}

} // namespace
