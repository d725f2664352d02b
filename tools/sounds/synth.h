// Small building blocks for the synthesised sound cues: a buffer of samples in [-1, 1] at a fixed
// rate, an attack/decay envelope, sine partials with an optional pitch glide, a seeded noise
// source, one-pole filters, edge fades and peak normalisation.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace koropika::sounds {

inline constexpr int kSampleRate = 44100;

using Samples = std::vector<double>;

// Number of samples that cover `seconds` (rounded to the nearest sample).
std::size_t samplesFor(double seconds);

// Linear rise over `attack` seconds, then exponential fall with time constant `decay` seconds.
// `t` is the time since the start of the sound; the envelope is 0 before it starts.
double envelope(double t, double attack, double decay);

// One decaying sine partial added into a buffer.
struct Tone {
    double start = 0.0;         // seconds from the start of the buffer
    double frequency = 0.0;     // Hz at the start
    double endFrequency = 0.0;  // Hz reached after `glide` seconds; 0 keeps `frequency`
    double glide = 0.0;         // seconds of the exponential pitch glide
    double amplitude = 1.0;
    double attack = 0.001;
    double decay = 0.05;
};
void addTone(Samples& out, const Tone& tone);

// Deterministic white noise in [-1, 1] (xorshift32), so every build writes the same files.
class Noise {
  public:
    explicit Noise(std::uint32_t seed) : state_(seed != 0 ? seed : 1u) {}
    double next();

  private:
    std::uint32_t state_;
};

// A burst of noise shaped by `envelope`, added into a buffer.
struct NoiseBurst {
    double start = 0.0;
    double amplitude = 1.0;
    double attack = 0.0005;
    double decay = 0.005;
};
void addNoiseBurst(Samples& out, const NoiseBurst& burst, Noise& noise);

// One-pole filters with the given corner frequency, applied in place.
void lowPass(Samples& samples, double cornerHz);
void highPass(Samples& samples, double cornerHz);

// Raised-cosine ramps at both ends so playback starts and stops without a click.
void fadeEdges(Samples& samples, double fadeIn, double fadeOut);

// Scales the buffer so that its largest magnitude is `peakDbfs` decibels below full scale.
void normalisePeak(Samples& samples, double peakDbfs);

// Largest magnitude in the buffer.
double peakOf(const Samples& samples);

}  // namespace koropika::sounds
