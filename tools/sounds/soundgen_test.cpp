#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "cues.h"
#include "synth.h"
#include "wav.h"

namespace koropika::sounds {
namespace {

std::uint32_t readLittleEndian(const std::vector<std::uint8_t>& bytes, std::size_t at, int n) {
    std::uint32_t value = 0;
    for (int i = n - 1; i >= 0; --i) {
        value = (value << 8) | bytes[at + i];
    }
    return value;
}

double rms(const Samples& s, double from, double to) {
    double sum = 0.0;
    const std::size_t a = samplesFor(from);
    const std::size_t b = samplesFor(to);
    for (std::size_t i = a; i < b; ++i) {
        sum += s[i] * s[i];
    }
    return std::sqrt(sum / static_cast<double>(b - a));
}

// Sign changes per second over the audible part: a rough measure of how bright a sound is.
double zeroCrossingRate(const Samples& s, double duration) {
    int crossings = 0;
    for (std::size_t i = 1; i < samplesFor(duration); ++i) {
        if ((s[i - 1] < 0.0) != (s[i] < 0.0)) {
            ++crossings;
        }
    }
    return crossings / duration;
}

TEST(WavEncoding, WritesCanonicalHeaderAndLittleEndianSamples) {
    const std::vector<std::uint8_t> bytes = encodeWav({1.0, -1.0, 0.5});
    ASSERT_EQ(bytes.size(), kWavHeaderSize + 6);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "RIFF");
    EXPECT_EQ(readLittleEndian(bytes, 4, 4), 36u + 6u);
    EXPECT_EQ(std::string(bytes.begin() + 8, bytes.begin() + 16), "WAVEfmt ");
    EXPECT_EQ(readLittleEndian(bytes, 16, 4), 16u);     // format chunk size
    EXPECT_EQ(readLittleEndian(bytes, 20, 2), 1u);      // PCM
    EXPECT_EQ(readLittleEndian(bytes, 22, 2), 1u);      // mono
    EXPECT_EQ(readLittleEndian(bytes, 24, 4), 44100u);  // sample rate
    EXPECT_EQ(readLittleEndian(bytes, 28, 4), 88200u);  // bytes per second
    EXPECT_EQ(readLittleEndian(bytes, 32, 2), 2u);      // block align
    EXPECT_EQ(readLittleEndian(bytes, 34, 2), 16u);     // bits per sample
    EXPECT_EQ(std::string(bytes.begin() + 36, bytes.begin() + 40), "data");
    EXPECT_EQ(readLittleEndian(bytes, 40, 4), 6u);
    EXPECT_EQ(readLittleEndian(bytes, 44, 2), 0x7FFFu);  // +1.0 -> 32767
    EXPECT_EQ(readLittleEndian(bytes, 46, 2), 0x8001u);  // -1.0 -> -32767
    EXPECT_EQ(readLittleEndian(bytes, 48, 2), 0x4000u);  // 0.5 -> 16384 (rounded)
}

TEST(WavEncoding, ClampsOutOfRangeSamplesInsteadOfWrappingAround) {
    const std::vector<std::int16_t> pcm = toPcm16({1.5, -2.0, 0.0});
    EXPECT_EQ(pcm[0], 32767);
    EXPECT_EQ(pcm[1], -32767);
    EXPECT_EQ(pcm[2], 0);
}

TEST(WavEncoding, EmptyBufferGivesHeaderOnly) {
    const std::vector<std::uint8_t> bytes = encodeWav({});
    ASSERT_EQ(bytes.size(), kWavHeaderSize);
    EXPECT_EQ(readLittleEndian(bytes, 4, 4), 36u);
    EXPECT_EQ(readLittleEndian(bytes, 40, 4), 0u);
}

TEST(WavFile, WritesTheEncodedBytesUnderAUtf8Name) {
    const auto folder = std::filesystem::temp_directory_path() / "koropika_soundgen_test";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const Samples samples = {0.0, 0.25, -0.25, 0.0};
    const auto path = folder / std::u8string_view(u8"時計.wav");
    writeWav(path, samples);

    std::ifstream in(path, std::ios::binary);
    const std::vector<std::uint8_t> onDisk((std::istreambuf_iterator<char>(in)),
                                           std::istreambuf_iterator<char>());
    EXPECT_EQ(onDisk, encodeWav(samples));
    std::filesystem::remove_all(folder);
}

TEST(WavFile, ReportsAFolderThatDoesNotExist) {
    const auto path = std::filesystem::temp_directory_path() / "koropika_no_such_folder" / "x.wav";
    EXPECT_THROW(writeWav(path, {0.0}), std::runtime_error);
}

TEST(Synth, FadesBringBothEndsToSilenceAndLeaveTheMiddle) {
    Samples s(samplesFor(0.01), 1.0);
    fadeEdges(s, 0.001, 0.002);
    EXPECT_EQ(s.front(), 0.0);
    EXPECT_NEAR(s.back(), 0.0, 1e-12);
    EXPECT_EQ(s[s.size() / 2], 1.0);
}

TEST(Synth, FadesLongerThanTheBufferStayInsideIt) {
    Samples s(10, 1.0);
    fadeEdges(s, 1.0, 1.0);
    EXPECT_EQ(s.size(), 10u);
    EXPECT_EQ(s.front(), 0.0);
    EXPECT_NEAR(s.back(), 0.0, 1e-12);
}

TEST(Synth, NormalisesToTheRequestedPeakAndLeavesSilenceAlone) {
    Samples s = {0.1, -0.4, 0.2};
    normalisePeak(s, -6.0);
    EXPECT_NEAR(peakOf(s), std::pow(10.0, -6.0 / 20.0), 1e-12);
    EXPECT_NEAR(s[0] / s[1], -0.25, 1e-12);  // shape kept

    Samples silent(100, 0.0);
    normalisePeak(silent, -3.0);
    EXPECT_EQ(peakOf(silent), 0.0);
}

TEST(Synth, ToneHasTheRequestedPitch) {
    Samples s(samplesFor(0.5));
    addTone(s, {.frequency = 1000.0, .decay = 10.0});
    // 1000 Hz crosses zero 2000 times a second.
    EXPECT_NEAR(zeroCrossingRate(s, 0.5), 2000.0, 10.0);
}

TEST(Synth, SameSeedGivesSameNoise) {
    Noise a(42);
    Noise b(42);
    Noise c(43);
    bool differs = false;
    for (int i = 0; i < 100; ++i) {
        const double x = a.next();
        EXPECT_EQ(x, b.next());
        EXPECT_GE(x, -1.0);
        EXPECT_LE(x, 1.0);
        differs = differs || x != c.next();
    }
    EXPECT_TRUE(differs);
}

// The installed GoogleTest cannot print std::u8string, so names are compared as byte strings.
std::string bytesOf(std::u8string_view name) {
    return std::string(name.begin(), name.end());
}

TEST(Cues, AreNamedExactlyAsTheGameLooksThemUp) {
    std::set<std::string> names;
    for (const Cue& cue : allCues()) {
        names.insert(bytesOf(cue.fileName));
    }
    // 時計 spelled out as its UTF-8 bytes, so the check does not depend on the source encoding.
    EXPECT_EQ(names, (std::set<std::string>{"click.wav", "cancel.wav", "Pinpon.wav",
                                            "\xE6\x99\x82\xE8\xA8\x88.wav"}));
}

struct CueLimits {
    std::u8string_view name;
    double minSeconds;
    double maxSeconds;
};

TEST(Cues, HaveTheirLengthPeakAndQuietEdges) {
    const CueLimits limits[] = {{u8"click.wav", 0.06, 0.09},
                                {u8"cancel.wav", 0.08, 0.12},
                                {u8"Pinpon.wav", 0.6, 0.8},
                                {u8"時計.wav", 0.1, 0.15}};
    const double expectedPeak = std::pow(10.0, kCuePeakDbfs / 20.0);
    for (const CueLimits& limit : limits) {
        const Cue* cue = nullptr;
        for (const Cue& c : allCues()) {
            if (c.fileName == limit.name) {
                cue = &c;
            }
        }
        ASSERT_NE(cue, nullptr);
        const Samples s = cue->render();
        const double seconds = static_cast<double>(s.size()) / kSampleRate;
        SCOPED_TRACE(bytesOf(limit.name));
        EXPECT_GE(seconds, limit.minSeconds);
        EXPECT_LE(seconds, limit.maxSeconds);
        EXPECT_NEAR(peakOf(s), expectedPeak, 1e-9);
        EXPECT_NEAR(s.front(), 0.0, 1e-9);
        EXPECT_NEAR(s.back(), 0.0, 1e-9);
        EXPECT_EQ(cue->render(), s) << "rendering must be deterministic";
    }
}

TEST(Cues, ComputerCardSoundIsDarkerThanThePlayerClick) {
    const Samples click = renderClick();
    const Samples cancel = renderCancel();
    EXPECT_GT(zeroCrossingRate(click, 0.05), 1.5 * zeroCrossingRate(cancel, 0.05));
}

TEST(Cues, ChimeStrikesASecondNoteAfterTheFirstHasFaded) {
    const Samples s = renderPinpon();
    const double beforeSecond = rms(s, 0.25, 0.28);
    const double afterSecond = rms(s, 0.29, 0.32);
    EXPECT_GT(afterSecond, 2.0 * beforeSecond);
}

TEST(Cues, ClockTickIsFollowedBySilence) {
    const Samples s = renderClock();
    const std::vector<std::int16_t> pcm = toPcm16(s);
    EXPECT_GT(rms(s, 0.0, 0.01), 0.05);
    for (std::size_t i = samplesFor(0.045); i < pcm.size(); ++i) {
        ASSERT_EQ(pcm[i], 0) << "at sample " << i;
    }
}

}  // namespace
}  // namespace koropika::sounds
