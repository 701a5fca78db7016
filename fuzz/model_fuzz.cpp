// Fuzz target of the model path: the input's first 20 bytes choose the matrix (translation
// and two rotations, five big-endian 32-bit values mapped into the scene's kind of range),
// the rest is the model file. As at start-up the file's big-endian integers fill a buffer of
// 10000 bytes whose rest stays zero; a model that passes model_check is drawn into a frame of
// exactly 320x240 words.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "fuzz_reset.h"
#include "fx/matrix.h"
#include "fx/model.h"
#include "gfx/frame.h"

namespace {

constexpr size_t matrix_bytes = 20;
int32_t model[model_max_bytes / 4];

int32_t big_endian(const uint8_t* b)
{
    return int32_t(uint32_t(b[0]) << 24 | uint32_t(b[1]) << 16 | uint32_t(b[2]) << 8 | b[3]);
}

// A value in about -64 .. 64 world units (or radians), in steps of 1/32768.
float scaled(int32_t v)
{
    return float(v % (1 << 21)) / 32768.0f;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < matrix_bytes)
        return 0;
    reset_all_state();
    matrix_identity();
    matrix_translate(scaled(big_endian(data)), scaled(big_endian(data + 4)),
                     scaled(big_endian(data + 8)));
    matrix_rotate_y(scaled(big_endian(data + 12)));
    matrix_rotate_z(scaled(big_endian(data + 16)));
    data += matrix_bytes;
    size -= matrix_bytes;

    std::memset(model, 0, sizeof model);
    const size_t words = (size < sizeof model ? size : sizeof model) / 4;
    for (size_t k = 0; k < words; ++k)
        model[k] = big_endian(data + 4 * k);
    uint8_t tail[4] = {};
    if (words < model_max_bytes / 4 && size % 4 != 0 && size < sizeof model) {
        std::memcpy(tail, data + 4 * words, size % 4);
        model[words] = big_endian(tail);
    }

    uint32_t* target = static_cast<uint32_t*>(std::malloc(frame_words * sizeof(uint32_t)));
    std::memset(target, 0xFF, frame_words * sizeof(uint32_t));
    const bool accepted = model_check(model, model_max_bytes / 4) != 0;
    draw_model_mask(model, target);
    if (!accepted) {   // a refused model draws nothing
        for (size_t k = 0; k < frame_words; ++k)
            if (target[k] != 0xFFFFFFFFu)
                std::abort();
    }
    std::free(target);
    return 0;
}
