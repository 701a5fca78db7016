// Full screen unless asked for a window by "-w" or by a program name ending in w.
#include "demo/screen_mode.h"

#include <cstring>

uint32_t screen_mode_flags(int argc, const char* const* argv)
{
    uint32_t flags = fullscreen_flag;
    for (int i = 1; i < argc; ++i)
        if (argv[i] && std::strcmp(argv[i], "-w") == 0)
            flags = 0;
    if (argc > 0 && argv[0]) {
        const size_t length = std::strlen(argv[0]);
        if (length > 0 && argv[0][length - 1] == 'w')
            flags = 0;
    }
    return flags;
}
