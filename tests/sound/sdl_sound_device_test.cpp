#include "sound/sdl_sound_device.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <numbers>
#include <string>
#include <utility>
#include <vector>

#include "support/temp_folder.h"

namespace koropika {
namespace {

using Clock = std::chrono::steady_clock;
using Samples = std::vector<std::int16_t>;

constexpr double kRate = SdlSoundDevice::kSampleRate;

void putLittleEndian(std::string& bytes, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) {
        bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

// A 16-bit PCM WAV file of a sine tone, the same on every channel.
std::string sineWav(int rate, int channels, double seconds, double hz, double amplitude) {
    Samples samples;
    const int frames = static_cast<int>(seconds * rate);
    for (int i = 0; i < frames; ++i) {
        const double value = amplitude * std::sin(2.0 * std::numbers::pi * hz * i / rate);
        for (int channel = 0; channel < channels; ++channel) {
            samples.push_back(static_cast<std::int16_t>(std::lround(value * 32767.0)));
        }
    }
    const auto dataSize = static_cast<std::uint32_t>(samples.size() * 2);
    std::string bytes = "RIFF";
    putLittleEndian(bytes, 36 + dataSize, 4);
    bytes += "WAVEfmt ";
    putLittleEndian(bytes, 16, 4);
    putLittleEndian(bytes, 1, 2);  // PCM
    putLittleEndian(bytes, static_cast<std::uint32_t>(channels), 2);
    putLittleEndian(bytes, static_cast<std::uint32_t>(rate), 4);
    putLittleEndian(bytes, static_cast<std::uint32_t>(rate * channels * 2), 4);
    putLittleEndian(bytes, static_cast<std::uint32_t>(channels * 2), 2);
    putLittleEndian(bytes, 16, 2);
    bytes += "data";
    putLittleEndian(bytes, dataSize, 4);
    for (std::int16_t sample : samples) {
        putLittleEndian(bytes, static_cast<std::uint16_t>(sample), 2);
    }
    return bytes;
}

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The part of the output between its first and last sample that is clearly not silence.
Samples audible(const Samples& output) {
    auto loud = [](std::int16_t sample) { return std::abs(sample) > 100; };
    const auto first = std::find_if(output.begin(), output.end(), loud);
    const auto last = std::find_if(output.rbegin(), output.rend(), loud).base();
    return first < last ? Samples(first, last) : Samples();
}

double lengthMs(const Samples& samples) {
    return 1000.0 * static_cast<double>(samples.size()) / SdlSoundDevice::kChannels / kRate;
}

double rms(const Samples& samples) {
    double sum = 0;
    for (std::int16_t sample : samples) {
        sum += static_cast<double>(sample) * sample;
    }
    return samples.empty() ? 0.0 : std::sqrt(sum / static_cast<double>(samples.size()));
}

// How many times `part` appears, sample for sample, in `whole`.
int occurrences(const Samples& whole, const Samples& part) {
    int count = 0;
    for (auto at = whole.begin();
         (at = std::search(at, whole.end(), part.begin(), part.end())) != whole.end();
         at += static_cast<std::ptrdiff_t>(part.size())) {
        ++count;
    }
    return count;
}

// SDL's disk driver: plays at about real-time pace (some 5 % fast: it sleeps whole milliseconds per
// buffer) and writes every sample it plays to a file. (It announces
// itself on stderr, so these tests do not check for a silent stderr.)
class DiskOutputTest : public ::testing::Test {
  protected:
    DiskOutputTest() {
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", folder_.file("output.raw").c_str(), 1);
    }

    // What the device wrote, read once it has been closed.
    Samples output() {
        device_.reset();
        std::ifstream in(folder_.file("output.raw"), std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)),
                                std::istreambuf_iterator<char>());
        Samples samples(bytes.size() / 2);
        std::copy_n(bytes.data(), samples.size() * 2, reinterpret_cast<char*>(samples.data()));
        return samples;
    }

    testing::TempFolder folder_;
    std::unique_ptr<SdlSoundDevice> device_ = std::make_unique<SdlSoundDevice>();
};

TEST_F(DiskOutputTest, WavFilePlaysToItsEndBeforeTheCallReturns) {
    // Another rate and two channels, so the sound goes through conversion to the output format.
    folder_.write("tone.wav", sineWav(22050, 2, 0.25, 440.0, 0.5));

    const auto firstStart = Clock::now();
    device_->playToEnd(folder_.file("tone.wav"));
    const double firstMs = millisecondsSince(firstStart);
    const auto secondStart = Clock::now();
    device_->playToEnd(folder_.file("tone.wav"));
    const double secondMs = millisecondsSince(secondStart);
    const Samples played = output();

    EXPECT_GE(firstMs, 210.0);
    EXPECT_LE(firstMs, 500.0);
    EXPECT_GE(secondMs, 210.0);
    EXPECT_LE(secondMs, 500.0);

    // Both plays, one after the other with a short gap: the tone twice plus the gap.
    const Samples both = audible(played);
    EXPECT_GE(lengthMs(both), 500.0);
    EXPECT_LE(lengthMs(both), 560.0);
    // A sine of amplitude 0.5 has an RMS of 0.5 / sqrt 2 of full scale.
    const Samples first(both.begin(), both.begin() + static_cast<std::ptrdiff_t>(0.24 * kRate));
    EXPECT_NEAR(rms(first), 0.5 / std::numbers::sqrt2 * 32767.0, 1200.0);
}

TEST_F(DiskOutputTest, MissingOrUnreadableFilePlaysTheBeepInstead) {
    folder_.write("broken.wav", "RIFF this is not a sound");

    const auto start = Clock::now();
    device_->playToEnd(folder_.file("missing.wav"));
    const double missingMs = millisecondsSince(start);
    device_->playToEnd(folder_.file("broken.wav"));
    const Samples played = output();

    const Samples beep = SdlSoundDevice::defaultBeep();
    EXPECT_EQ(occurrences(played, beep), 2);
    EXPECT_GE(missingMs, lengthMs(beep) - 20.0);
    EXPECT_LE(missingMs, lengthMs(beep) + 250.0);
}

TEST_F(DiskOutputTest, AClosedOutputOpensAgainForTheNextSoundAndEachSoundIsReported) {
    folder_.write("tone.wav", sineWav(44100, 1, 0.2, 440.0, 0.5));
    int played = 0;
    device_->onPlayed = [&played] { ++played; };
    device_->playToEnd(folder_.file("tone.wav"));
    device_->closeOutput();
    device_->closeOutput();  // a second close changes nothing
    device_->waitForOutput();
    // SDL's audio stays started between openings: starting it probes the session bus, which
    // need not be done again after every quiet spell.
    EXPECT_NE(SDL_WasInit(SDL_INIT_AUDIO), 0U);
    device_->playToEnd(folder_.file("tone.wav"));
    EXPECT_EQ(played, 2);

    // The disk output starts its file afresh at every opening: only the second tone is left.
    const Samples heard = audible(output());
    EXPECT_EQ(SDL_WasInit(SDL_INIT_EVERYTHING), 0U);  // stopped with the device
    EXPECT_GE(lengthMs(heard), 190.0);
    EXPECT_LE(lengthMs(heard), 210.0);
}

TEST_F(DiskOutputTest, EachSoundIsDecodedOnceAndOnlyTheLastFourAreKept) {
    // Five files of different loudness; the first is played, replaced on disk by a silent one,
    // and played again after three others (still kept) and after four others (dropped).
    for (int i = 0; i < 5; ++i) {
        folder_.write("tone" + std::to_string(i) + ".wav",
                      sineWav(44100, 1, 0.03, 440.0, 0.1 + 0.1 * i));
    }
    const std::string first = folder_.file("tone0.wav");
    device_->playToEnd(first);
    folder_.write("tone0.wav", sineWav(44100, 1, 0.03, 440.0, 0.0));
    for (int i = 1; i <= 3; ++i) {
        device_->playToEnd(folder_.file("tone" + std::to_string(i) + ".wav"));
    }
    device_->playToEnd(first);  // kept: the tone as first read
    device_->playToEnd(folder_.file("tone4.wav"));
    for (int i = 1; i <= 4; ++i) {
        device_->playToEnd(folder_.file("tone" + std::to_string(i) + ".wav"));
    }
    device_->playToEnd(first);  // dropped by now: read again, silent
    const Samples played = output();

    const Samples quiet = [] {
        Samples tone;
        for (int i = 0; i < static_cast<int>(0.03 * kRate); ++i) {
            // As sineWav computes it, so the samples match exactly.
            const double value = 0.1 * std::sin(2.0 * std::numbers::pi * 440.0 * i / kRate);
            tone.push_back(static_cast<std::int16_t>(std::lround(value * 32767.0)));
        }
        return tone;
    }();
    EXPECT_EQ(occurrences(played, quiet), 2);
}

TEST_F(DiskOutputTest, AnOutputOpenedAheadPlaysTheNextSoundWhole) {
    folder_.write("tone.wav", sineWav(44100, 1, 0.2, 440.0, 0.5));
    EXPECT_TRUE(device_->prepareOutput());
    EXPECT_FALSE(device_->prepareOutput());  // already on its way
    device_->playToEnd(folder_.file("tone.wav"));
    EXPECT_FALSE(device_->prepareOutput());  // open
    device_->closeOutput();
    EXPECT_TRUE(device_->prepareOutput());
    device_->closeOutput();  // closed once the opening is done
    device_->waitForOutput();
    EXPECT_TRUE(device_->prepareOutput());
    const auto start = Clock::now();
    device_->playToEnd(folder_.file("tone.wav"));
    const double ms = millisecondsSince(start);

    EXPECT_GE(ms, 185.0);
    // Well short of the second a stalled output is given; a busy machine may delay the disk
    // output's thread by tens of milliseconds.
    EXPECT_LE(ms, 400.0);
    const Samples heard = audible(output());
    EXPECT_GE(lengthMs(heard), 190.0);
    EXPECT_LE(lengthMs(heard), 210.0);
}

TEST_F(DiskOutputTest, ClosingDoesNotHoldTheCallerAndASoundRightAfterItPlaysWhole) {
    folder_.write("tone.wav", sineWav(44100, 1, 0.1, 440.0, 0.5));
    int played = 0;
    device_->onPlayed = [&played] { ++played; };
    device_->playToEnd(folder_.file("tone.wav"));
    // SDL drains two buffers (over 20 ms) before a closed output lets go; the caller does not
    // wait for it.
    const auto start = Clock::now();
    device_->closeOutput();
    EXPECT_LT(millisecondsSince(start), 10.0);
    // A sound asked for while the output closes, or before it began to, plays whole.
    device_->playToEnd(folder_.file("tone.wav"));
    device_->closeOutput();
    device_->prepareOutput();
    device_->closeOutput();
    device_->playToEnd(folder_.file("tone.wav"));
    EXPECT_EQ(played, 3);

    const Samples tone = [] {
        Samples samples;
        for (int i = 0; i < static_cast<int>(0.1 * kRate); ++i) {
            const double value = 0.5 * std::sin(2.0 * std::numbers::pi * 440.0 * i / kRate);
            samples.push_back(static_cast<std::int16_t>(std::lround(value * 32767.0)));
        }
        return samples;
    }();
    // The disk output starts its file afresh at each opening: the last tone is there whole.
    EXPECT_GE(occurrences(output(), tone), 1);
}

TEST_F(DiskOutputTest, GoingAwayWhileTheOutputOpensOrClosesEndsCleanly) {
    folder_.write("tone.wav", sineWav(44100, 1, 0.05, 440.0, 0.5));
    EXPECT_TRUE(device_->prepareOutput());
    device_.reset();  // while it opens

    device_ = std::make_unique<SdlSoundDevice>();
    device_->playToEnd(folder_.file("tone.wav"));
    device_->closeOutput();
    device_.reset();  // while it closes

    // SDL's audio is free again for the next device.
    device_ = std::make_unique<SdlSoundDevice>();
    const auto start = Clock::now();
    device_->playToEnd(folder_.file("tone.wav"));
    EXPECT_GE(millisecondsSince(start), 40.0);
    EXPECT_GE(lengthMs(audible(output())), 45.0);
}

TEST_F(DiskOutputTest, AMutedDeviceStaysSilentAndTakesEachSoundsLength) {
    folder_.write("tone.wav", sineWav(22050, 2, 0.2, 440.0, 0.5));
    folder_.write("output.raw", "untouched");  // an opened disk output starts it afresh
    int played = 0;
    device_->onPlayed = [&played] { ++played; };
    device_->setMuted(true);

    EXPECT_FALSE(device_->prepareOutput());
    auto start = Clock::now();
    device_->playToEnd(folder_.file("tone.wav"));
    const double toneMs = millisecondsSince(start);
    start = Clock::now();
    device_->playToEnd(folder_.file("missing.wav"));
    const double beepMs = millisecondsSince(start);

    EXPECT_GE(toneMs, 199.0);
    EXPECT_LE(toneMs, 400.0);
    EXPECT_GE(beepMs, lengthMs(SdlSoundDevice::defaultBeep()) - 1.0);
    EXPECT_LE(beepMs, lengthMs(SdlSoundDevice::defaultBeep()) + 200.0);
    EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0U);
    EXPECT_EQ(played, 0);
    device_.reset();
    EXPECT_EQ(folder_.read("output.raw"), "untouched");
}

TEST_F(DiskOutputTest, MutingClosesAnOpenOutputAndUnmutingOpensItForTheNextSound) {
    folder_.write("tone.wav", sineWav(44100, 1, 0.1, 440.0, 0.5));
    device_->playToEnd(folder_.file("tone.wav"));
    device_->setMuted(true);
    device_->waitForOutput();
    device_->playToEnd(folder_.file("tone.wav"));
    device_->setMuted(false);
    device_->playToEnd(folder_.file("tone.wav"));

    // The disk output starts its file afresh at each opening: the muted play opened nothing, so
    // only the last tone is left.
    const Samples heard = audible(output());
    EXPECT_GE(lengthMs(heard), 90.0);
    EXPECT_LE(lengthMs(heard), 110.0);
}

TEST_F(DiskOutputTest, EachVolumeStepHalvesThePeakOfTheStepAbove) {
    folder_.write("tone.wav", sineWav(44100, 1, 0.1, 441.0, 0.8));
    const double loudPeak = 0.8 * 32767.0;
    for (const auto& [volume, expectedPeak] :
         {std::pair{Volume::Loud, loudPeak}, std::pair{Volume::Medium, loudPeak / 2},
          std::pair{Volume::Soft, loudPeak / 4}}) {
        device_ = std::make_unique<SdlSoundDevice>();
        device_->setVolume(volume);
        device_->playToEnd(folder_.file("tone.wav"));
        const Samples played = output();
        int peak = 0;
        for (std::int16_t sample : played) {
            peak = std::max(peak, std::abs(static_cast<int>(sample)));
        }
        EXPECT_NEAR(peak, expectedPeak, 2.0) << storedName(volume);
    }
}

TEST(UnusableOutputTest, AnOutputOpenedAheadStaysSilentAndPlaysReturnAtOnce) {
    setenv("SDL_AUDIODRIVER", "nonexistent", 1);
    testing::TempFolder folder;
    folder.write("tone.wav", sineWav(44100, 1, 0.3, 440.0, 0.5));
    SdlSoundDevice device;

    EXPECT_TRUE(device.prepareOutput());
    const auto start = Clock::now();
    device.playToEnd(folder.file("tone.wav"));
    EXPECT_LT(millisecondsSince(start), 50.0);
    EXPECT_FALSE(device.prepareOutput());  // found unusable: not tried again
}

TEST(DefaultBeepTest, IsShortAndFadesInAndOutWithoutClicks) {
    const Samples beep = SdlSoundDevice::defaultBeep();

    EXPECT_NEAR(lengthMs(beep), 150.0, 1.0);
    EXPECT_GT(rms(beep), 3000.0);  // clearly heard
    EXPECT_LE(std::abs(beep.front()), 50);
    EXPECT_LE(std::abs(beep.back()), 50);
    // No step between neighbouring samples larger than the tone itself makes.
    int largestStep = 0;
    for (std::size_t i = 1; i < beep.size(); ++i) {
        largestStep = std::max(largestStep, std::abs(beep[i] - beep[i - 1]));
    }
    EXPECT_LT(largestStep, 1100);
}

TEST(UnusableOutputTest, EveryPlayReturnsAtOnceAndSilently) {
    setenv("SDL_AUDIODRIVER", "nonexistent", 1);
    testing::TempFolder folder;
    folder.write("tone.wav", sineWav(44100, 1, 0.3, 440.0, 0.5));
    SdlSoundDevice device;

    ::testing::internal::CaptureStderr();
    for (const std::string& path : {folder.file("tone.wav"), folder.file("missing.wav")}) {
        const auto start = Clock::now();
        device.playToEnd(path);
        EXPECT_LT(millisecondsSince(start), 50.0) << path;
    }
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
}

TEST(UnusableOutputTest, StaysUnusableAfterACloseAndReportsNoSound) {
    setenv("SDL_AUDIODRIVER", "nonexistent", 1);
    testing::TempFolder folder;
    folder.write("tone.wav", sineWav(44100, 1, 0.3, 440.0, 0.5));
    SdlSoundDevice device;
    int played = 0;
    device.onPlayed = [&played] { ++played; };

    device.playToEnd(folder.file("tone.wav"));
    device.closeOutput();
    const auto start = Clock::now();
    device.playToEnd(folder.file("tone.wav"));
    EXPECT_LT(millisecondsSince(start), 50.0);
    EXPECT_EQ(played, 0);
}

}  // namespace
}  // namespace koropika
