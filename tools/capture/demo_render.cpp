// The virtual-clock run of the demo: start-up, the device's buffer requests, frames.
#include "demo_render.h"

#include <cstdio>
#include <cstring>

#include "demo/assets.h"
#include "demo/demo_data.h"
#include "demo/virtual_run.h"
#include "host/host.h"

namespace {

// Adds one rendered buffer to the tape, writing what falls inside the range.
int tape_take(audio_tape& tape, const int16_t* samples, uint64_t frames, std::string& error)
{
    const uint64_t first = tape.rendered;
    tape.rendered += frames;
    if (!tape.wav)
        return 0;
    if (!tape.begin_known) {
        // Keep the newest two buffers: the range starts no earlier than that.
        if (tape.kept_frames + frames > 2 * device_buffer_frames) {
            const uint64_t drop = tape.kept_frames + frames - 2 * device_buffer_frames;
            std::memmove(tape.kept, tape.kept + drop * 2, size_t(tape.kept_frames - drop) * 4);
            tape.kept_start += drop;
            tape.kept_frames -= drop;
        }
        std::memcpy(tape.kept + tape.kept_frames * 2, samples, size_t(frames) * 4);
        tape.kept_frames += frames;
        return 0;
    }
    const uint64_t from = first > tape.begin ? first : tape.begin;
    const uint64_t to = first + frames < tape.end ? first + frames : tape.end;
    if (from >= to)
        return 0;
    return wav_write(*tape.wav, samples + (from - first) * 2, to - from, error);
}

} // namespace

uint32_t frame_time_ms(uint64_t k, int fps) { return virtual_frame_ms(k, fps); }

uint64_t frame_first_sample(uint64_t k, int fps) { return k * device_rate / uint64_t(fps); }

int demo_start(demo_session& session, const char* dir, std::string& error)
{
    host_use_virtual();
    if (load_assets(dir) != 0) {
        error = std::string("cannot load the demo's data from ") + dir;
        return -1;
    }
    const char* refused = nullptr;
    if (virtual_run_start(session.run, &refused) != 0) {
        error = "the player could not open its output";
        return -1;
    }
    // As in the demo, a module that cannot be played gives way to a silent one.
    if (refused)
        std::fprintf(stderr, "veskarra-capture: %s, playing silently\n", refused);
    return 0;
}

namespace {

struct tape_sink_state {
    audio_tape* tape;
    std::string* error;
    int status;
};

void tape_sink(const int16_t* samples, int frames, void* user)
{
    tape_sink_state& sink = *static_cast<tape_sink_state*>(user);
    if (sink.status == 0)
        sink.status = tape_take(*sink.tape, samples, uint64_t(frames), *sink.error);
}

} // namespace

int demo_audio_until(demo_session& session, uint32_t ms, std::string& error)
{
    tape_sink_state sink = {&session.tape, &error, 0};
    virtual_run_audio_until(session.run, ms, tape_sink, &sink);
    return sink.status;
}

void demo_draw_frame(demo_session& session, uint32_t ms) { virtual_run_frame(session.run, ms); }

int tape_begin(audio_tape& tape, uint64_t begin, std::string& error)
{
    tape.begin = begin;
    tape.begin_known = true;
    if (!tape.wav || tape.kept_frames == 0)
        return 0;
    if (begin < tape.kept_start) {
        error = "internal error: the sound before the range was not kept";
        return -1;
    }
    const uint64_t kept_end = tape.kept_start + tape.kept_frames;
    const uint64_t to = kept_end < tape.end ? kept_end : tape.end;
    if (begin >= to)
        return 0;
    return wav_write(*tape.wav, tape.kept + (begin - tape.kept_start) * 2, to - begin, error);
}

int tape_finish(demo_session& session, uint64_t end, std::string& error)
{
    audio_tape& tape = session.tape;
    tape.end = end;
    // Buffers rendered before the end was known may reach past it: cut them off.
    if (tape.wav && tape.begin_known && end >= tape.begin && tape.wav->frames > end - tape.begin &&
        wav_truncate(*tape.wav, end - tape.begin, error) != 0)
        return -1;
    // Go on requesting buffers, as the device would, until the range is complete.
    while (tape.rendered < end) {
        const uint64_t next_due =
            session.run.buffers_requested * device_buffer_frames * 1000 / device_rate;
        if (demo_audio_until(session, uint32_t(next_due), error) != 0)
            return -1;
    }
    return 0;
}
