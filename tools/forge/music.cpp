// The composition: instruments chosen from the synthesiser, patterns written row by row,
// and the order list that carries the demo's timeline (position = order * 100 + row).
#include "music.h"

namespace {

// A looped tone: `cycles` periods of `cycle` bytes from the harmonic amplitudes given,
// looped over all of them, with two bytes past the loop so the mixer's read at the loop
// end stays inside the sample.
forge_sample looped_tone(const char* name, int cycle, int cycles, const std::vector<double>& harmonics,
                         int peak, uint8_t volume)
{
    std::vector<double> wave;
    int length = cycle * cycles + 2;
    for (int i = 0; i < length; i++) {
        double v = 0.0;
        for (size_t h = 0; h < harmonics.size(); h++)
            v += harmonics[h] * forge_sin(6.283185307179586 * double(h + 1) * double(i % cycle) / double(cycle));
        wave.push_back(v);
    }
    forge_sample s;
    s.name = name;
    s.data = forge_quantize(wave, peak);
    s.volume = volume;
    s.loop_start = 0;
    s.loop_length = uint32_t(cycle * cycles);
    return s;
}

forge_sample drum(const char* name, int note, double seconds, double f0, double f1, double tone_decay,
                  double noise_amount, double noise_decay, double noise_cut, int peak)
{
    forge_rng rng;
    double rate = forge_note_rate(note);
    int length = int(seconds * rate);
    std::vector<double> wave;
    double phase = 0.0, freq = f0, tone_env = 1.0, noise_env = 1.0, low = 0.0;
    double freq_step = 1.0 - 30.0 / rate;
    double tone_step = 1.0 - 1.0 / (tone_decay * rate);
    double noise_step = 1.0 - 1.0 / (noise_decay * rate);
    for (int i = 0; i < length; i++) {
        phase += freq / rate;
        freq = f1 + (freq - f1) * freq_step;
        double n = rng.noise();
        low += noise_cut * (n - low);
        double v = tone_env * forge_sin(6.283185307179586 * phase) + noise_amount * noise_env * (n - low);
        tone_env *= tone_step;
        noise_env *= noise_step;
        wave.push_back(v);
    }
    forge_sample s;
    s.name = name;
    s.data = forge_quantize(wave, peak);
    return s;
}

constexpr int smp_kick = 1, smp_snare = 2, smp_hat = 3, smp_bass = 4, smp_lead = 5;

void put(forge_pattern& p, int row, int channel, int sample, int note, int command = 0, int param = 0)
{
    forge_cell& c = p.cells[row][channel];
    c.sample = uint8_t(sample);
    c.note = uint8_t(note);
    c.command = uint8_t(command);
    c.param = uint8_t(param);
}

} // namespace

forge_song forge_compose()
{
    forge_song song;
    song.title = "trevakul 4";
    song.samples[smp_kick - 1] = drum("kick", 48, 0.30, 170.0, 48.0, 0.12, 0.2, 0.004, 0.5, 120);
    song.samples[smp_snare - 1] = drum("snare", 48, 0.22, 200.0, 180.0, 0.05, 1.6, 0.07, 0.3, 110);
    song.samples[smp_hat - 1] = drum("hat", 59, 0.06, 0.0, 0.0, 0.001, 1.0, 0.015, 0.7, 90);
    song.samples[smp_bass - 1] = looped_tone("bass", 64, 4, {1.0, 0.5, 0.33, 0.25, 0.2, 0.16}, 110, 52);
    song.samples[smp_lead - 1] = looped_tone("lead", 32, 8, {1.0, 0.0, 0.33, 0.0, 0.2}, 100, 40);

    // A minor, F, C, G: one chord a bar, four bars a pattern.
    const int roots[4] = {33, 29, 24, 31};
    for (int variant = 0; variant < 2; variant++) {
        forge_pattern p;
        for (int bar = 0; bar < 4; bar++) {
            int r0 = bar * 16;
            for (int beat = 0; beat < 4; beat++) {
                int r = r0 + beat * 4;
                if (variant == 1)
                    put(p, r, 0, beat % 2 ? smp_snare : smp_kick, 48);
                else
                    put(p, r, 0, smp_hat, 59);
                put(p, r + 2, 0, smp_hat, 59);
                put(p, r, 1, smp_bass, roots[bar], 0, 0);
                put(p, r + 2, 1, smp_bass, roots[bar] + 12);
            }
            put(p, r0, 3, smp_lead, roots[bar] + 24, 0x4, 0x24);
            put(p, r0 + 8, 3, smp_lead, roots[bar] + 31, 0x4, 0x24);
        }
        song.patterns.push_back(p);
    }
    song.orders = {0, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
    song.restart = 0;
    return song;
}

std::vector<uint8_t> forge_module()
{
    return forge_write_module(forge_compose());
}
