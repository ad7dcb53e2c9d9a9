#include "wave_synth.h"

#include <cmath>
#include <vector>

#include "fmath.h"
#include "prng.h"

namespace {

constexpr double kRate = 8000.0;
constexpr int kWarmUp = 4000; // lets the filters settle before the first kept sample

// One-pole low-pass; a high-pass is the input minus its low-passed self.
struct OnePole {
    double a = 0.0, state = 0.0;
    explicit OnePole(double cutoffHz) : a(fm::exp(-fm::kTwoPi * cutoffHz / kRate)) {}
    double low(double x) {
        state = x + a * (state - x);
        return state;
    }
    double high(double x) { return x - low(x); }
};

// Two-pole resonator (band-pass) of the kind used for bubbling water.
struct Resonator {
    double b0, a1, a2, y1 = 0.0, y2 = 0.0;
    Resonator(double centreHz, double bandwidthHz) {
        double r = fm::exp(-fm::kPi * bandwidthHz / kRate);
        a1 = 2.0 * r * fm::cos(fm::kTwoPi * centreHz / kRate);
        a2 = -r * r;
        b0 = 1.0 - r;
    }
    double step(double x) {
        double y = b0 * x + a1 * y1 + a2 * y2;
        y2 = y1;
        y1 = y;
        return y;
    }
};

// One channel's signal before the loop is closed. `shared` carries the
// part common to both ears, so the stereo image is wide but not hollow.
struct ChannelVoice {
    OnePole rumble1{90.0}, rumble2{140.0}, rumbleHigh{25.0};
    Resonator splashBand;
    OnePole hissHigh{500.0}, hissLow{3200.0};
    explicit ChannelVoice(double splashHz) : splashBand(splashHz, 900.0) {}

    double step(double white, const WaterSoundParams& p, double swell, double burst) {
        double r = rumble2.low(rumble1.low(white));
        r = rumbleHigh.high(r) * 7.0;
        double s = splashBand.step(white) * 2.2 * (0.6 + 0.8 * swell);
        double h = hissLow.low(hissHigh.high(white));
        return p.rumble * r + p.splash * s + p.hiss * h * (0.85 + 0.3 * swell) + burst;
    }
};

// Rounds off the rare peaks of the bursts instead of clipping them hard.
double softClip(double x) { return x / (1.0 + 0.3 * std::fabs(x)); }

} // namespace

StereoPcm synthesiseWater(const WaterSoundParams& p) {
    const int total = kWarmUp + p.frames + p.crossfade;
    Pcg32 rng(p.seed, 0x5A7E12ull);
    ChannelVoice voices[2] = {ChannelVoice(1100.0), ChannelVoice(1350.0)};
    OnePole swellFilter[2] = {OnePole(1.5), OnePole(1.5)};
    std::vector<double> raw[2];
    raw[0].resize(static_cast<size_t>(total));
    raw[1].resize(static_cast<size_t>(total));

    double burstEnv[2] = {0.0, 0.0};
    const double burstDecay = fm::exp(-1.0 / (0.09 * kRate));
    OnePole burstTone[2] = {OnePole(1800.0), OnePole(1800.0)};
    for (int i = 0; i < total; ++i) {
        double shared = rng.gauss();
        for (int c = 0; c < 2; ++c) {
            double white = 0.55 * shared + 0.83 * rng.gauss();
            // Slow swells: low-passed noise, scaled up to a useful depth.
            double sw = swellFilter[c].low(rng.gauss()) * 9.0 * p.swell;
            if (p.bursts > 0.0f && rng.unit() < p.bursts / kRate) burstEnv[c] += 0.5 + rng.unit();
            burstEnv[c] *= burstDecay;
            double burst = burstTone[c].high(rng.gauss()) * burstEnv[c] * 0.9;
            raw[c][static_cast<size_t>(i)] = voices[c].step(white, p, sw, burst);
        }
    }

    // Close the loop: over the first `crossfade` frames the head fades in
    // while the continuation of the tail fades out (equal power, since the
    // two are uncorrelated noise), so the last frame runs on into the first.
    std::vector<double> loop[2];
    for (int c = 0; c < 2; ++c) {
        loop[c].resize(static_cast<size_t>(p.frames));
        for (int i = 0; i < p.frames; ++i) {
            double head = raw[c][static_cast<size_t>(kWarmUp + i)];
            if (i < p.crossfade) {
                double t = (static_cast<double>(i) + 0.5) / p.crossfade * fm::kPi * 0.5;
                double tail = raw[c][static_cast<size_t>(kWarmUp + p.frames + i)];
                head = head * fm::sin(t) + tail * fm::cos(t);
            }
            loop[c][static_cast<size_t>(i)] = head;
        }
    }

    double sumSq = 0.0;
    for (int c = 0; c < 2; ++c)
        for (double v : loop[c]) sumSq += v * v;
    double gain = p.level / std::sqrt(sumSq / (2.0 * p.frames));

    StereoPcm pcm;
    pcm.sampleRate = static_cast<int>(kRate);
    pcm.left.resize(static_cast<size_t>(p.frames));
    pcm.right.resize(static_cast<size_t>(p.frames));
    for (int c = 0; c < 2; ++c) {
        std::vector<int16_t>& out = c == 0 ? pcm.left : pcm.right;
        for (int i = 0; i < p.frames; ++i) {
            double v = softClip(loop[c][static_cast<size_t>(i)] * gain) * 32767.0;
            v = std::floor(v + 0.5);
            if (v > 32767.0) v = 32767.0;
            if (v < -32768.0) v = -32768.0;
            out[static_cast<size_t>(i)] = static_cast<int16_t>(v);
        }
    }
    return pcm;
}

WaterSoundParams farWaterSound() {
    WaterSoundParams p;
    p.frames = 10000;
    p.crossfade = 1600;
    p.seed = 148;
    p.rumble = 1.0f;
    p.splash = 0.35f;
    p.hiss = 1.5f;
    p.swell = 0.15f;
    p.bursts = 0.0f;
    p.level = 0.12f;
    return p;
}

WaterSoundParams nearWaterSound() {
    WaterSoundParams p;
    p.frames = 21120;
    p.crossfade = 2400;
    p.seed = 152;
    p.rumble = 1.4f;
    p.splash = 0.8f;
    p.hiss = 1.6f;
    p.swell = 0.35f;
    p.bursts = 6.0f;
    p.level = 0.22f;
    return p;
}
