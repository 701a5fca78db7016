// Halftone dots: a source redrawn as soft circular dots per channel onto a target.
#pragma once
#include <cstdint>

void build_dot_kernel(int32_t width, int32_t height);
void halftone(uint32_t* target, const uint32_t* source, int32_t a);
