// Shared by the scene and overlay tests: synthetic pictures of exact sizes (so a read
// past one shows under the address sanitizer) and a clean program state per test.
#pragma once
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "demo/demo_data.h"
#include "demo/overlay.h"
#include "demo/scenes.h"
#include "demo/timeline.h"
#include "fx/fireworks.h"
#include "fx/halftone.h"
#include "fx/rects.h"
#include "fx/walkers.h"
#include "host/host.h"
#include "player/position_clock.h"

class scene_test : public ::testing::Test {
protected:
    void SetUp() override
    {
        host_use_virtual();
        position_clock_reset_state();
        reset_row_times();
        scene_state_reset_state();
        overlay_reset_state();
        fireworks_reset_state();
        crawlers_reset_state();
        build_dot_kernel(frame_width, frame_height);
        build_effect_tables();
        std::memset(work_frame, 0, frame_bytes);
        std::memset(scene_a, 0, frame_bytes);
        std::memset(scene_b, 0, frame_bytes);
        std::memset(scene_c, 0, frame_bytes);
        std::memset(model_data, 0, sizeof model_data);
        // The two textures at the smallest sizes start-up accepts, the rest 320x240.
        for (int i = 0; i < picture_count; i++) {
            int w = i == pic_circle32 ? 351 : i == pic_circle34 ? 353 : frame_width;
            int h = i == pic_circle32 ? 271 : i == pic_circle34 ? 273 : frame_height;
            fill(i, w, h, [](int, int) { return 0u; });
        }
        srand(1);
    }

    void TearDown() override
    {
        for (int i = 0; i < picture_count; i++)
            pictures[i] = picture{};
    }

    // Gives picture `index` a fresh w x h pixel array with fn(x, y) in every word.
    template <typename F>
    void fill(int index, int w, int h, F fn)
    {
        storage[index].assign(static_cast<size_t>(w) * h, 0);
        for (int y = 0; y < h; y++)
            for (int x = 0; x < w; x++)
                storage[index][static_cast<size_t>(y) * w + x] = fn(x, y);
        pictures[index] = picture{};
        pictures[index].format = 4;
        pictures[index].width = w;
        pictures[index].height = h;
        pictures[index].pixels = reinterpret_cast<uint8_t*>(storage[index].data());
    }

    void fill_all(int index, uint32_t word)
    {
        fill(index, frame_width, frame_height, [word](int, int) { return word; });
    }

    // Position q (order * 100 + row) began to be heard at `time`; every earlier row not
    // stamped yet gets the same time.
    static void stamp(uint32_t q, int32_t time)
    {
        record_row_time(static_cast<int32_t>(q / 100), static_cast<int32_t>(q % 100), time);
    }

    // Makes the music position read q at clock reading `ticks` (q stamped before it).
    static void play_to(uint32_t q, uint32_t ticks)
    {
        stamp(q, 0);
        virtual_ticks = ticks;
        update_music_position();
    }

    static uint32_t at(const uint32_t* frame, int x, int y) { return frame[y * frame_width + x]; }

    static bool frames_equal(const uint32_t* a, const uint32_t* b)
    {
        return std::memcmp(a, b, frame_bytes) == 0;
    }

    static bool frame_all(const uint32_t* f, uint32_t word)
    {
        for (int i = 0; i < frame_words; i++)
            if (f[i] != word)
                return false;
        return true;
    }

    std::vector<uint32_t> storage[picture_count];
};
