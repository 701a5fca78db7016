// The picture record, the PNG loader that fills it and the packing into pixel words.
// load_picture reports failure as -1 and prints nothing; pixel arrays it allocates are
// never freed (pictures live for the whole run).
#pragma once
#include <cstdint>

struct picture {
    int32_t format;            // 4 RGBA, 3 RGB, 2 grey, 1 palette, 0 anything else
    int32_t width;
    int32_t height;
    uint8_t* pixels;           // height rows of width * bytes-per-pixel bytes, no gap
    uint8_t palette[256][3];   // palette pictures only
};

// Bytes per pixel of a format code.
int picture_bytes_per_pixel(int32_t format);

// Decodes the PNG file at `path` into `pic`. 0 on success, -1 on failure (file missing,
// not a PNG, bit depth other than 8, corrupt or truncated data, no memory).
int32_t load_picture(const char* path, picture* pic);

// Rewrites the RGBA bytes of a format-4 picture in place as native pixel words
// 0xAARRGGBB. Pictures of any other format are left as they are.
void pack_picture(picture* pic);
