// The one alpha-blend rule of the system and its rectangle form over 320-wide arrays.
#pragma once
#include <cstdint>

uint32_t blend_pixel(uint32_t source, uint32_t destination);
// Blends src onto dst at the same place; the rectangle is clipped to 320x240.
void blend_rect(uint32_t* dst, const uint32_t* src, int32_t x, int32_t y, int32_t w, int32_t h);
