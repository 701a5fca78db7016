// The silent stand-in module: an empty pattern played for fourteen order entries.
#include "player/silent_module.h"

#include <cstring>

uint32_t build_silent_module(uint8_t* buffer, uint32_t buffer_size)
{
    if (buffer_size < silent_module_bytes)
        return 0;
    std::memset(buffer, 0, buffer_size);
    buffer[950] = uint8_t(silent_module_orders);   // song length; every order plays pattern 0
    std::memcpy(buffer + 1080, "M.K.", 4);
    return silent_module_bytes;
}
