// The PNG loader: decodes a whole file with libpng, without transformations, into a
// picture record. Failures of any kind, libpng's own errors included, give -1.
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <png.h>

#include "gfx/picture.h"

namespace {

int32_t format_of_colour_type(int colour_type)
{
    switch (colour_type) {
    case PNG_COLOR_TYPE_GRAY: return 2;
    case PNG_COLOR_TYPE_RGB: return 3;
    case PNG_COLOR_TYPE_PALETTE: return 1;
    case PNG_COLOR_TYPE_RGB_ALPHA: return 4;
    default: return 0;
    }
}

// libpng's errors end in a jump back to the recovery point in decode; neither errors nor
// warnings are printed, since the loader reports failure only through its result.
void silent_error(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}

void silent_warning(png_structp, png_const_charp) {}

// Pictures larger than this are refused before their pixels are allocated: the largest
// picture of the demo is about 353x273, and a side of 2048 keeps what a lying header can
// make the decoder take (rows plus the copy, about 32 MB) small.
constexpr png_uint_32 max_side = 2048;

// Decodes `file` (signature already consumed) into `pic`. Runs under libpng's recovery
// point: a libpng error longjmps back here and the function returns -1. Locals that live
// across the setjmp are volatile or set only before it.
int32_t decode(FILE* file, picture* pic)
{
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, silent_error,
                                             silent_warning);
    if (!png)
        return -1;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return -1;
    }
    uint8_t* volatile pixels = nullptr;
    if (setjmp(png_jmpbuf(png))) {
        std::free(pixels);
        png_destroy_read_struct(&png, &info, nullptr);
        return -1;
    }
    // The size limit is checked while the header is read, before any row is decoded.
    png_set_user_limits(png, max_side, max_side);
    // Text, colour profile, suggested palette and Exif chunks are never used. Read, libpng
    // would first allocate what their length claims (1.6 GB for a 226-byte file with a
    // lying tEXt length); ignored, they are skipped unread.
    static const png_byte ignored_chunks[] = "tEXt\0zTXt\0iTXt\0iCCP\0sPLT\0eXIf";
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, ignored_chunks, 6);
    png_init_io(png, file);
    png_set_sig_bytes(png, 8);
    png_read_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);

    png_uint_32 width = 0, height = 0;
    int bit_depth = 0, colour_type = 0, interlace = 0, compression = 0, filter = 0;
    png_get_IHDR(png, info, &width, &height, &bit_depth, &colour_type, &interlace,
                 &compression, &filter);
    pic->width = int32_t(width);
    pic->height = int32_t(height);
    // Rows are copied a byte a sample, which fits only 8-bit samples.
    if (bit_depth != 8) {
        png_destroy_read_struct(&png, &info, nullptr);
        return -1;
    }
    png_bytepp rows = png_get_rows(png, info);
    pic->format = format_of_colour_type(colour_type);
    const size_t row_bytes = size_t(width) * size_t(picture_bytes_per_pixel(pic->format));
    pixels = static_cast<uint8_t*>(std::malloc(row_bytes * height));
    if (!pixels) {
        png_destroy_read_struct(&png, &info, nullptr);
        return -1;
    }
    for (png_uint_32 i = 0; i < height; ++i)
        std::memcpy(pixels + i * row_bytes, rows[i], row_bytes);
    if (colour_type == PNG_COLOR_TYPE_PALETTE) {
        png_colorp palette = nullptr;
        int entries = 0;
        if (png_get_PLTE(png, info, &palette, &entries) & PNG_INFO_PLTE) {
            for (int k = 0; k < entries && k < 256; ++k) {
                pic->palette[k][0] = palette[k].red;
                pic->palette[k][1] = palette[k].green;
                pic->palette[k][2] = palette[k].blue;
            }
        }
    }
    pic->pixels = pixels;
    png_destroy_read_struct(&png, &info, nullptr);
    return 0;
}

} // namespace

int32_t load_picture(const char* path, picture* pic)
{
    FILE* file = std::fopen(path, "rb");
    if (!file)
        return -1;
    png_byte signature[8];
    if (std::fread(signature, 1, 8, file) != 8 || png_sig_cmp(signature, 0, 8) != 0) {
        std::fclose(file);
        return -1;
    }
    const int32_t result = decode(file, pic);
    std::fclose(file);
    return result;
}
