// The model scene: the model's silhouette, turning, rising, bouncing and falling, is
// filled into stara in scene_a and shown through the halftone; from position 1148 the
// whitenoise picture slides in from the left.
#include <cmath>
#include <cstring>

#include "demo/demo_data.h"
#include "demo/scenes.h"
#include "fx/halftone.h"
#include "fx/matrix.h"
#include "fx/model.h"
#include "player/position_clock.h"

namespace {

// now - row_time(position), wrapping like the 32-bit difference it is.
int32_t since_position(int32_t now, int32_t position)
{
    return static_cast<int32_t>(static_cast<uint32_t>(now) -
                                static_cast<uint32_t>(row_time(position)));
}

} // namespace

void model_translation(uint32_t p, int32_t e1000, int32_t e1100, int32_t e1148, float* y,
                       float* z)
{
    if (p <= 1031) {
        // Rises from -10.3 to -0.3 over the first second; double, rounded to single.
        double d = e1000 < 1000 ? e1000 : 1000;
        *y = static_cast<float>(-(0.01 * (1000.0 - d) + 0.3));
        *z = -20.0f;
    } else if (p <= 1099) {
        *y = -0.3f;
        *z = -20.0f;
    } else if (p <= 1147) {
        // Damped bounce: amplitude 4 (1 + e/1000)^-4 - 0.05, none once that is negative.
        float base = 1.0f + 0.001f * static_cast<float>(e1100);
        float amplitude = static_cast<float>(static_cast<double>(4.0f * powf(base, -4.0f)) - 0.05);
        if (amplitude < 0.0f)
            amplitude = 0.0f;
        float angle = static_cast<float>(0.02 * e1100);
        *y = static_cast<float>(static_cast<double>(amplitude * sinf(angle)) - 0.3);
        *z = -20.0f;
    } else {
        // Falls 10 units a second and recedes 2 units a second; double, rounded to single.
        *y = static_cast<float>(-(0.01 * e1148 + 0.3));
        *z = static_cast<float>(-(0.002 * e1100 + 7.0));
    }
}

int32_t model_halftone_scale(uint32_t p, int32_t e1000)
{
    float k = p <= 1099 ? 100.0f : 120.0f;
    return static_cast<int32_t>(130.0f + k * cosf(0.002f * static_cast<float>(e1000)));
}

int32_t whitenoise_columns(int32_t e1148)
{
    int32_t w = e1148 / 5;
    if (w > frame_width)
        w = frame_width;
    // Before position 1148 has been heard (a module that skips it) w is negative.
    if (w < 0)
        w = 0;
    return w;
}

void model_scene(uint32_t p, int32_t now)
{
    std::memcpy(scene_a, picture_words(pic_stara), frame_bytes);
    std::memset(work_frame, 0, frame_bytes);

    int32_t e1000 = since_position(now, 1000);
    int32_t e1100 = since_position(now, 1100);
    int32_t e1148 = since_position(now, 1148);

    matrix_identity();
    float y, z;
    model_translation(p, e1000, e1100, e1148, &y, &z);
    matrix_translate(1.5f, y, z);
    matrix_rotate_y(0.001f * static_cast<float>(now));
    if (p >= 1148)
        matrix_rotate_z(0.005f * static_cast<float>(e1148));
    draw_model_mask(model_data, scene_a);

    halftone(work_frame, scene_a, model_halftone_scale(p, e1000));

    if (p >= 1148) {
        int32_t w = whitenoise_columns(e1148);
        const uint32_t* noise = picture_words(pic_whitenoise);
        for (int32_t row = 0; row < frame_height; row++) {
            std::memcpy(work_frame + row * frame_width,
                        noise + row * frame_width + (frame_width - w),
                        static_cast<size_t>(w) * 4);
        }
    }
}
