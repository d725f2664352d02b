#include "synth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace koropika::sounds {

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

// Smoothing factor of a one-pole filter with the given corner frequency.
double onePoleCoefficient(double cornerHz) {
    return 1.0 - std::exp(-kTwoPi * cornerHz / kSampleRate);
}

}  // namespace

std::size_t samplesFor(double seconds) {
    return static_cast<std::size_t>(std::lround(std::max(0.0, seconds) * kSampleRate));
}

double envelope(double t, double attack, double decay) {
    if (t < 0.0) {
        return 0.0;
    }
    if (t < attack) {
        return t / attack;
    }
    return std::exp(-(t - attack) / decay);
}

void addTone(Samples& out, const Tone& tone) {
    const bool glides = tone.endFrequency > 0.0 && tone.glide > 0.0;
    double phase = 0.0;
    for (std::size_t i = samplesFor(tone.start); i < out.size(); ++i) {
        const double t = static_cast<double>(i) / kSampleRate - tone.start;
        double frequency = tone.frequency;
        if (glides) {
            const double progress = std::min(t / tone.glide, 1.0);
            frequency = tone.frequency * std::pow(tone.endFrequency / tone.frequency, progress);
        }
        out[i] += tone.amplitude * envelope(t, tone.attack, tone.decay) * std::sin(phase);
        phase = std::fmod(phase + kTwoPi * frequency / kSampleRate, kTwoPi);
    }
}

double Noise::next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return static_cast<double>(state_) / 2147483647.5 - 1.0;
}

void addNoiseBurst(Samples& out, const NoiseBurst& burst, Noise& noise) {
    for (std::size_t i = samplesFor(burst.start); i < out.size(); ++i) {
        const double t = static_cast<double>(i) / kSampleRate - burst.start;
        out[i] += burst.amplitude * envelope(t, burst.attack, burst.decay) * noise.next();
    }
}

void lowPass(Samples& samples, double cornerHz) {
    const double a = onePoleCoefficient(cornerHz);
    double state = 0.0;
    for (double& s : samples) {
        state += a * (s - state);
        s = state;
    }
}

void highPass(Samples& samples, double cornerHz) {
    const double a = onePoleCoefficient(cornerHz);
    double low = 0.0;
    for (double& s : samples) {
        low += a * (s - low);
        s -= low;
    }
}

void fadeEdges(Samples& samples, double fadeIn, double fadeOut) {
    const std::size_t n = samples.size();
    const std::size_t in = std::min(samplesFor(fadeIn), n);
    const std::size_t out = std::min(samplesFor(fadeOut), n);
    // Raised cosine from 0 (first/last sample) to 1 (inside the sound).
    const auto ramp = [](std::size_t k, std::size_t length) {
        return 0.5 - 0.5 * std::cos(std::numbers::pi * static_cast<double>(k) /
                                    static_cast<double>(length));
    };
    for (std::size_t k = 0; k < in; ++k) {
        samples[k] *= ramp(k, in);
    }
    for (std::size_t k = 0; k < out; ++k) {
        samples[n - 1 - k] *= ramp(k, out);
    }
}

double peakOf(const Samples& samples) {
    double peak = 0.0;
    for (double s : samples) {
        peak = std::max(peak, std::abs(s));
    }
    return peak;
}

void normalisePeak(Samples& samples, double peakDbfs) {
    const double peak = peakOf(samples);
    if (peak <= 0.0) {
        return;
    }
    const double gain = std::pow(10.0, peakDbfs / 20.0) / peak;
    for (double& s : samples) {
        s *= gain;
    }
}

}  // namespace koropika::sounds
