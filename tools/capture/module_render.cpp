// Module mode: tick-by-tick rendering, the return detection and the command.
#include "module_render.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "capture_render.h"
#include "demo/demo_data.h"
#include "host/host.h"
#include "output_file.h"
#include "player/module_loader.h"
#include "player/player_control.h"
#include "player/position_clock.h"
#include "player/replayer.h"
#include "player/sound_driver.h"
#include "audio/mixer.h"

namespace {

constexpr uint64_t one_hour_frames = 3600ull * 44100;

int keep(const int16_t* buffer, uint64_t frames, wav_writer* wav, std::vector<int16_t>* samples,
         std::string& error)
{
    if (samples)
        samples->insert(samples->end(), buffer, buffer + frames * 2);
    return wav ? wav_write(*wav, buffer, frames, error) : 0;
}

} // namespace

int32_t order_entered_by_next_tick()
{
    // The row step of the next tick, as the replayer takes it: only when the tick count
    // reaches the speed, no channel holds a pattern delay, and the row runs past 63.
    if (player.speed == 0 || player.tick + 1 < player.speed)
        return -1;
    for (int32_t c = 0; c < player.num_channels && c < max_channels; ++c)
        if (channels[c].ch_row_delay > 0)
            return -1;
    if (player.row + 1 <= 63)
        return -1;
    int32_t order = int32_t(uint32_t(player.order) + 1);
    if (uint32_t(order) >= player.song_length)
        order = player.restart_order;
    return order;
}

int render_module(uint8_t* image, uint32_t image_size, uint32_t buffer_size,
                  uint64_t frames_wanted, uint64_t cap_frames, wav_writer* wav,
                  std::vector<int16_t>* samples, module_result& result, std::string& error)
{
    result = module_result();
    host_use_virtual();
    sound_driver_reset();
    mixer_reset_state();
    replayer_reset_state();
    position_clock_reset_state();
    player_control_reset_state();
    if (player_open(44100, 4096) != 1) {
        error = "the player could not open its output";
        return -1;
    }
    if (player_load(image, image_size, buffer_size) != 1) {
        error = std::string("not a module the replayer can play: ") + (pt_error ? pt_error : "");
        return -1;
    }
    player_start(50);

    bool played[256] = {};
    static int16_t buffer[4096 * 2];
    const uint64_t limit = frames_wanted ? frames_wanted : cap_frames;
    while (result.frames < limit) {
        if (capture_interrupted) {
            error = "interrupted; nothing was kept";
            return -1;
        }
        if (!frames_wanted) {
            const int32_t entered = order_entered_by_next_tick();
            if (entered >= 0 && entered < 256) {
                if (played[entered]) {
                    result.returned = true;
                    result.return_order = entered;
                    return 0;
                }
                played[entered] = true;
            }
        }
        // The tick and its first frame, then the rest of the tick as the tempo now gives it.
        std::memset(buffer, 0, 4);
        audio_fill(nullptr, reinterpret_cast<uint8_t*>(buffer), 4);
        if (keep(buffer, 1, wav, samples, error) != 0)
            return -1;
        result.frames += 1;
        // The tick length audio_fill takes from the tempo the tick left (125 if none).
        const int64_t tempo = player.tempo > 0 ? player.tempo : 125;
        const int64_t tick = 5512500 / (tempo * 50);
        uint64_t rest = tick > 1 ? uint64_t(tick - 1) : 0;
        if (rest > limit - result.frames)
            rest = limit - result.frames;
        while (rest > 0) {
            const uint64_t chunk = rest < 4096 ? rest : 4096;
            std::memset(buffer, 0, size_t(chunk) * 4);
            audio_fill(nullptr, reinterpret_cast<uint8_t*>(buffer), int(chunk * 4));
            if (keep(buffer, chunk, wav, samples, error) != 0)
                return -1;
            result.frames += chunk;
            rest -= chunk;
        }
    }
    result.capped = !frames_wanted;
    return 0;
}

int run_module(const capture_options& o)
{
    install_interrupt_handlers();
    std::FILE* file = std::fopen(o.module_file.c_str(), "rb");
    if (!file)
        return report_failure("cannot read " + o.module_file + ": " + std::strerror(errno));
    std::memset(module_data, 0, sizeof module_data);
    module_size = uint32_t(std::fread(module_data, 1, sizeof module_data, file));
    const bool longer = std::fgetc(file) != EOF;
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed)
        return report_failure("cannot read " + o.module_file);
    if (longer)
        std::fprintf(stderr, "veskarra-capture: %s is longer than %u bytes; the rest is not read\n",
                     o.module_file.c_str(), unsigned(sizeof module_data));

    std::string error;
    wav_writer wav;
    if (wav_open(wav, o.wav, error) != 0)
        return report_failure(error);
    module_result result;
    if (render_module(module_data, module_size, sizeof module_data,
                      o.has_seconds ? o.seconds_frames : 0, one_hour_frames, &wav, nullptr,
                      result, error) != 0) {
        wav_abandon(wav);
        return report_failure(error);
    }
    if (wav_finish(wav, error) != 0)
        return report_failure(error);
    std::printf("length %llu.%03llu s (%llu frames at 44100 Hz)",
                (unsigned long long)(result.frames / 44100),
                (unsigned long long)(result.frames % 44100 * 1000 / 44100),
                (unsigned long long)result.frames);
    if (result.returned)
        std::printf(": play comes back to order entry %d\n", int(result.return_order));
    else if (result.capped)
        std::printf(": play did not come back to a played order entry within an hour\n");
    else
        std::printf(", as asked\n");
    return status_ok;
}
