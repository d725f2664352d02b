#include "wav.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <stdexcept>
#include <string_view>

namespace koropika::sounds {

namespace {

void putTag(std::vector<std::uint8_t>& out, std::string_view tag) {
    out.insert(out.end(), tag.begin(), tag.end());
}

// WAV fields are little-endian whatever the host order is.
void putLittleEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<std::uint8_t>((value >> (8 * i)) & 0xFFu));
    }
}

}  // namespace

std::vector<std::int16_t> toPcm16(const Samples& samples) {
    std::vector<std::int16_t> pcm;
    pcm.reserve(samples.size());
    for (double s : samples) {
        const double scaled = std::round(std::clamp(s, -1.0, 1.0) * 32767.0);
        pcm.push_back(static_cast<std::int16_t>(scaled));
    }
    return pcm;
}

std::vector<std::uint8_t> encodeWav(const Samples& samples) {
    constexpr std::uint32_t kChannels = 1;
    constexpr std::uint32_t kBitsPerSample = 16;
    constexpr std::uint32_t kBlockAlign = kChannels * kBitsPerSample / 8;
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * kBlockAlign);

    std::vector<std::uint8_t> out;
    out.reserve(kWavHeaderSize + dataBytes);
    putTag(out, "RIFF");
    putLittleEndian(out, 36 + dataBytes, 4);
    putTag(out, "WAVE");
    putTag(out, "fmt ");
    putLittleEndian(out, 16, 4);  // size of the PCM format chunk
    putLittleEndian(out, 1, 2);   // format tag: PCM
    putLittleEndian(out, kChannels, 2);
    putLittleEndian(out, kSampleRate, 4);
    putLittleEndian(out, kSampleRate * kBlockAlign, 4);  // bytes per second
    putLittleEndian(out, kBlockAlign, 2);
    putLittleEndian(out, kBitsPerSample, 2);
    putTag(out, "data");
    putLittleEndian(out, dataBytes, 4);
    for (std::int16_t s : toPcm16(samples)) {
        putLittleEndian(out, static_cast<std::uint16_t>(s), 2);
    }
    return out;
}

void writeWav(const std::filesystem::path& path, const Samples& samples) {
    const std::vector<std::uint8_t> bytes = encodeWav(samples);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (!file) {
        throw std::runtime_error("cannot write " + path.string());
    }
}

}  // namespace koropika::sounds
