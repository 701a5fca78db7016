// The parallax scene: the towers picture in five column bands scrolling down at three
// speeds, outer bands one row per 30 ms, middle ones half that, the centre a quarter.
#include <cstring>

#include "demo/demo_data.h"
#include "demo/scenes.h"

namespace {

// (t + y) mod 240, never negative: t goes below zero once now passes 30,000,000 ms
// (or reads negative after the clock's sign flip), and a negative row would be read
// before the picture.
int32_t wrap_row(int32_t t, int32_t y)
{
    int32_t r = (t + y) % frame_height;
    return r < 0 ? r + frame_height : r;
}

void copy_band(uint32_t* dst_row, const uint32_t* pic, int32_t src_row, int32_t x0, int32_t x1)
{
    std::memcpy(dst_row + x0, pic + src_row * frame_width + x0,
                static_cast<size_t>(x1 - x0 + 1) * 4);
}

} // namespace

void parallax_scene(int32_t now)
{
    const uint32_t* towers = picture_words(pic_towers);
    // now / 30 is at least -71582788, so t stays far from overflow.
    int32_t t = 1000000 - now / 30;
    int32_t t2 = t / 2;
    int32_t t4 = t / 4;
    for (int32_t y = 0; y < frame_height; y++) {
        uint32_t* row = work_frame + y * frame_width;
        int32_t outer = wrap_row(t, y);
        int32_t middle = wrap_row(t2, y);
        int32_t centre = wrap_row(t4, y);
        copy_band(row, towers, outer, 0, 99);
        copy_band(row, towers, middle, 100, 149);
        copy_band(row, towers, centre, 150, 169);
        copy_band(row, towers, middle, 170, 219);
        copy_band(row, towers, outer, 220, 319);
    }
}
