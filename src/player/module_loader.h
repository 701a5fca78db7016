// The module loader: parses a MOD image in place into the replayer's tables and hands its
// samples to the output driver. Failure is a 0 result with the reason in pt_error.
#pragma once
#include <cstdint>

// `module` is the writable image, `image_size` the number of bytes that hold the file and
// `buffer_size` the size of the buffer the image lives in (bytes past the image are zero).
// Returns 1 when the module was taken, 0 when it cannot be played (pt_error says why).
int32_t pt_takemod(uint8_t* module, uint32_t image_size, uint32_t buffer_size);

extern const char* pt_error;
