#include "cues.h"

#include <array>

namespace koropika::sounds {

Samples renderClick() {
    Samples out(samplesFor(0.075));
    Noise noise(0xC11C);
    // A faint brush of the card edge, then the snap as the card lands.
    addNoiseBurst(out, {.start = 0.0, .amplitude = 0.25, .attack = 0.006, .decay = 0.005}, noise);
    addNoiseBurst(out, {.start = 0.014, .amplitude = 1.0, .attack = 0.0003, .decay = 0.004}, noise);
    highPass(out, 1500.0);
    // Ring of the card itself: a bright ping over a short papery body.
    addTone(out, {.start = 0.014, .frequency = 3200.0, .amplitude = 0.35, .decay = 0.005});
    addTone(out, {.start = 0.014, .frequency = 950.0, .amplitude = 0.3, .decay = 0.009});
    fadeEdges(out, 0.001, 0.008);
    normalisePeak(out, kCuePeakDbfs);
    return out;
}

Samples renderCancel() {
    Samples out(samplesFor(0.1));
    Noise noise(0x70C4);
    // A dull knock: low-passed noise for the contact, no bright snap.
    addNoiseBurst(out, {.start = 0.0, .amplitude = 0.35, .attack = 0.001, .decay = 0.003}, noise);
    lowPass(out, 1200.0);
    // Wooden body: the pitch sags a little as the knock dies away.
    addTone(out, {.start = 0.0,
                  .frequency = 520.0,
                  .endFrequency = 430.0,
                  .glide = 0.03,
                  .amplitude = 1.0,
                  .attack = 0.002,
                  .decay = 0.018});
    addTone(
        out,
        {.start = 0.0, .frequency = 1400.0, .amplitude = 0.25, .attack = 0.002, .decay = 0.008});
    fadeEdges(out, 0.001, 0.01);
    normalisePeak(out, kCuePeakDbfs);
    return out;
}

namespace {

// One struck bell note: a fundamental with harmonics that die away faster the higher they are,
// plus a faint inharmonic partial for the metallic shimmer of the strike.
void addBellNote(Samples& out, double start, double frequency, double decay) {
    struct Partial {
        double ratio;
        double amplitude;
        double decayShare;
    };
    constexpr std::array kPartials = {Partial{1.0, 1.0, 1.0}, Partial{2.0, 0.35, 0.5},
                                      Partial{3.0, 0.12, 0.3}, Partial{4.2, 0.06, 0.15}};
    for (const Partial& p : kPartials) {
        addTone(out, {.start = start,
                      .frequency = frequency * p.ratio,
                      .amplitude = p.amplitude,
                      .attack = 0.003,
                      .decay = decay * p.decayShare});
    }
}

}  // namespace

Samples renderPinpon() {
    Samples out(samplesFor(0.75));
    addBellNote(out, 0.0, 880.0, 0.2);     // "pin": A5
    addBellNote(out, 0.28, 698.46, 0.22);  // "pon": F5, a major third below
    fadeEdges(out, 0.002, 0.06);
    normalisePeak(out, kCuePeakDbfs);
    return out;
}

Samples renderClock() {
    // The tick itself lasts 40 ms; the rest of the file is silence, which sets the ticking rate.
    Samples out(samplesFor(0.04));
    Noise noise(0x71C4);
    addNoiseBurst(out, {.start = 0.0, .amplitude = 0.6, .attack = 0.0002, .decay = 0.0015}, noise);
    highPass(out, 2000.0);
    // Escapement: two inharmonic metal partials over a short wooden body.
    addTone(
        out,
        {.start = 0.0, .frequency = 3100.0, .amplitude = 0.5, .attack = 0.0003, .decay = 0.006});
    addTone(
        out,
        {.start = 0.0, .frequency = 5270.0, .amplitude = 0.3, .attack = 0.0003, .decay = 0.004});
    addTone(out,
            {.start = 0.0, .frequency = 1250.0, .amplitude = 0.4, .attack = 0.0005, .decay = 0.01});
    fadeEdges(out, 0.0005, 0.01);
    out.resize(samplesFor(0.12), 0.0);
    normalisePeak(out, kCuePeakDbfs);
    return out;
}

std::span<const Cue> allCues() {
    static constexpr std::array kCues = {
        Cue{u8"click.wav", &renderClick},
        Cue{u8"cancel.wav", &renderCancel},
        Cue{u8"Pinpon.wav", &renderPinpon},
        Cue{u8"時計.wav", &renderClock},
    };
    return kCues;
}

}  // namespace koropika::sounds
