// The software mixer: the sample table, one request and one voice per channel, and the
// renderer that adds the voices into the device's interleaved stereo 16-bit buffer.
// Owns: sample entries, requests, voices, current_request, mix_channels, master_volume,
// mix_rate.
#include "audio/mixer.h"

#include <cmath>
#include <cstring>

#include "player/sound_driver.h"

namespace {

struct sample_entry {
    const int8_t* data;   // first byte inside the module image, not owned
    uint32_t length;
    uint32_t loop_start;
    uint32_t loop_end;    // inclusive; at most length (the byte at length may be read)
    int looped;
};

constexpr mixer_voice idle_voice = {nullptr, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 127, 1, 1};

struct mixer_state {
    sample_entry samples[mixer_max_samples];
    mixer_voice requests[mixer_max_channels];
    mixer_voice voices[mixer_max_channels];
    // Takes the operations aimed at channels outside the tables; never rendered.
    mixer_voice discarded_request;
    mixer_voice* current_request;
    int mix_channels;
    int master_volume;
    int mix_rate;
};

mixer_state mixer = {
    {},
    {},
    {},
    idle_voice,
    &mixer.discarded_request,   // no channel chosen yet: operations go nowhere
    4,                          // mix_channels
    63,                         // master_volume
    44100,                      // mix_rate
};

// --- voice operations (through sound_driver) ---

int mixer_add_sample(int index, const int8_t* data, int length, int loop_start, int loop_end,
                     int looped)
{
    if (static_cast<uint32_t>(index) >= static_cast<uint32_t>(mixer_max_samples))
        return 1;
    sample_entry& s = mixer.samples[index];
    uint32_t len = static_cast<uint32_t>(length);
    uint32_t start = static_cast<uint32_t>(loop_start);
    uint32_t end = static_cast<uint32_t>(loop_end);
    // The loader takes loop start and length from the file unchecked. The voice reads up to
    // the byte at loop_end and restarts at loop_start + 1, so both are kept within
    // 0..length: the byte one past the sample stays readable (it is inside the module
    // buffer), nothing further is.
    if (end > len)
        end = len;
    if (len == 0)
        start = 0;
    else if (start >= len)
        start = len - 1;
    s.data = data;
    s.length = len;
    s.loop_start = start;
    s.loop_end = end;
    s.looped = looped;
    return 1;
}

void mixer_select_channel(int channel)
{
    if (static_cast<uint32_t>(channel) < static_cast<uint32_t>(mixer_max_channels))
        mixer.current_request = &mixer.requests[channel];
    else
        mixer.current_request = &mixer.discarded_request;
}

void mixer_set_sample(int index)
{
    if (static_cast<uint32_t>(index) >= static_cast<uint32_t>(mixer_max_samples))
        return;
    const sample_entry& s = mixer.samples[index];
    mixer_voice& r = *mixer.current_request;
    r.sample = index;
    r.data = s.data;
    r.length = s.length;
    r.loop_start = s.loop_start;
    r.loop_end = s.loop_end;
    r.looped = s.looped;
}

void mixer_set_channels(int count)
{
    mixer.mix_channels = count > mixer_max_channels ? mixer_max_channels : count;
}

void mixer_set_position(uint32_t offset)
{
    mixer_voice& r = *mixer.current_request;
    if (offset > r.loop_end)
        r.looped = 0;
    if (offset < r.length) {
        r.position = offset;
        r.fraction = 0;
        r.position_set = 1;
    }
}

void mixer_set_volume(int volume) { mixer.current_request->volume = volume; }

void mixer_set_panning(int pan) { mixer.current_request->panning = pan; }

void mixer_set_master_volume(int volume)
{
    mixer.master_volume = volume > 252 ? 252 : volume;
}

// Step per output frame, 32.32: the whole part from two truncating integer divisions, the
// fraction from the double quotient, kept to 24 bits and shifted into the upper bits.
// A negative period yields the bit patterns of a negative step: the voice runs backwards.
void mixer_set_period(int period)
{
    mixer_voice& r = *mixer.current_request;
    r.step_set = 1;
    if (period == 0 || mixer.mix_rate <= 0) {
        r.step = 0;
        r.step_fraction = 0;
        return;
    }
    int32_t whole = (3546836 / period) / mixer.mix_rate;
    double quotient = 3546836.0 / (static_cast<double>(period) * mixer.mix_rate);
    double int_part;
    double frac_part = std::modf(quotient, &int_part);
    int32_t frac24 = static_cast<int32_t>(frac_part * 16777216.0);
    r.step = static_cast<uint32_t>(whole);
    r.step_fraction = static_cast<uint32_t>(frac24) << 8;
}

// --- rendering ---

// Adds one voice into `frames` frames (or only advances it when stream is null).
// Positions are 32.32 byte indexes; the position advances before the byte is read.
void mix_voice(mixer_voice& v, int16_t* stream, int frames, uint32_t left_gain,
               uint32_t right_gain)
{
    uint16_t* out = reinterpret_cast<uint16_t*>(stream);
    for (int f = 0; f < frames; ++f) {
        uint32_t old_fraction = v.fraction;
        v.fraction += v.step_fraction;
        v.position += v.step + (v.fraction < old_fraction ? 1u : 0u);
        if (v.looped) {
            if (v.position > v.loop_end)
                v.position = v.loop_start + 1;
        } else if (v.position >= v.length) {
            v.volume = 0;
            v.position = 0;
            v.step = 0;
            v.step_fraction = 0;
            return;
        }
        if (out) {
            // Sums wrap modulo 2^16: computed in uint32_t, stored through uint16_t.
            uint32_t s = static_cast<uint32_t>(static_cast<int32_t>(v.data[v.position]));
            out[0] = static_cast<uint16_t>(out[0] + s * left_gain);
            out[1] = static_cast<uint16_t>(out[1] + s * right_gain);
            out += 2;
        }
    }
}

} // namespace

void mixer_register()
{
    sound_driver.add_sample = mixer_add_sample;
    sound_driver.select_channel = mixer_select_channel;
    sound_driver.set_sample = mixer_set_sample;
    sound_driver.set_channels = mixer_set_channels;
    sound_driver.set_position = mixer_set_position;
    sound_driver.set_volume = mixer_set_volume;
    sound_driver.set_panning = mixer_set_panning;
    sound_driver.set_master_volume = mixer_set_master_volume;
    sound_driver.set_period = mixer_set_period;
}

void mixer_init(int rate, int)
{
    mixer.mix_rate = rate;
    for (int c = 0; c < mixer_max_channels; ++c) {
        mixer.requests[c] = idle_voice;
        mixer.voices[c] = idle_voice;
    }
    // Length too: an entry keeps no stale length beside its null data.
    for (sample_entry& s : mixer.samples)
        s = sample_entry{nullptr, 0, 0, 0, 0};
}

void mixer_render(int16_t* stream, int frames)
{
    if (mixer.mix_channels <= 0)
        return;
    const int channels = mixer.mix_channels;
    for (int c = 0; c < channels; ++c) {
        mixer_voice& r = mixer.requests[c];
        mixer_voice& v = mixer.voices[c];
        const mixer_voice before = v;
        v = r;
        if (r.position_set) {
            r.position_set = 0;
        } else {
            v.position = before.position;
            v.fraction = before.fraction;
        }
        if (r.step_set) {
            r.step_set = 0;
        } else {
            v.step = before.step;
            v.step_fraction = before.step_fraction;
        }
    }
    const uint32_t master = static_cast<uint32_t>(mixer.master_volume);
    for (int c = 0; c < channels; ++c) {
        mixer_voice& v = mixer.voices[c];
        // (master * volume * pan >> 7) / 63, unsigned and truncating: the same as / 8064.
        const uint32_t volume = static_cast<uint32_t>(v.volume);
        const uint32_t pan = static_cast<uint32_t>(v.panning);
        const uint32_t left_gain = ((master * volume * pan) >> 7) / 63;
        const uint32_t right_gain = ((master * volume * (255u - pan)) >> 7) / 63;
        if (v.length == 0 || v.volume == 0 || v.data == nullptr)
            continue;
        mix_voice(v, stream, frames, left_gain, right_gain);
    }
}

void mixer_reset_state()
{
    for (sample_entry& s : mixer.samples)
        s = sample_entry{nullptr, 0, 0, 0, 0};
    for (int c = 0; c < mixer_max_channels; ++c) {
        mixer.requests[c] = mixer_voice{};
        mixer.voices[c] = mixer_voice{};
    }
    mixer.discarded_request = idle_voice;
    mixer.current_request = &mixer.discarded_request;
    mixer.mix_channels = 4;
    mixer.master_volume = 63;
    mixer.mix_rate = 44100;
}

const mixer_voice& mixer_voice_of(int channel) { return mixer.voices[channel]; }
const mixer_voice& mixer_request_of(int channel) { return mixer.requests[channel]; }
int mixer_channel_count() { return mixer.mix_channels; }
int mixer_master_volume() { return mixer.master_volume; }
