// Fuzz target of the music path: the input is the module image, in a heap buffer of exactly
// its size so that any read or write past it is seen. It is loaded through the player as
// start-up does, then played for some hundred ticks through audio_fill into a stream, once
// with a null stream as the fast-forward does.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "fuzz_reset.h"
#include "host/host.h"
#include "player/player_control.h"
#include "player/position_clock.h"

namespace {

constexpr int stream_frames = 4096;
int16_t stream[2 * stream_frames];

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 1000000)
        return 0;   // the demo reads at most this much of the file
    reset_all_state();
    uint8_t* image = static_cast<uint8_t*>(std::malloc(size ? size : 1));
    if (size)
        std::memcpy(image, data, size);

    if (!player_open(44100, 4096))
        std::abort();   // the virtual device always opens
    player_load(image, uint32_t(size), uint32_t(size));
    player_start(50);

    // 12 buffers of 4096 frames (about 56 ticks at tempo 125), a fast-forward step of
    // 11025 frames, then 12 more buffers: about a hundred ticks at the reset tempo.
    for (int pass = 0; pass < 25; ++pass) {
        virtual_ticks += 93;
        if (pass == 12) {
            audio_fill(nullptr, nullptr, 44100);
            continue;
        }
        std::memset(stream, 0, sizeof stream);
        audio_fill(nullptr, reinterpret_cast<uint8_t*>(stream), int(sizeof stream));
        update_music_position();
    }
    std::free(image);
    return 0;
}
