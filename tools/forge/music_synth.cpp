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
