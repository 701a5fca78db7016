// Fuzz target of the picture path of start-up: the PNG loader reads the input from a file,
// the decoded picture is packed and checked against every role it could be loaded for, and
// every pixel word a role reads is read back, so a geometry check that lets through a
// picture too small for its role shows up as a heap overrun.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>
#include <vector>
#include <zlib.h>

#include "demo/assets.h"
#include "demo/demo_data.h"
#include "gfx/picture.h"

namespace {

char input_path[64];

// Highest word index (plus one) that the role of picture `index` reads: the two textures
// through a 320x240 window shifted by up to 31 / 33 pixels with their own width as stride,
// every other picture as 320x240 words.
size_t role_reach(int index, const picture& pic)
{
    if (index == pic_circle32 || index == pic_circle34) {
        const size_t shift = index == pic_circle32 ? 31 : 33;
        return (frame_height - 1 + shift) * size_t(pic.width) + frame_width + shift;
    }
    return size_t(frame_width) * frame_height;
}

// Most mutations break a chunk's CRC, which the decoder refuses at once. For inputs whose
// last byte is even the CRC of every whole chunk is made right again, so that mutated
// sizes, colour types and pixel data reach the decoder and the code after it.
void repair_crcs(std::vector<uint8_t>& png)
{
    size_t pos = 8;
    while (pos + 12 <= png.size()) {
        const uint32_t length = uint32_t(png[pos]) << 24 | uint32_t(png[pos + 1]) << 16 |
                                uint32_t(png[pos + 2]) << 8 | png[pos + 3];
        if (length > png.size() - pos - 12)
            return;
        const uint32_t crc = uint32_t(crc32(0, png.data() + pos + 4, uInt(length + 4)));
        uint8_t* out = png.data() + pos + 8 + length;
        out[0] = uint8_t(crc >> 24);
        out[1] = uint8_t(crc >> 16);
        out[2] = uint8_t(crc >> 8);
        out[3] = uint8_t(crc);
        pos += 12 + length;
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    std::snprintf(input_path, sizeof input_path, "/dev/shm/veskarra_picture_fuzz_%d.png",
                  int(getpid()));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<uint8_t> png(data, data + size);
    if (size > 0 && data[size - 1] % 2 == 0)
        repair_crcs(png);
    FILE* file = std::fopen(input_path, "wb");
    if (!file)
        std::abort();
    if (size > 0 && std::fwrite(png.data(), 1, size, file) != size)
        std::abort();
    std::fclose(file);

    picture pic;
    std::memset(&pic, 0, sizeof pic);
    if (load_picture(input_path, &pic) == 0) {
        const size_t bytes = size_t(pic.width) * size_t(pic.height) *
                             size_t(picture_bytes_per_pixel(pic.format));
        if (pic.width <= 0 || pic.height <= 0 || (bytes > 0 && pic.pixels == nullptr))
            std::abort();   // a success must leave a usable record
        pack_picture(&pic);
        volatile uint32_t sink = 0;
        for (int index = 0; index < picture_count; ++index) {
            pictures[index] = pic;
            if (!picture_fits_role(index))
                continue;
            const uint32_t* words = reinterpret_cast<const uint32_t*>(pic.pixels);
            const size_t reach = role_reach(index, pic);
            for (size_t k = 0; k < reach; k += 97)
                sink = sink + words[k];
            sink = sink + words[reach - 1];
        }
        std::memset(pictures, 0, sizeof pictures);
    }
    std::free(pic.pixels);   // the demo keeps its pictures; here every run starts afresh
    unlink(input_path);
    return 0;
}
