// The WAV file sink: a canonical 44-byte header whose sizes are filled in when
// the file is closed, so a stopped playback still leaves a valid, shorter file.

#include <array>
#include <bit>
#include <cstdio>
#include <limits>
#include <thread>

#include "vbmp3/output.h"
#include "vbmp3/pacer.h"

namespace tarvex::vbmp3 {
namespace {

static_assert(std::endian::native == std::endian::little,
              "the sink writes the decoder's native samples as WAV's little-endian ones");

constexpr std::size_t kHeaderSize = 44;
constexpr std::int32_t kBytesPerSample = 2;
// A paced sink may run this far ahead of the clock, like a device's buffer.
constexpr auto kLead = std::chrono::milliseconds(50);
constexpr auto kPoll = std::chrono::milliseconds(5);

void PutLe(std::byte* at, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) at[i] = static_cast<std::byte>((value >> (8 * i)) & 0xFFU);
}

std::array<std::byte, kHeaderSize> Header(const PcmFormat& format, std::uint32_t dataBytes) {
  std::array<std::byte, kHeaderSize> h{};
  const auto tag = [&h](std::size_t at, const char* four) {
    for (std::size_t i = 0; i < 4; ++i) h[at + i] = static_cast<std::byte>(four[i]);
  };
  const auto channels = static_cast<std::uint32_t>(format.channels);
  const auto rate = static_cast<std::uint32_t>(format.sampleRate);
  tag(0, "RIFF");
  PutLe(&h[4], dataBytes + kHeaderSize - 8, 4);
  tag(8, "WAVE");
  tag(12, "fmt ");
  PutLe(&h[16], 16, 4);
  PutLe(&h[20], 1, 2);  // integer PCM
  PutLe(&h[22], channels, 2);
  PutLe(&h[24], rate, 4);
  PutLe(&h[28], rate * channels * kBytesPerSample, 4);
  PutLe(&h[32], channels * kBytesPerSample, 2);
  PutLe(&h[34], 8 * kBytesPerSample, 2);
  tag(36, "data");
  PutLe(&h[40], dataBytes, 4);
  return h;
}

class WavFileOutput final : public Output {
 public:
  WavFileOutput(std::string path, bool realTime) : path_(std::move(path)), realTime_(realTime) {}
  ~WavFileOutput() override { Close(); }
  WavFileOutput(const WavFileOutput&) = delete;
  WavFileOutput& operator=(const WavFileOutput&) = delete;

  bool Open(const PcmFormat& format) override {
    Close();
    file_ = std::fopen(path_.c_str(), "wb");
    if (file_ == nullptr) return false;
    format_ = format;
    pacer_ = Pacer(format.sampleRate);
    dataBytes_ = 0;
    ok_ = WriteHeader();
    return ok_;
  }

  bool Write(std::span<const std::byte> pcm) override {
    if (file_ == nullptr || !ok_) return false;
    // The data size field is 32 bits: refuse rather than write a corrupt file.
    if (pcm.size() > std::numeric_limits<std::uint32_t>::max() - kHeaderSize - dataBytes_) {
      ok_ = false;
      return false;
    }
    if (realTime_) WaitForClock();
    ok_ = std::fwrite(pcm.data(), 1, pcm.size(), file_) == pcm.size();
    dataBytes_ += static_cast<std::uint32_t>(pcm.size());
    pacer_.Add(static_cast<std::int64_t>(pcm.size()) /
               (std::int64_t{format_.channels} * kBytesPerSample));
    return ok_;
  }

  void Drain(const std::function<bool()>& cancelled) override {
    while (realTime_ && pacer_.Ahead() > Pacer::Clock::duration::zero() && !cancelled()) {
      std::this_thread::sleep_for(kPoll);
    }
  }

  bool Close() override {
    if (file_ == nullptr) return true;
    bool ok = ok_ && WriteHeader();
    ok = std::fclose(file_) == 0 && ok;
    file_ = nullptr;
    return ok;
  }

 private:
  bool WriteHeader() {
    const auto header = Header(format_, dataBytes_);
    if (std::fseek(file_, 0, SEEK_SET) != 0) return false;
    const bool written = std::fwrite(header.data(), 1, header.size(), file_) == header.size();
    const auto end = static_cast<long>(kHeaderSize + dataBytes_);
    return std::fseek(file_, end, SEEK_SET) == 0 && written;
  }

  void WaitForClock() {
    const auto ahead = pacer_.Ahead();
    if (ahead > kLead) std::this_thread::sleep_for(ahead - kLead);
  }

  std::string path_;
  bool realTime_;
  std::FILE* file_ = nullptr;
  PcmFormat format_;
  Pacer pacer_{0};
  std::uint32_t dataBytes_ = 0;
  bool ok_ = false;
};

}  // namespace

std::unique_ptr<Output> MakeWavFileOutput(const std::string& path, bool realTime) {
  return std::make_unique<WavFileOutput>(path, realTime);
}

}  // namespace tarvex::vbmp3
