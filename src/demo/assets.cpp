// Loading of the data files into the demo's static buffers.
#include "demo/assets.h"

#include <cstdio>
#include <cstring>

#include "demo/demo_data.h"
#include "fx/halftone.h"
#include "fx/model.h"
#include "fx/rects.h"

const char* const picture_list[16] = {
    "circle32.png", "circle34.png", "heart.png",  "trulgun.png",   "karvazonk.png",
    "garvohunt.png", "towers.png",  "stara.png",  "gringot.png",   "veskarra.png",
    "tovvimarmummo.png", "luot1.png", "greetz.png", "noise.png", "whitenoise.png",
    "stara.png",
};

int picture_fits_role(int index)
{
    const picture& pic = pictures[index];
    if (pic.format != 4 || pic.pixels == nullptr)
        return 0;
    // The two textures are read with their own width as stride through a 320x240 window
    // shifted by up to 31 (circle32) or 33 (circle34) pixels; every other picture is read
    // as 320x240 words with rows 320 words apart.
    if (index == pic_circle32)
        return pic.width >= 351 && pic.height >= 271;
    if (index == pic_circle34)
        return pic.width >= 353 && pic.height >= 273;
    return pic.width == frame_width && pic.height >= frame_height;
}

int load_pictures(const char* dir)
{
    for (int index = 0; index < picture_count; ++index) {
        char path[100];
        const int length = std::snprintf(path, sizeof path, "%s/%s", dir, picture_list[index]);
        const bool loaded = length > 0 && size_t(length) < sizeof path &&
                            load_picture(path, &pictures[index]) == 0;
        if (loaded)
            pack_picture(&pictures[index]);
        if (!loaded || !picture_fits_role(index)) {
            std::printf("Couldn't open pic: %s", picture_list[index]);
            std::fflush(stdout);
            return 1;
        }
    }
    return 0;
}

int load_model(const char* path)
{
    FILE* file = std::fopen(path, "rb");
    if (!file)
        return 1;
    uint8_t bytes[model_data_bytes] = {};
    const size_t read = std::fread(bytes, 1, sizeof bytes, file);
    std::fclose(file);
    // The file holds big-endian integers; the rest of the buffer stays zero.
    for (size_t k = 0; k < sizeof bytes / 4; ++k) {
        const uint8_t* b = bytes + 4 * k;
        model_data[k] = int32_t(uint32_t(b[0]) << 24 | uint32_t(b[1]) << 16 |
                                uint32_t(b[2]) << 8 | b[3]);
    }
    (void)read;
    return model_check(model_data, sizeof bytes / 4) ? 0 : 1;
}

int load_module(const char* path)
{
    FILE* file = std::fopen(path, "rb");
    if (!file)
        return 1;
    module_size = uint32_t(std::fread(module_data, 1, sizeof module_data, file));
    std::fclose(file);
    return 0;
}

int load_assets(const char* dir)
{
    if (load_pictures(dir) != 0)
        return 1;
    char path[4096];
    std::snprintf(path, sizeof path, "%s/gun.bare", dir);
    if (load_model(path) != 0)
        return 1;
    build_dot_kernel(frame_width, frame_height);
    build_effect_tables();
    std::snprintf(path, sizeof path, "%s/trevakul_4.mod", dir);
    return load_module(path);
}
