// Writes 16-bit PCM mono WAV files at kSampleRate with the canonical 44-byte RIFF header.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "synth.h"

namespace koropika::sounds {

inline constexpr std::size_t kWavHeaderSize = 44;

// Converts samples in [-1, 1] to 16-bit integers (rounded, clamped at full scale).
std::vector<std::int16_t> toPcm16(const Samples& samples);

// The whole file image: RIFF/WAVE header, "fmt " chunk (PCM, 1 channel) and "data" chunk.
std::vector<std::uint8_t> encodeWav(const Samples& samples);

// Writes the file image to `path`; throws std::runtime_error when the file cannot be written.
void writeWav(const std::filesystem::path& path, const Samples& samples);

}  // namespace koropika::sounds
