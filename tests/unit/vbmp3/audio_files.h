#pragma once
// Test data made at run time: tones (sox, lame) and ID3 tags, and a reader
// for the WAV files the library writes.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/support/temp_dir.h"

namespace tarvex::vbmp3::test {

struct Tone {
  int frequencyHz = 440;
  double seconds = 2.0;
  int sampleRate = 44100;
  int channels = 2;
  int bitRateKbps = 128;  // 0: variable bit rate
  bool infoFrame = true;  // lame's Xing/Info frame with the frame count
};

// Encodes `t` as `dir`/`name`, with its WAV beside it.
inline std::string MakeToneMp3(const testing::TempDir& dir, const std::string& name,
                               const Tone& t) {
  const std::string mp3 = dir.File(name);
  const std::string sox = "sox -n -r " + std::to_string(t.sampleRate) + " -c " +
                          std::to_string(t.channels) + " '" + mp3 + ".wav' synth " +
                          std::to_string(t.seconds) + " sine " + std::to_string(t.frequencyHz) +
                          " vol 0.5 && lame --quiet " + (t.infoFrame ? "" : "-t ") +
                          (t.bitRateKbps == 0 ? "-V 2" : "-b " + std::to_string(t.bitRateKbps)) +
                          " '" + mp3 + ".wav' '" + mp3 + "'";
  EXPECT_EQ(std::system(sox.c_str()), 0) << sox;
  return mp3;
}

// An ID3v2.3 tag holding one UTF-16 title frame.
inline std::string Id3v2Title(std::u16string_view title, std::size_t padding = 0) {
  std::string body("\x01\xFF\xFE", 3);
  for (const char16_t unit : title) body += {static_cast<char>(unit & 0xFF), char(unit >> 8)};
  const std::size_t frame = body.size();
  body = "TIT2" + std::string{0, 0, char(frame >> 8), char(frame & 0xFF), 0, 0} + body +
         std::string(padding, '\0');
  std::string tag("ID3\x03\x00\x00", 6);
  for (int shift = 21; shift >= 0; shift -= 7) tag += char((body.size() >> shift) & 0x7F);
  return tag + body;
}

struct Wav {
  int sampleRate = 0;
  int channels = 0;
  std::vector<std::int16_t> samples;  // interleaved
  std::size_t Frames() const { return channels > 0 ? samples.size() / channels : 0; }
  double Seconds() const { return sampleRate > 0 ? double(Frames()) / sampleRate : 0; }
};

// Reads the 16-bit PCM WAV file the library's sink writes: a 44-byte header,
// then the samples.
inline Wav ReadWav(const testing::TempDir& dir, const std::string& name) {
  const std::string bytes = dir.Read(name);
  const auto number = [&](std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0 && at + i < bytes.size(); --i)
      value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
  };
  Wav wav{static_cast<int>(number(24, 4)), static_cast<int>(number(22, 2)), {}};
  for (std::size_t i = 44; i + 1 < bytes.size(); i += 2)
    wav.samples.push_back(static_cast<std::int16_t>(number(i, 2)));
  return wav;
}

// The pitch of the first channel, from its rising crossings; the hysteresis
// keeps the encoder's near-silent padding from counting.
inline double PitchHz(const Wav& wav) {
  std::size_t first = 0, last = 0;
  int cycles = -1;
  bool below = false;
  for (std::size_t i = 0; i < wav.Frames(); ++i) {
    const int sample = wav.samples[i * wav.channels];
    if (sample < -1000) below = true;
    if (below && sample > 1000) {
      below = false;
      if (++cycles == 0) first = i;
      last = i;
    }
  }
  return cycles <= 0 ? 0 : cycles * double(wav.sampleRate) / double(last - first);
}

}  // namespace tarvex::vbmp3::test
