// The CRC-32 of PNG chunks (over the type and the data), so host tests can forge chunks
// that pass the decoder's check.
#pragma once
#include <cstddef>
#include <cstdint>

inline uint32_t png_chunk_crc(const uint8_t* bytes, size_t count)
{
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t k = 0; k < count; ++k) {
        crc ^= bytes[k];
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}
