#include "tests/unit/vbmp3/audio_files.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace tarvex::vbmp3::test {
namespace fs = std::filesystem;

namespace {

[[noreturn]] void Fail(const std::string& message) {
  throw std::runtime_error(message);
}

void Run(const std::string& command) {
  if (std::system(command.c_str()) != 0) Fail("test data command failed: " + command);
}

std::string BigEndian32(std::uint32_t value) {
  std::string out(4, '\0');
  for (int i = 0; i < 4; ++i) out[i] = static_cast<char>((value >> (24 - 8 * i)) & 0xFFU);
  return out;
}

std::string Synchsafe32(std::uint32_t value) {
  std::string out(4, '\0');
  for (int i = 0; i < 4; ++i) out[i] = static_cast<char>((value >> (21 - 7 * i)) & 0x7FU);
  return out;
}

std::uint32_t LittleEndian(std::string_view bytes, std::size_t at, int size) {
  if (at + size > bytes.size()) Fail("WAV file cut short");
  std::uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i)
    value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

}  // namespace

fs::path MakeToneMp3(const TempDir& dir, const std::string& name, const Tone& tone) {
  fs::path mp3 = dir.path() / name;
  fs::path wav = mp3;
  wav.replace_extension(".wav");
  std::ostringstream sox;
  sox << "sox -n -r " << tone.sampleRate << " -c " << tone.channels << " '" << wav.string()
      << "' synth " << tone.seconds << " sine " << tone.frequencyHz << " vol 0.5";
  Run(sox.str());
  std::ostringstream lame;
  lame << "lame --quiet " << (tone.infoFrame ? "" : "-t ");
  if (tone.bitRateKbps == 0) {
    lame << "-V 2";
  } else {
    lame << "-b " << tone.bitRateKbps;
  }
  lame << " '" << wav.string() << "' '" << mp3.string() << "'";
  Run(lame.str());
  return mp3;
}

std::string ReadBytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) Fail("cannot read " + file.string());
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const fs::path& file, std::string_view bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) Fail("cannot write " + file.string());
}

std::string Id3v2Tag(const std::vector<TagFrame>& frames, std::size_t padding) {
  std::string body;
  for (const TagFrame& frame : frames) {
    body += frame.id + BigEndian32(static_cast<std::uint32_t>(frame.body.size()));
    body += std::string(2, '\0') + frame.body;
  }
  body += std::string(padding, '\0');
  return std::string("ID3\x03\x00\x00", 6) + Synchsafe32(static_cast<std::uint32_t>(body.size())) +
         body;
}

std::string Latin1Text(std::string_view text) {
  return std::string(1, '\0') + std::string(text);
}

std::string Utf16Text(std::u16string_view text) {
  std::string out("\x01\xFF\xFE", 3);
  for (const char16_t unit : text) {
    out += static_cast<char>(unit & 0xFFU);
    out += static_cast<char>(unit >> 8);
  }
  return out;
}

std::string Id3v1Tag(std::string_view title, std::string_view artist) {
  std::string tag(128, '\0');
  tag.replace(0, 3, "TAG");
  tag.replace(3, title.size(), title);
  tag.replace(33, artist.size(), artist);
  return tag;
}

double Wav::Seconds() const {
  return sampleRate > 0 ? static_cast<double>(Frames()) / sampleRate : 0;
}

Wav ReadWav(const fs::path& file) {
  const std::string bytes = ReadBytes(file);
  if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "WAVE") != 0) {
    Fail("not a WAV file: " + file.string());
  }
  Wav wav;
  for (std::size_t at = 12; at + 8 <= bytes.size();) {
    const std::string id = bytes.substr(at, 4);
    const std::uint32_t size = LittleEndian(bytes, at + 4, 4);
    if (id == "fmt ") {
      if (LittleEndian(bytes, at + 8, 2) != 1 || LittleEndian(bytes, at + 22, 2) != 16) {
        Fail("not 16-bit PCM");
      }
      wav.channels = static_cast<int>(LittleEndian(bytes, at + 10, 2));
      wav.sampleRate = static_cast<int>(LittleEndian(bytes, at + 12, 4));
    } else if (id == "data") {
      if (at + 8 + size > bytes.size()) Fail("WAV data size beyond the end of the file");
      wav.samples.resize(size / 2);
      for (std::size_t i = 0; i < wav.samples.size(); ++i) {
        wav.samples[i] = static_cast<std::int16_t>(LittleEndian(bytes, at + 8 + 2 * i, 2));
      }
      return wav;
    }
    at += 8 + size + (size & 1U);
  }
  Fail("WAV file without data");
}

double PitchHz(const Wav& wav) {
  // Hysteresis keeps the encoder's near-silent padding from counting.
  constexpr int kThreshold = 1000;
  std::size_t first = 0;
  std::size_t last = 0;
  int cycles = -1;
  bool below = false;
  for (std::size_t i = 0; i < wav.Frames(); ++i) {
    const int sample = wav.samples[i * wav.channels];
    if (sample < -kThreshold) below = true;
    if (below && sample > kThreshold) {
      below = false;
      if (++cycles == 0) first = i;
      last = i;
    }
  }
  if (cycles <= 0) return 0;
  return cycles * static_cast<double>(wav.sampleRate) / static_cast<double>(last - first);
}

}  // namespace tarvex::vbmp3::test
