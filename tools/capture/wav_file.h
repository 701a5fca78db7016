// WAV output: 16-bit stereo at 44100 Hz, little-endian on disk whatever the host. The
// mixer's words are native; they are converted here. Written as NAME.part, renamed by
// wav_finish; wav_abandon removes it.
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>

struct wav_writer {
    std::string path;          // final name
    std::FILE* file = nullptr; // open on the .part name
    uint64_t frames = 0;       // stereo frames written so far
};

constexpr uint64_t wav_max_frames = (0xFFFFFFFFull - 36) / 4;

// The 44-byte header for `frames` stereo frames.
void wav_header(uint64_t frames, uint8_t header[44]);
// 0, or -1 with `error` set.
int wav_open(wav_writer& wav, const std::string& path, std::string& error);
int wav_write(wav_writer& wav, const int16_t* samples, uint64_t frames, std::string& error);
// Drops everything after the first `frames` frames written.
int wav_truncate(wav_writer& wav, uint64_t frames, std::string& error);
int wav_finish(wav_writer& wav, std::string& error);
void wav_abandon(wav_writer& wav);
