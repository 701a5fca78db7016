// The choice between full screen and window, from the command line.
#pragma once
#include <cstdint>

constexpr uint32_t fullscreen_flag = 0x80000000u;

// fullscreen_flag unless an argument is exactly "-w" or the program name ends in 'w'.
uint32_t screen_mode_flags(int argc, const char* const* argv);
