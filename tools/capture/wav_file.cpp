// WAV writing with the header patched at the end and native words stored little-endian.
#include "wav_file.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

#include "output_file.h"

namespace {

void put32(uint8_t* at, uint32_t v)
{
    at[0] = uint8_t(v);
    at[1] = uint8_t(v >> 8);
    at[2] = uint8_t(v >> 16);
    at[3] = uint8_t(v >> 24);
}

void put16(uint8_t* at, uint32_t v)
{
    at[0] = uint8_t(v);
    at[1] = uint8_t(v >> 8);
}

int fail(wav_writer& wav, std::string& error, const char* what)
{
    error = "cannot write " + wav.path + ": " + what;
    return -1;
}

} // namespace

void wav_header(uint64_t frames, uint8_t header[44])
{
    const uint32_t data_bytes = uint32_t(frames * 4);
    std::memcpy(header, "RIFF", 4);
    put32(header + 4, 36 + data_bytes);
    std::memcpy(header + 8, "WAVEfmt ", 8);
    put32(header + 16, 16);          // format chunk size
    put16(header + 20, 1);           // integer PCM
    put16(header + 22, 2);           // channels
    put32(header + 24, 44100);       // frames a second
    put32(header + 28, 44100 * 4);   // bytes a second
    put16(header + 32, 4);           // bytes a frame
    put16(header + 34, 16);          // bits a sample
    std::memcpy(header + 36, "data", 4);
    put32(header + 40, data_bytes);
}

int wav_open(wav_writer& wav, const std::string& path, std::string& error)
{
    wav.path = path;
    wav.frames = 0;
    if (!can_create(path, error))
        return -1;
    wav.file = std::fopen(part_path(path).c_str(), "wb");
    if (!wav.file)
        return fail(wav, error, std::strerror(errno));
    uint8_t header[44];
    wav_header(0, header);
    if (std::fwrite(header, 1, sizeof header, wav.file) != sizeof header) {
        wav_abandon(wav);
        return fail(wav, error, "write failed");
    }
    return 0;
}

int wav_write(wav_writer& wav, const int16_t* samples, uint64_t frames, std::string& error)
{
    if (wav.frames + frames > wav_max_frames)
        return fail(wav, error, "longer than a WAV file can hold");
    uint8_t bytes[4096];
    uint64_t done = 0;
    const uint64_t count = frames * 2;
    while (done < count) {
        const uint64_t n = count - done < sizeof bytes / 2 ? count - done : sizeof bytes / 2;
        for (uint64_t k = 0; k < n; ++k)
            put16(bytes + 2 * k, uint16_t(samples[done + k]));
        if (std::fwrite(bytes, 2, size_t(n), wav.file) != size_t(n))
            return fail(wav, error, std::strerror(errno));
        done += n;
    }
    wav.frames += frames;
    return 0;
}

int wav_truncate(wav_writer& wav, uint64_t frames, std::string& error)
{
    if (std::fflush(wav.file) != 0 || ftruncate(fileno(wav.file), off_t(44 + frames * 4)) != 0 ||
        std::fseek(wav.file, 0, SEEK_END) != 0)
        return fail(wav, error, std::strerror(errno));
    wav.frames = frames;
    return 0;
}

int wav_finish(wav_writer& wav, std::string& error)
{
    uint8_t header[44];
    wav_header(wav.frames, header);
    const bool written = std::fseek(wav.file, 0, SEEK_SET) == 0 &&
                         std::fwrite(header, 1, sizeof header, wav.file) == sizeof header;
    const bool closed = std::fclose(wav.file) == 0;
    wav.file = nullptr;
    if (!written || !closed) {
        discard_part(wav.path);
        return fail(wav, error, "write failed");
    }
    if (publish_part(wav.path, error) != 0) {
        discard_part(wav.path);
        return -1;
    }
    return 0;
}

void wav_abandon(wav_writer& wav)
{
    if (wav.file)
        std::fclose(wav.file);
    wav.file = nullptr;
    discard_part(wav.path);
}
