// Picture packing: RGBA bytes rewritten in place as native pixel words 0xAARRGGBB.
#include "gfx/picture.h"

#include <cstddef>

int picture_bytes_per_pixel(int32_t format)
{
    switch (format) {
    case 4: return 4;
    case 3: return 3;
    default: return 1;
    }
}

void pack_picture(picture* pic)
{
    // Only RGBA pictures hold four bytes a pixel; packing any other buffer as words would
    // run past its end, so those are left as decoded.
    if (pic->format != 4 || pic->pixels == nullptr || pic->width <= 0 || pic->height <= 0)
        return;
    uint8_t* bytes = pic->pixels;
    uint32_t* words = reinterpret_cast<uint32_t*>(pic->pixels);
    const size_t count = size_t(pic->width) * size_t(pic->height);
    for (size_t k = 0; k < count; ++k) {
        const uint8_t* p = bytes + 4 * k;
        words[k] = uint32_t(p[3]) << 24 | uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
    }
}
