// MP4 output through ffmpeg, when it is installed: frames are piped raw (RGB) into an
// H.264 encoder writing a temporary video-only file; at the end the WAV is added as AAC
// and the result renamed into place. Quality: x264 at 0.15 bits a pixel (6.2 Mbit/s for
// 960x720 at 60 frames a second), yuv420p, AAC at 192 kbit/s.
#pragma once
#include <string>
#include <sys/types.h>

#include "frame_image.h"

struct video_encoder {
    std::string path;            // final .mp4
    std::string video_only;      // temporary H.264 stream in Matroska
    pid_t pid = -1;
    int pipe_fd = -1;
};

// 1 when an executable ffmpeg is on the PATH.
int ffmpeg_available();
// 0, or -1 with `error` set.
int encoder_start(video_encoder& encoder, const std::string& path, int width, int height,
                  int fps, std::string& error);
int encoder_write(video_encoder& encoder, const rgb_image& image, std::string& error);
// Ends the video stream, adds the sound from `wav_path` and publishes the MP4.
int encoder_finish(video_encoder& encoder, const std::string& wav_path, std::string& error);
// Stops ffmpeg and removes every temporary file.
void encoder_abandon(video_encoder& encoder);
