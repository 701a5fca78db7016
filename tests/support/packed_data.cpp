// Writing and reading the assets as big-endian numbers.
#include "packed_data.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "demo/demo_data.h"

namespace {

constexpr uint32_t packed_magic = 0x564B5044;   // "VKPD"

bool put(FILE* file, uint32_t v)
{
    const uint8_t b[4] = {uint8_t(v >> 24), uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v)};
    return std::fwrite(b, 1, 4, file) == 4;
}

bool get(FILE* file, uint32_t& v)
{
    uint8_t b[4];
    if (std::fread(b, 1, 4, file) != 4)
        return false;
    v = uint32_t(b[0]) << 24 | uint32_t(b[1]) << 16 | uint32_t(b[2]) << 8 | b[3];
    return true;
}

} // namespace

int write_packed_data(const std::string& path)
{
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return -1;
    bool ok = put(file, packed_magic);
    for (int i = 0; i < picture_count && ok; ++i) {
        const picture& pic = pictures[i];
        ok = pic.format == 4 && put(file, uint32_t(pic.width)) && put(file, uint32_t(pic.height));
        const uint32_t* words = reinterpret_cast<const uint32_t*>(pic.pixels);
        for (int64_t k = 0; ok && k < int64_t(pic.width) * pic.height; ++k)
            ok = put(file, words[k]);
    }
    for (int k = 0; ok && k < model_data_bytes / 4; ++k)
        ok = put(file, uint32_t(model_data[k]));
    ok = ok && put(file, module_size) &&
         std::fwrite(module_data, 1, module_size, file) == module_size;
    return std::fclose(file) == 0 && ok ? 0 : -1;
}

int read_packed_data(const std::string& path)
{
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return -1;
    uint32_t v = 0;
    bool ok = get(file, v) && v == packed_magic;
    for (int i = 0; i < picture_count && ok; ++i) {
        uint32_t width = 0, height = 0;
        ok = get(file, width) && get(file, height) && width <= 4096 && height <= 4096;
        if (!ok)
            break;
        // A picture read before (by the PNG loader or an earlier read) is replaced.
        std::free(pictures[i].pixels);
        uint32_t* words = static_cast<uint32_t*>(std::malloc(size_t(width) * height * 4 + 4));
        for (uint32_t k = 0; ok && k < width * height; ++k)
            ok = get(file, words[k]);
        pictures[i] = picture{4, int32_t(width), int32_t(height),
                              reinterpret_cast<uint8_t*>(words), {}};
    }
    for (int k = 0; ok && k < model_data_bytes / 4; ++k) {
        ok = get(file, v);
        model_data[k] = int32_t(v);
    }
    ok = ok && get(file, module_size) && module_size <= sizeof module_data &&
         std::fread(module_data, 1, module_size, file) == module_size;
    std::fclose(file);
    return ok ? 0 : -1;
}
