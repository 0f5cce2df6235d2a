// The sound device through libout123.

#include <dlfcn.h>
#include <out123.h>

#include <thread>
#include <vector>

#include "vbmp3/output.h"
#include "vbmp3/pacer.h"

namespace tarvex::vbmp3 {
namespace {

constexpr auto kPoll = std::chrono::milliseconds(5);

constexpr const char* kDesktopDrivers = "pulse,alsa,oss";

// Each close of the device, and each failed open, unloads the output module
// and with it ALSA's library, whose parsed configuration (about 100 kB) is
// then lost, never freed: a player without a sound card grew by that much
// per play. Held loaded for good, the library keeps and reuses it.
void KeepAlsaLoaded() {
  static void* const alsa = dlopen("libasound.so.2", RTLD_LAZY | RTLD_NODELETE);
  static_cast<void>(alsa);
}

class Out123Output final : public Output {
 public:
  explicit Out123Output(std::string driver) : driver_(std::move(driver)) {}
  ~Out123Output() override { Close(); }
  Out123Output(const Out123Output&) = delete;
  Out123Output& operator=(const Out123Output&) = delete;

  bool Open(const PcmFormat& format) override {
    Close();
    KeepAlsaLoaded();
    handle_ = out123_new();
    if (handle_ == nullptr) return false;
    // Nothing on stderr: a missing device is reported through the state.
    out123_param_int(handle_, OUT123_ADD_FLAGS, OUT123_QUIET);
    // The desktop's own sound servers only: the library's full default list
    // also tries JACK and OpenAL, which can spin for minutes where no sound
    // server runs.
    const char* driver = driver_.empty() ? kDesktopDrivers : driver_.c_str();
    if (out123_open(handle_, driver, nullptr) != OUT123_OK ||
        out123_start(handle_, format.sampleRate, format.channels, MPG123_ENC_SIGNED_16) !=
            OUT123_OK) {
      Close();
      return false;
    }
    frameBytes_ = static_cast<std::size_t>(format.channels) * 2;
    pacer_ = Pacer(format.sampleRate);
    return true;
  }

  bool Write(std::span<const std::byte> pcm) override {
    if (handle_ == nullptr) return false;
    // out123_play may swap bytes in place, hence the copy it is given.
    buffer_.assign(pcm.begin(), pcm.end());
    const std::size_t played = out123_play(handle_, buffer_.data(), buffer_.size());
    pacer_.Add(static_cast<std::int64_t>(played / frameBytes_));
    return played == pcm.size();
  }

  void Drain(const std::function<bool()>& cancelled) override {
    if (handle_ == nullptr) return;
    // The device holds about what was written beyond the clock; wait that out
    // in small steps, so that a stop need not sit through a blocking drain.
    while (pacer_.Ahead() > Pacer::Clock::duration::zero() && !cancelled()) {
      std::this_thread::sleep_for(kPoll);
    }
    if (!cancelled()) out123_drain(handle_);
  }

  bool Close() override {
    if (handle_ == nullptr) return true;
    out123_drop(handle_);
    out123_del(handle_);  // closes the device too
    handle_ = nullptr;
    return true;
  }

 private:
  std::string driver_;
  out123_handle* handle_ = nullptr;
  std::size_t frameBytes_ = 4;
  Pacer pacer_{0};
  std::vector<std::byte> buffer_;
};

}  // namespace

std::unique_ptr<Output> MakeDeviceOutput(const std::string& driver) {
  return std::make_unique<Out123Output>(driver);
}

}  // namespace tarvex::vbmp3
