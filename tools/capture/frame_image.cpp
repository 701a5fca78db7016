// Enlargement of the work frame and PNG writing.
#include "frame_image.h"

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <png.h>

#include "demo/presentation.h"
#include "gfx/frame.h"

namespace {

// Writes one pixel word's red, green and blue; the word is a number, so this is the same
// on any host byte order. Alpha is not shown.
inline void put_rgb(uint8_t* at, uint32_t word)
{
    at[0] = uint8_t(word >> 16);
    at[1] = uint8_t(word >> 8);
    at[2] = uint8_t(word);
}

} // namespace

void frame_to_rgb(const uint32_t* frame, int scale, rgb_image& out)
{
    out.width = frame_width * scale;
    out.height = frame_height * scale;
    out.rgb.resize(size_t(out.width) * size_t(out.height) * 3);
    if (scale == 2) {
        // The screen as the demo shows it: the presentation's own 2x2 doubling.
        static uint32_t screen[frame_words * 4];
        scale_2x(frame, reinterpret_cast<uint8_t*>(screen), frame_width * 2 * 4);
        for (int k = 0; k < frame_words * 4; ++k)
            put_rgb(&out.rgb[size_t(k) * 3], screen[k]);
        return;
    }
    for (int y = 0; y < out.height; ++y) {
        const uint32_t* source = frame + (y / scale) * frame_width;
        uint8_t* row = &out.rgb[size_t(y) * size_t(out.width) * 3];
        for (int x = 0; x < out.width; ++x)
            put_rgb(row + 3 * x, source[x / scale]);
    }
}

int write_png(const rgb_image& image, const std::string& path, std::string& error)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        error = "cannot write " + path + ": " + std::strerror(errno);
        return -1;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!png || !info) {
        png_destroy_write_struct(&png, &info);
        std::fclose(file);
        error = "cannot write " + path + ": out of memory";
        return -1;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(file);
        error = "cannot write " + path + ": write failed";
        return -1;
    }
    png_init_io(png, file);
    // Fast settings: frames are many and the grain compresses poorly anyway.
    png_set_compression_level(png, 3);
    png_set_filter(png, 0, PNG_FILTER_SUB);
    png_set_IHDR(png, info, png_uint_32(image.width), png_uint_32(image.height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < image.height; ++y)
        png_write_row(png, &image.rgb[size_t(y) * size_t(image.width) * 3]);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    if (std::fflush(file) != 0 || std::ferror(file)) {
        std::fclose(file);
        error = "cannot write " + path + ": " + std::strerror(errno);
        return -1;
    }
    if (std::fclose(file) != 0) {
        error = "cannot write " + path + ": " + std::strerror(errno);
        return -1;
    }
    return 0;
}
