// Storage of the demo's assets and frames; all start at zero.
#include "demo/demo_data.h"

picture pictures[picture_count];
int32_t model_data[model_data_bytes / 4];
uint8_t module_data[module_data_bytes];
uint32_t module_size;

uint32_t work_frame[frame_words];
uint32_t scene_a[frame_words];
uint32_t scene_b[frame_words];
uint32_t scene_c[frame_words];
