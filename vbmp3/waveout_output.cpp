// The sound device on Windows: waveOut with a few buffers in turn.

#include <windows.h>
// The wave functions need windows.h first.
#include <mmsystem.h>

#include <algorithm>
#include <array>
#include <thread>
#include <vector>

#include "vbmp3/output.h"
#include "vbmp3/pcm_wave_format.h"

namespace tarvex::vbmp3 {
namespace {

constexpr std::size_t kBufferCount = 4;
constexpr std::int32_t kBufferMilliseconds = 100;
constexpr auto kPoll = std::chrono::milliseconds(5);

// The device sets WHDR_DONE from its own thread: read the flags afresh.
bool IsDone(const WAVEHDR& header) {
  return (static_cast<const volatile DWORD&>(header.dwFlags) & WHDR_DONE) != 0;
}

struct WaveBuffer {
  WAVEHDR header{};
  std::vector<char> bytes;
};

class WaveOutOutput final : public Output {
 public:
  WaveOutOutput() = default;
  ~WaveOutOutput() override { Close(); }
  WaveOutOutput(const WaveOutOutput&) = delete;
  WaveOutOutput& operator=(const WaveOutOutput&) = delete;

  bool Open(const PcmFormat& format) override {
    Close();
    const WAVEFORMATEX pcm = Pcm16WaveFormat(format.sampleRate, format.channels);
    if (waveOutOpen(&device_, WAVE_MAPPER, &pcm, 0, 0, CALLBACK_NULL) != MMSYSERR_NOERROR) {
      device_ = nullptr;
      return false;
    }
    const std::size_t bytes = pcm.nAvgBytesPerSec * kBufferMilliseconds / 1000;
    for (WaveBuffer& buffer : buffers_) {
      buffer.bytes.assign(bytes - bytes % pcm.nBlockAlign, 0);
      buffer.header = {};
      buffer.header.lpData = buffer.bytes.data();
      buffer.header.dwBufferLength = static_cast<DWORD>(buffer.bytes.size());
      if (waveOutPrepareHeader(device_, &buffer.header, sizeof buffer.header) != MMSYSERR_NOERROR) {
        Close();
        return false;
      }
      buffer.header.dwFlags |= WHDR_DONE;  // free for the first write
    }
    next_ = 0;
    filled_ = 0;
    return true;
  }

  bool Write(std::span<const std::byte> pcm) override {
    if (device_ == nullptr) return false;
    while (!pcm.empty()) {
      WaveBuffer& buffer = buffers_[next_];
      if (filled_ == 0 && !WaitUntilFree(buffer)) return false;
      const std::size_t take = std::min(pcm.size(), buffer.bytes.size() - filled_);
      std::copy_n(reinterpret_cast<const char*>(pcm.data()), take, buffer.bytes.data() + filled_);
      filled_ += take;
      pcm = pcm.subspan(take);
      if (filled_ == buffer.bytes.size() && !Submit()) return false;
    }
    return true;
  }

  void Drain(const std::function<bool()>& cancelled) override {
    if (device_ == nullptr) return;
    if (filled_ > 0) Submit();
    for (const WaveBuffer& buffer : buffers_) {
      while (!IsDone(buffer.header) && !cancelled()) {
        std::this_thread::sleep_for(kPoll);
      }
    }
  }

  bool Close() override {
    if (device_ == nullptr) return true;
    waveOutReset(device_);  // drops what has not been played, marks all done
    for (WaveBuffer& buffer : buffers_) {
      if ((buffer.header.dwFlags & WHDR_PREPARED) != 0) {
        waveOutUnprepareHeader(device_, &buffer.header, sizeof buffer.header);
      }
    }
    waveOutClose(device_);
    device_ = nullptr;
    return true;
  }

 private:
  // Waits while the device still plays the buffer; false when it fails.
  bool WaitUntilFree(const WaveBuffer& buffer) const {
    while (!IsDone(buffer.header)) std::this_thread::sleep_for(kPoll);
    return device_ != nullptr;
  }

  bool Submit() {
    WaveBuffer& buffer = buffers_[next_];
    buffer.header.dwBufferLength = static_cast<DWORD>(filled_);
    buffer.header.dwFlags &= ~static_cast<DWORD>(WHDR_DONE);
    const bool ok = waveOutWrite(device_, &buffer.header, sizeof buffer.header) == MMSYSERR_NOERROR;
    if (!ok) buffer.header.dwFlags |= WHDR_DONE;
    next_ = (next_ + 1) % kBufferCount;
    filled_ = 0;
    return ok;
  }

  HWAVEOUT device_ = nullptr;
  std::array<WaveBuffer, kBufferCount> buffers_;
  std::size_t next_ = 0;
  std::size_t filled_ = 0;
};

}  // namespace

// Windows has one wave mapper: the driver name chooses nothing here.
std::unique_ptr<Output> MakeDeviceOutput(const std::string& /*driver*/) {
  return std::make_unique<WaveOutOutput>();
}

}  // namespace tarvex::vbmp3
