// The forge's own random numbers: a 32-bit xorshift generator with an explicit seed, so
// every picture and table comes out byte for byte the same on every run and host.
#pragma once
#include <cstdint>

struct prng {
    uint32_t state;

    explicit prng(uint32_t seed) : state(seed ? seed : 0x9E3779B9u) {}

    uint32_t next()
    {
        uint32_t s = state;
        s ^= s << 13;
        s ^= s >> 17;
        s ^= s << 5;
        state = s;
        return s;
    }
    // Integer in lo..hi, both included (hi >= lo).
    int32_t range(int32_t lo, int32_t hi)
    {
        uint32_t span = uint32_t(hi - lo) + 1u;
        return lo + int32_t(next() % span);
    }
    // Float in [0, 1).
    float unit() { return float(next() >> 8) * (1.0f / 16777216.0f); }
};
