// Screen grain: a darkened line, dots and a black speck, all functions of the time t.
#pragma once
#include <cstdint>

void screen_grain(uint32_t* frame, int32_t t);
