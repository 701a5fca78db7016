// ffmpeg driven through a pipe and two plain process runs, without a shell.
#include "video_pipe.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "output_file.h"

namespace {

// Starts ffmpeg with `args`; with `pipe_fd` non-null its standard input is a pipe whose
// writing end is returned there, else /dev/null. Returns the pid or -1.
pid_t spawn_ffmpeg(const std::vector<std::string>& args, int* pipe_fd)
{
    int fds[2] = {-1, -1};
    if (pipe_fd && pipe(fds) != 0)
        return -1;
    const pid_t pid = fork();
    if (pid < 0) {
        if (pipe_fd) {
            close(fds[0]);
            close(fds[1]);
        }
        return -1;
    }
    if (pid == 0) {
        const int in = pipe_fd ? fds[0] : open("/dev/null", O_RDONLY);
        dup2(in, 0);
        if (pipe_fd)
            close(fds[1]);
        std::signal(SIGPIPE, SIG_DFL);
        std::vector<char*> argv;
        for (const std::string& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execvp("ffmpeg", argv.data());
        _exit(127);
    }
    if (pipe_fd) {
        close(fds[0]);
        fcntl(fds[1], F_SETFD, FD_CLOEXEC);
        *pipe_fd = fds[1];
    }
    return pid;
}

// Waits for the child; 1 when it exited with status 0.
int wait_ok(pid_t pid)
{
    int status = 0;
    while (waitpid(pid, &status, 0) < 0)
        if (errno != EINTR)
            return 0;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

const std::vector<std::string> quiet_args = {"ffmpeg", "-hide_banner", "-loglevel", "error",
                                             "-nostdin", "-y"};

} // namespace

int ffmpeg_available()
{
    const char* path = std::getenv("PATH");
    if (!path)
        return 0;
    std::string dirs = path;
    size_t start = 0;
    while (start <= dirs.size()) {
        size_t colon = dirs.find(':', start);
        if (colon == std::string::npos)
            colon = dirs.size();
        std::string dir = dirs.substr(start, colon - start);
        if (dir.empty())
            dir = ".";
        const std::string candidate = dir + "/ffmpeg";
        struct stat info = {};
        if (stat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
            access(candidate.c_str(), X_OK) == 0)
            return 1;
        start = colon + 1;
    }
    return 0;
}

int encoder_start(video_encoder& encoder, const std::string& path, int width, int height,
                  int fps, std::string& error)
{
    encoder.path = path;
    encoder.video_only = path + ".part-video.mkv";
    if (!can_create(path, error))
        return -1;
    // 0.15 bits a pixel, counted at no fewer than 30 frames a second: 6.2 Mbit/s for
    // 960x720 at 60, never below 3.1 Mbit/s at 720 lines; the grain needs the bits.
    const long long kbps = (long long)width * height * (fps > 30 ? fps : 30) * 15 / 100000;
    std::vector<std::string> args = quiet_args;
    const std::vector<std::string> rest = {
        "-f", "rawvideo", "-pix_fmt", "rgb24", "-s", std::to_string(width) + "x" + std::to_string(height),
        "-framerate", std::to_string(fps), "-i", "pipe:0",
        "-c:v", "libx264", "-preset", "medium", "-b:v", std::to_string(kbps) + "k",
        "-maxrate", std::to_string(2 * kbps) + "k", "-bufsize", std::to_string(2 * kbps) + "k",
        "-pix_fmt", "yuv420p",
        "-fflags", "+bitexact", "-flags:v", "+bitexact", "-map_metadata", "-1",
        "-f", "matroska", encoder.video_only};
    args.insert(args.end(), rest.begin(), rest.end());
    encoder.pid = spawn_ffmpeg(args, &encoder.pipe_fd);
    if (encoder.pid < 0) {
        error = std::string("cannot start ffmpeg: ") + std::strerror(errno);
        return -1;
    }
    return 0;
}

int encoder_write(video_encoder& encoder, const rgb_image& image, std::string& error)
{
    const uint8_t* at = image.rgb.data();
    size_t left = image.rgb.size();
    while (left > 0) {
        const ssize_t n = write(encoder.pipe_fd, at, left);
        if (n < 0 && errno == EINTR && !capture_interrupted)
            continue;
        if (n <= 0) {
            error = "ffmpeg stopped taking frames (see its message above)";
            return -1;
        }
        at += n;
        left -= size_t(n);
    }
    return 0;
}

int encoder_finish(video_encoder& encoder, const std::string& wav_path, std::string& error)
{
    close(encoder.pipe_fd);
    encoder.pipe_fd = -1;
    const int encoded = wait_ok(encoder.pid);
    encoder.pid = -1;
    if (!encoded) {
        error = "ffmpeg could not encode the video (see its message above)";
        encoder_abandon(encoder);
        return -1;
    }
    std::vector<std::string> args = quiet_args;
    const std::vector<std::string> rest = {
        "-i", encoder.video_only, "-i", wav_path, "-map", "0:v", "-map", "1:a",
        "-c:v", "copy", "-c:a", "aac", "-b:a", "192k",
        "-fflags", "+bitexact", "-flags:a", "+bitexact", "-map_metadata", "-1",
        "-movflags", "+faststart", "-f", "mp4", part_path(encoder.path)};
    args.insert(args.end(), rest.begin(), rest.end());
    encoder.pid = spawn_ffmpeg(args, nullptr);
    const int muxed = encoder.pid >= 0 && wait_ok(encoder.pid);
    encoder.pid = -1;
    if (!muxed) {
        error = "ffmpeg could not add the sound to the video (see its message above)";
        encoder_abandon(encoder);
        return -1;
    }
    unlink(encoder.video_only.c_str());
    if (publish_part(encoder.path, error) != 0) {
        encoder_abandon(encoder);
        return -1;
    }
    return 0;
}

void encoder_abandon(video_encoder& encoder)
{
    if (encoder.pipe_fd >= 0)
        close(encoder.pipe_fd);
    encoder.pipe_fd = -1;
    if (encoder.pid > 0) {
        kill(encoder.pid, SIGTERM);
        wait_ok(encoder.pid);
    }
    encoder.pid = -1;
    unlink(encoder.video_only.c_str());
    discard_part(encoder.path);
}
