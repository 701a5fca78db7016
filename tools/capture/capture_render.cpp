// Rendering the demo to PNG frames, an MP4 and a WAV, and single frames.
#include "capture_render.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

#include "demo/demo_data.h"
#include "demo_render.h"
#include "frame_image.h"
#include "output_file.h"
#include "player/position_clock.h"
#include "progress.h"
#include "video_pipe.h"

namespace {

// Everything a render writes, so that a failure can remove all of it.
struct render_outputs {
    wav_writer wav;
    bool wav_open = false;
    std::string wav_path;           // the WAV asked for, or the video's temporary sound
    bool wav_is_temporary = false;
    video_encoder encoder;
    bool encoder_open = false;
    std::string frames_dir;
    bool frames_open = false;
};

void abandon(render_outputs& out)
{
    if (out.wav_open)
        wav_abandon(out.wav);
    if (out.wav_is_temporary)
        unlink(out.wav_path.c_str());
    if (out.encoder_open)
        encoder_abandon(out.encoder);
    if (out.frames_open)
        discard_part(out.frames_dir);
}

int fail(render_outputs& out, const std::string& error)
{
    abandon(out);
    return report_failure(error);
}

// The frames folder must be new or empty; the frames go into FOLDER.part first.
int open_frames_dir(const std::string& dir, std::string& error)
{
    struct stat info = {};
    if (stat(dir.c_str(), &info) == 0) {
        if (!S_ISDIR(info.st_mode) || rmdir(dir.c_str()) != 0) {
            error = "cannot write frames to " + dir + ": it exists and is not an empty folder";
            return -1;
        }
    }
    if (!can_create(dir, error))
        return -1;
    discard_part(dir);
    if (mkdir(part_path(dir).c_str(), 0777) != 0) {
        error = "cannot create " + part_path(dir) + ": " + std::strerror(errno);
        return -1;
    }
    return 0;
}

bool range_started(const capture_options& o, int32_t position, uint32_t now)
{
    if (o.has_from_position)
        return uint32_t(position) >= o.from_position;
    if (o.has_from_ms)
        return now >= o.from_ms;
    return true;
}

bool range_over(const capture_options& o, int32_t position, uint32_t now)
{
    if (o.has_to_position)
        return uint32_t(position) > o.to_position;
    if (o.has_to_ms)
        return now >= o.to_ms;
    return false;
}

} // namespace

int report_failure(const std::string& text)
{
    std::fprintf(stderr, "veskarra-capture: %s\n", text.c_str());
    return status_failure;
}

int run_render(const capture_options& o)
{
    install_interrupt_handlers();
    render_outputs out;
    std::string error;
    static demo_session session;
    session.fps = o.fps;

    if (!o.video.empty() && !ffmpeg_available())
        return report_failure("ffmpeg is not installed: write --frames DIR and --wav instead");
    if (!o.frames_dir.empty()) {
        if (open_frames_dir(o.frames_dir, error) != 0)
            return fail(out, error);
        out.frames_dir = o.frames_dir;
        out.frames_open = true;
    }
    if (!o.wav.empty() || !o.video.empty()) {
        out.wav_path = o.wav.empty() ? o.video + ".part-audio.wav" : o.wav;
        out.wav_is_temporary = o.wav.empty();
        if (!o.video.empty() && !can_create(o.video, error))
            return fail(out, error);
        if (wav_open(out.wav, out.wav_path, error) != 0)
            return fail(out, error);
        out.wav_open = true;
        session.tape.wav = &out.wav;
    }
    if (demo_start(session, o.data_dir.c_str(), error) != 0)
        return fail(out, error);
    if (!o.video.empty()) {
        if (encoder_start(out.encoder, o.video, frame_width * o.scale, frame_height * o.scale,
                          o.fps, error) != 0)
            return fail(out, error);
        out.encoder_open = true;
    }

    progress_meter meter;
    progress_start(meter, o.quiet);
    static rgb_image image;
    bool started = false;
    uint64_t written = 0;
    uint64_t last_written = 0;
    uint32_t now = 0;
    int32_t position = 0;
    for (uint64_t k = 0;; ++k) {
        if (capture_interrupted)
            return fail(out, "interrupted; nothing was kept");
        now = frame_time_ms(k, o.fps);
        if (demo_audio_until(session, now, error) != 0)
            return fail(out, error);
        demo_draw_frame(session, now);
        position = music_position();
        if (range_over(o, position, now))
            break;
        if (!started && range_started(o, position, now)) {
            started = true;
            if (tape_begin(session.tape, frame_first_sample(k, o.fps), error) != 0)
                return fail(out, error);
        }
        if (started) {
            if (!o.frames_dir.empty() || !o.video.empty())
                frame_to_rgb(work_frame, o.scale, image);
            if (!o.frames_dir.empty()) {
                char name[32];
                std::snprintf(name, sizeof name, "/frame_%06llu.png", (unsigned long long)k);
                if (write_png(image, part_path(o.frames_dir) + name, error) != 0)
                    return fail(out, error);
            }
            if (!o.video.empty() && encoder_write(out.encoder, image, error) != 0)
                return fail(out, error);
            ++written;
            last_written = k;
        }
        progress_show(meter, position, written, now, false);
        if (session.run.state.quit_after_frame)
            break;
    }
    progress_end(meter, position, written, now);
    if (written == 0)
        return fail(out, "no frame of the demo lies in the range asked for");

    if (out.wav_open) {
        if (tape_finish(session, frame_first_sample(last_written + 1, o.fps), error) != 0)
            return fail(out, error);
        out.wav_open = false;
        if (wav_finish(out.wav, error) != 0)
            return fail(out, error);
    }
    if (out.encoder_open) {
        out.encoder_open = false;
        if (encoder_finish(out.encoder, out.wav_path, error) != 0) {
            if (out.wav_is_temporary)
                unlink(out.wav_path.c_str());
            else if (!o.wav.empty())
                unlink(o.wav.c_str());
            return fail(out, error);
        }
        if (out.wav_is_temporary)
            unlink(out.wav_path.c_str());
    }
    if (out.frames_open) {
        if (publish_part(o.frames_dir, error) != 0)
            return fail(out, error);
        out.frames_open = false;
    }
    if (!o.quiet)
        std::fprintf(stderr, "wrote %llu frames at %d a second, %u ms of the demo\n",
                     (unsigned long long)written, o.fps,
                     unsigned((written * 1000 + uint64_t(o.fps) - 1) / uint64_t(o.fps)));
    return status_ok;
}

int run_frame_at(const capture_options& o)
{
    install_interrupt_handlers();
    std::string error;
    if (!can_create(o.png, error))
        return report_failure(error);
    static demo_session session;
    session.fps = o.fps;
    if (demo_start(session, o.data_dir.c_str(), error) != 0)
        return report_failure(error);
    // The history up to the asked time is the video's, then one frame at exactly that time.
    progress_meter meter;
    progress_start(meter, o.quiet);
    for (uint64_t k = 0;; ++k) {
        if (capture_interrupted)
            return report_failure("interrupted; nothing was kept");
        const uint32_t now = frame_time_ms(k, o.fps) < o.frame_at_ms ? frame_time_ms(k, o.fps)
                                                                     : o.frame_at_ms;
        if (demo_audio_until(session, now, error) != 0)
            return report_failure(error);
        demo_draw_frame(session, now);
        progress_show(meter, music_position(), 0, now, false);
        if (now == o.frame_at_ms)
            break;
        if (session.run.state.quit_after_frame) {
            progress_end(meter, music_position(), 0, now);
            return report_failure("the demo ends at " + std::to_string(now) +
                                  " ms, before the time asked for");
        }
    }
    progress_end(meter, music_position(), 1, o.frame_at_ms);
    static rgb_image image;
    frame_to_rgb(work_frame, o.scale, image);
    if (write_png(image, part_path(o.png), error) != 0) {
        discard_part(o.png);
        return report_failure(error);
    }
    if (publish_part(o.png, error) != 0) {
        discard_part(o.png);
        return report_failure(error);
    }
    return status_ok;
}
