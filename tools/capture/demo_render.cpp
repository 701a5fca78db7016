// The virtual-clock run of the demo: start-up, the device's buffer requests, frames.
#include "demo_render.h"

#include <cstring>

#include "demo/assets.h"
#include "demo/demo_data.h"
#include "demo/startup.h"
#include "host/host.h"
#include "player/player_control.h"
#include "player/position_clock.h"

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

uint32_t frame_time_ms(uint64_t k, int fps) { return uint32_t(k * 1000 / uint64_t(fps)); }

uint64_t frame_first_sample(uint64_t k, int fps) { return k * device_rate / uint64_t(fps); }

int demo_start(demo_session& session, const char* dir, std::string& error)
{
    host_use_virtual();
    virtual_ticks = 0;
    if (load_assets(dir) != 0) {
        error = std::string("cannot load the demo's data from ") + dir;
        return -1;
    }
    if (player_open(device_rate, device_buffer_frames) != 1 || !virtual_audio_callback) {
        error = "the player could not open its output";
        return -1;
    }
    if (player_load(module_data, module_size, sizeof module_data) != 1) {
        error = std::string("the module in ") + dir + " cannot be played";
        return -1;
    }
    prepare_scenes();
    player_start(50);
    update_music_position();
    session.state = frame_loop_state();
    session.buffers_requested = 0;
    return 0;
}

int demo_audio_until(demo_session& session, uint32_t ms, std::string& error)
{
    static int16_t buffer[device_buffer_frames * 2];
    for (;;) {
        const uint64_t j = session.buffers_requested;
        const uint64_t due = j * device_buffer_frames * 1000 / device_rate;
        if (due > ms)
            return 0;
        virtual_ticks = uint32_t(due);
        // The device hands the callback a buffer of silence, as SDL does before every call.
        std::memset(buffer, 0, sizeof buffer);
        if (!virtual_audio_paused && virtual_audio_callback)
            virtual_audio_callback(nullptr, reinterpret_cast<uint8_t*>(buffer), sizeof buffer);
        session.buffers_requested = j + 1;
        if (tape_take(session.tape, buffer, device_buffer_frames, error) != 0)
            return -1;
    }
}

void demo_draw_frame(demo_session& session, uint32_t ms)
{
    virtual_ticks = ms;
    frame_draw_scene(session.state);
    frame_fast_forward(session.state);
    frame_finish(session.state);
}

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
            session.buffers_requested * device_buffer_frames * 1000 / device_rate;
        if (demo_audio_until(session, uint32_t(next_due), error) != 0)
            return -1;
    }
    return 0;
}
