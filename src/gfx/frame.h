// The frame: 320x240 pixel words 0xAARRGGBB, row after row, pixel (x, y) at word y * 320 + x.
#pragma once
#include <cstdint>

constexpr int frame_width = 320;
constexpr int frame_height = 240;
constexpr int frame_words = frame_width * frame_height;   // 76800
constexpr int frame_bytes = frame_words * 4;              // 307200

// Darkening of a pixel word: red, green and blue halved (rounding down), alpha cleared.
constexpr uint32_t darken(uint32_t v) { return (v >> 1) & 0x007F7F7Fu; }
