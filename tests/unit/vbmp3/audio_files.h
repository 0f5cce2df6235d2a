#pragma once
// Test data made at run time: tones (sox), MP3s (lame), hand-built tags, and
// a reader for the WAV files the library writes.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "tests/support/temp_dir.h"

namespace tarvex::vbmp3::test {

using TempDir = tarvex::testing::TempDir;

struct Tone {
  int frequencyHz = 440;
  double seconds = 2.0;
  int sampleRate = 44100;
  int channels = 2;
  int bitRateKbps = 128;  // 0: variable bit rate
  bool infoFrame = true;  // lame's Xing/Info frame with the frame count
};

// Encodes `tone` as `dir`/`name` (.wav beside it); fails the test when sox or
// lame is missing.
std::filesystem::path MakeToneMp3(const TempDir& dir, const std::string& name, const Tone& tone);

std::string ReadBytes(const std::filesystem::path& file);
void WriteBytes(const std::filesystem::path& file, std::string_view bytes);

// An ID3v2.3 tag: frames as id and body, then `padding` zero bytes.
struct TagFrame {
  std::string id;
  std::string body;
};
std::string Id3v2Tag(const std::vector<TagFrame>& frames, std::size_t padding = 0);
// A text frame body in ISO-8859-1 (encoding 0) or UTF-16 with a byte-order
// mark (encoding 1).
std::string Latin1Text(std::string_view text);
std::string Utf16Text(std::u16string_view text);
// A 128-byte ID3v1 tag.
std::string Id3v1Tag(std::string_view title, std::string_view artist);

struct Wav {
  int sampleRate = 0;
  int channels = 0;
  std::vector<std::int16_t> samples;  // interleaved
  double Seconds() const;
  std::size_t Frames() const { return channels > 0 ? samples.size() / channels : 0; }
};
// Reads a 16-bit PCM WAV file; fails the test on anything else.
Wav ReadWav(const std::filesystem::path& file);

// The pitch of the first channel, from its rising crossings of zero.
double PitchHz(const Wav& wav);

}  // namespace tarvex::vbmp3::test
