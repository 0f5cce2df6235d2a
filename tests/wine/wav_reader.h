#pragma once
// Reads back the 16-bit PCM WAV files the playback library writes, and
// measures the tone in them.

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace tarvex::testing {

struct WavSound {
  std::int32_t sampleRate = 0;
  std::int32_t channels = 0;
  std::vector<std::int16_t> samples;  // interleaved

  double Seconds() const {
    return channels == 0 ? 0.0 : static_cast<double>(samples.size()) / channels / sampleRate;
  }

  // The frequency of the first channel, from its rising zero crossings in
  // the middle half (away from the encoder's fade-in and padding).
  double Frequency() const {
    const std::size_t frames = samples.size() / static_cast<std::size_t>(channels);
    const std::size_t from = frames / 4;
    const std::size_t to = frames * 3 / 4;
    int crossings = 0;
    for (std::size_t i = from + 1; i < to; ++i) {
      if (samples[(i - 1) * channels] < 0 && samples[i * channels] >= 0) ++crossings;
    }
    return crossings * static_cast<double>(sampleRate) / static_cast<double>(to - from);
  }

  // The largest absolute sample: a tone, not silence.
  int Peak() const {
    int peak = 0;
    for (const std::int16_t s : samples) peak = std::max(peak, std::abs(static_cast<int>(s)));
    return peak;
  }
};

inline std::uint32_t Le(const std::string& bytes, std::size_t at, int size) {
  std::uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) {
    value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
  }
  return value;
}

// The canonical 44-byte header the library writes; an empty sound when the
// file is not one.
inline WavSound ReadWav(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  WavSound sound;
  if (bytes.size() < 44 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(36, 4, "data") != 0) {
    return sound;
  }
  sound.channels = static_cast<std::int32_t>(Le(bytes, 22, 2));
  sound.sampleRate = static_cast<std::int32_t>(Le(bytes, 24, 4));
  const std::size_t dataBytes = std::min<std::size_t>(Le(bytes, 40, 4), bytes.size() - 44);
  sound.samples.resize(dataBytes / 2);
  for (std::size_t i = 0; i < sound.samples.size(); ++i) {
    sound.samples[i] = static_cast<std::int16_t>(Le(bytes, 44 + 2 * i, 2));
  }
  return sound;
}

}  // namespace tarvex::testing
