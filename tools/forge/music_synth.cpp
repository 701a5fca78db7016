// The synthesiser of the demo's samples: drums, bass, chords, pad and lead, built from the
// forge's own sine and noise with one-pole filters. Plain doubles, no library maths.
#include <cmath>

#include "music.h"

namespace {

constexpr double two_pi = 6.283185307179586;
constexpr double pi = 3.141592653589793;

} // namespace

uint32_t forge_rng::next()
{
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
}

double forge_rng::noise()
{
    return double(next() >> 8) / 8388608.0 - 1.0;
}

double forge_sin(double x)
{
    // Reduce to [-pi, pi], then fold to [-pi/2, pi/2] where the odd series converges fast.
    x -= two_pi * std::floor(x / two_pi + 0.5);
    if (x > pi / 2)
        x = pi - x;
    else if (x < -pi / 2)
        x = -pi - x;
    double x2 = x * x;
    double term = x;
    double sum = x;
    for (int k = 1; k <= 9; k++) {
        term = -term * x2 / double((2 * k) * (2 * k + 1));
        sum += term;
    }
    return sum;
}

double forge_note_rate(int note)
{
    return 3546836.0 / double(forge_periods[note]);
}

std::vector<int8_t> forge_quantize(const std::vector<double>& wave, int peak)
{
    double largest = 0.0;
    for (double v : wave)
        largest = std::fmax(largest, std::fabs(v));
    double scale = largest > 0.0 ? double(peak) / largest : 0.0;
    std::vector<int8_t> out;
    out.reserve(wave.size() + 1);
    for (double v : wave) {
        double r = std::floor(v * scale + 0.5);
        if (r > 127.0)
            r = 127.0;
        if (r < -127.0)
            r = -127.0;
        out.push_back(int8_t(r));
    }
    if (out.size() & 1)
        out.push_back(0);
    return out;
}

namespace {

// One-pole low-pass: y += a (x - y).
struct one_pole {
    double y = 0.0;
    double run(double x, double a)
    {
        y += a * (x - y);
        return y;
    }
};

// Per-sample factor of an exponential decay with time constant `tau` seconds.
double decay_step(double tau, double rate)
{
    return 1.0 - 1.0 / (tau * rate);
}

// Soft saturation that keeps the sign and bounds the result by 1.
double soft_clip(double x)
{
    return x / (1.0 + std::fabs(x));
}

// A sample played once. Its first byte is 0: a voice that has run past its end keeps adding
// that byte to every frame until the next note, and the mixer never plays it otherwise
// (the position advances before the first read).
forge_sample one_shot(const char* name, const std::vector<double>& wave, int peak, uint8_t volume)
{
    forge_sample s;
    s.name = name;
    s.data = forge_quantize(wave, peak);
    s.data[0] = 0;
    s.volume = volume;
    return s;
}

// A looped sample: `wave` holds the attack and then whole periods; the last `loop_length`
// bytes form the loop, and two more bytes repeat the loop's start so the mixer's read at
// the loop end lands on the right value inside the sample.
forge_sample looped(const char* name, std::vector<double> wave, size_t loop_length, int peak, uint8_t volume)
{
    size_t loop_start = wave.size() - loop_length;
    wave.push_back(wave[loop_start]);
    wave.push_back(wave[loop_start + 1]);
    forge_sample s = one_shot(name, wave, peak, volume);
    s.loop_start = uint32_t(loop_start);
    s.loop_length = uint32_t(loop_length);
    return s;
}

// The kick's body: a sine falling from f0 to f1 with a click, at `rate`.
std::vector<double> kick_body(double rate, double seconds, forge_rng& rng)
{
    std::vector<double> wave;
    double phase = 0.0, freq = 160.0, env = 1.0;
    double freq_step = decay_step(0.035, rate), env_step = decay_step(0.16, rate);
    int length = int(seconds * rate);
    for (int i = 0; i < length; i++) {
        phase += freq / rate;
        freq = 44.0 + (freq - 44.0) * freq_step;
        double click = i < int(0.002 * rate) ? 0.6 * rng.noise() : 0.0;
        wave.push_back(soft_clip(2.2 * env * forge_sin(two_pi * phase)) + click);
        env *= env_step;
    }
    return wave;
}

// Six detuned square waves and noise, band-passed: the metal of the hats and the crash.
std::vector<double> metal(double rate, double seconds, double tau, forge_rng& rng)
{
    static const double freqs[6] = {317.0, 465.0, 541.0, 723.0, 838.0, 1193.0};
    std::vector<double> wave;
    one_pole low1, low2;
    double env = 1.0, step = decay_step(tau, rate);
    int length = int(seconds * rate);
    for (int i = 0; i < length; i++) {
        double t = double(i) / rate;
        double sq = 0.0;
        for (double f : freqs)
            sq += forge_sin(two_pi * f * 5.3 * t) > 0.0 ? 1.0 : -1.0;
        double x = 0.25 * sq + 1.2 * rng.noise();
        double band = low1.run(x, 0.85) - low2.run(x, 0.18);
        wave.push_back(env * band);
        env *= step;
    }
    return wave;
}

} // namespace

forge_sample forge_kick()
{
    forge_rng rng;
    return one_shot("kick", kick_body(forge_note_rate(forge_drum_note), 0.34, rng), 124, 64);
}

forge_sample forge_snare()
{
    forge_rng rng;
    rng.state = 0x9E3779B9u;
    double rate = forge_note_rate(forge_drum_note);
    std::vector<double> wave;
    one_pole low1, low2;
    double tone = 1.0, noise = 1.0;
    double tone_step = decay_step(0.045, rate), noise_step = decay_step(0.085, rate);
    int length = int(0.26 * rate);
    for (int i = 0; i < length; i++) {
        double t = double(i) / rate;
        double body = 0.6 * forge_sin(two_pi * 185.0 * t) + 0.35 * forge_sin(two_pi * 330.0 * t);
        double n = rng.noise();
        double band = low1.run(n, 0.9) - low2.run(n, 0.08);
        wave.push_back(soft_clip(1.6 * (tone * body + 1.4 * noise * band)));
        tone *= tone_step;
        noise *= noise_step;
    }
    return one_shot("snare", wave, 122, 58);
}

forge_sample forge_tom()
{
    double rate = forge_note_rate(forge_drum_note);
    std::vector<double> wave;
    double phase = 0.0, freq = 190.0, env = 1.0;
    double freq_step = decay_step(0.12, rate), env_step = decay_step(0.14, rate);
    int length = int(0.36 * rate);
    for (int i = 0; i < length; i++) {
        phase += freq / rate;
        freq = 110.0 + (freq - 110.0) * freq_step;
        wave.push_back(soft_clip(1.8 * env * forge_sin(two_pi * phase)));
        env *= env_step;
    }
    return one_shot("tom", wave, 122, 56);
}

forge_sample forge_closed_hat()
{
    forge_rng rng;
    rng.state = 0x85EBCA6Bu;
    return one_shot("closed hat", metal(forge_note_rate(forge_cymbal_note), 0.07, 0.016, rng), 110, 34);
}

forge_sample forge_open_hat()
{
    forge_rng rng;
    rng.state = 0xC2B2AE35u;
    return one_shot("open hat", metal(forge_note_rate(forge_cymbal_note), 0.40, 0.13, rng), 110, 30);
}

forge_sample forge_crash_kick()
{
    forge_rng rng;
    rng.state = 0x27D4EB2Fu;
    double rate = forge_note_rate(forge_cymbal_note);
    std::vector<double> kick = kick_body(rate, 0.34, rng);
    std::vector<double> wave = metal(rate, 1.05, 0.38, rng);
    for (size_t i = 0; i < kick.size(); i++)
        wave[i] = 0.55 * wave[i] + 0.9 * kick[i];
    for (size_t i = kick.size(); i < wave.size(); i++)
        wave[i] *= 0.55;
    return one_shot("crash+kick", wave, 124, 60);
}

// Noise through a resonant band-pass sweeping up, growing louder: the lead-in to a drop.
forge_sample forge_riser()
{
    forge_rng rng;
    rng.state = 0x165667B1u;
    double rate = forge_note_rate(forge_drum_note);
    std::vector<double> wave;
    double low = 0.0, band = 0.0;
    int length = int(1.9 * rate);
    for (int i = 0; i < length; i++) {
        double t = double(i) / double(length);
        double cutoff = 250.0 + 5200.0 * t * t;
        double f = 2.0 * forge_sin(pi * cutoff / rate);
        double high = rng.noise() - low - 0.25 * band;
        band += f * high;
        low += f * band;
        wave.push_back((0.08 + 0.92 * t * t) * band);
    }
    return one_shot("riser", wave, 118, 44);
}

// Two-operator FM bell, decaying over a second: a C5 on C-3.
forge_sample forge_bell()
{
    double rate = forge_note_rate(forge_drum_note);
    double freq = rate / 32.0;
    std::vector<double> wave;
    double env = 1.0, index = 2.4;
    double env_step = decay_step(0.38, rate), index_step = decay_step(0.2, rate);
    int length = int(1.0 * rate);
    for (int i = 0; i < length; i++) {
        double t = double(i) / rate;
        double attack = i < 40 ? double(i) / 40.0 : 1.0;
        double mod = index * forge_sin(two_pi * freq * 3.5 * t);
        wave.push_back(attack * env * forge_sin(two_pi * freq * t + mod));
        env *= env_step;
        index *= index_step;
    }
    return one_shot("bell", wave, 120, 48);
}

// Saw bass: bright on the attack, settling to a darker steady tone that loops.
forge_sample forge_bass()
{
    const int cycle = 64, cycles = 32, loop_cycles = 4, settle = 20;
    std::vector<double> wave;
    for (int j = 0; j < cycles; j++) {
        double bright = j < settle ? 0.92 - 0.37 * double(j) / double(settle) : 0.55;
        double amp = j < settle ? 1.0 - 0.3 * double(j) / double(settle) : 0.7;
        for (int i = 0; i < cycle; i++) {
            double v = 0.6 * forge_sin(two_pi * double(i) / cycle);   // sub weight on the fundamental
            double a = 1.0;
            for (int k = 1; k < cycle / 2 - 2; k++) {
                a *= bright;
                v += a / double(k) * forge_sin(two_pi * double(k * i) / cycle);
            }
            wave.push_back(amp * v);
        }
    }
    return looped("bass", wave, size_t(cycle * loop_cycles), 124, 58);
}

// A triad in just intonation on a 150-byte root cycle (A2 on C-3 at finetune -2), each
// tone a soft saw; the loop holds whole cycles of every tone.
forge_sample forge_pad(bool major)
{
    const int cycles_minor[4] = {150, 125, 100, 75};
    const int cycles_major[4] = {150, 120, 100, 75};
    const int* tones = major ? cycles_major : cycles_minor;
    const int loop = major ? 1200 : 1500;
    std::vector<double> wave;
    for (int i = 0; i < loop; i++) {
        double v = 0.0;
        for (int n = 0; n < 4; n++) {
            double a = n == 3 ? 0.5 : 1.0;
            for (int k = 1; 2 * k < tones[n] && k < 12; k++) {
                a *= 0.62;
                v += a / double(k) * forge_sin(two_pi * double(k * (i % tones[n])) / tones[n]);
            }
        }
        wave.push_back(v);
    }
    forge_sample s = looped(major ? "pad major" : "pad minor", wave, size_t(loop), 122, 40);
    s.finetune = 14;
    return s;
}

// A square wave softened by a low-pass: the chip chords.
forge_sample forge_pulse()
{
    const int cycle = 32, loops = 4;
    std::vector<double> wave;
    one_pole lp;
    for (int j = 0; j < loops * 8; j++)
        for (int i = 0; i < cycle; i++)
            wave.push_back(lp.run(i < cycle / 2 ? 1.0 : -1.0, 0.55));
    // The filter has settled after the first loops: keep the last 8 cycles, all alike.
    wave.erase(wave.begin(), wave.end() - 8 * cycle);
    return looped("pulse", wave, size_t(8 * cycle), 118, 30);
}

// Saw plus a pulse whose width sweeps up and back over 64 cycles, low-passed: the lead.
forge_sample forge_lead()
{
    const int cycle = 32, sweep = 64;
    std::vector<double> wave;
    one_pole lp;
    for (int pass = 0; pass < 2; pass++) {
        wave.clear();
        for (int j = 0; j < sweep; j++) {
            double tri = j < sweep / 2 ? double(j) / (sweep / 2) : double(sweep - j) / (sweep / 2);
            int width = 4 + int(12.0 * tri + 0.5);
            for (int i = 0; i < cycle; i++) {
                double saw = 1.0 - 2.0 * double(i) / cycle;
                double pulse = i < width ? 1.0 : -1.0;
                wave.push_back(lp.run(0.55 * saw + 0.6 * pulse, 0.6));
            }
        }
    }
    // The narrow pulses carry a DC offset: take each cycle's mean out.
    for (int j = 0; j < sweep; j++) {
        double mean = 0.0;
        for (int i = 0; i < cycle; i++)
            mean += wave[size_t(j * cycle + i)];
        mean /= cycle;
        for (int i = 0; i < cycle; i++)
            wave[size_t(j * cycle + i)] -= mean;
    }
    return looped("lead", wave, size_t(cycle * sweep), 120, 44);
}
