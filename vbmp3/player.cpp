#include "vbmp3/player.h"

#include <system_error>

#include "vbmp3/vbmp3.h"

namespace tarvex::vbmp3 {

Player::~Player() {
  Stop();
}

std::int32_t Player::Open(const std::string& path) {
  Stop();
  opened_ = false;
  if (!decoder_) decoder_ = MakeDecoder();
  const std::int32_t error = decoder_->Open(path);
  SetLastError(error);
  opened_ = error == VBMP3_ERR_NONE;
  return error;
}

const StreamInfo& Player::Info() const {
  static const StreamInfo kNone;
  return opened_ ? decoder_->Info() : kNone;
}

std::int32_t Player::Play() {
  if (State() == VBMP3_STATE_PLAYING) return VBMP3_ERR_NONE;
  Stop();
  std::int32_t error = VBMP3_ERR_NONE;
  if (!opened_) {
    error = VBMP3_ERR_NO_FILE_OPEN;
  } else if (!decoder_->Rewind()) {
    error = VBMP3_ERR_READ;
  }
  if (error != VBMP3_ERR_NONE) {
    SetLastError(error);
    return error;
  }
  {
    const std::lock_guard lock(mutex_);
    state_ = VBMP3_STATE_PLAYING;
    lastError_ = VBMP3_ERR_NONE;
  }
  stopRequested_ = false;
  frames_ = 0;
  try {
    thread_ = std::thread(&Player::Run, this, MakeOutput());
  } catch (const std::system_error&) {
    Finish(VBMP3_STATE_STOPPED, VBMP3_ERR_OUT_OF_RESOURCES);
    return VBMP3_ERR_OUT_OF_RESOURCES;
  }
  return VBMP3_ERR_NONE;
}

void Player::Stop() {
  if (thread_.joinable()) {
    stopRequested_ = true;
    thread_.join();
  }
  const std::lock_guard lock(mutex_);
  state_ = VBMP3_STATE_STOPPED;
  ended_.notify_all();
}

std::int32_t Player::State() const {
  const std::lock_guard lock(mutex_);
  return state_;
}

std::int32_t Player::LastError() const {
  const std::lock_guard lock(mutex_);
  return lastError_;
}

void Player::SetLastError(std::int32_t error) {
  const std::lock_guard lock(mutex_);
  lastError_ = error;
}

bool Player::WaitUntilDone(std::chrono::milliseconds timeout) {
  std::unique_lock lock(mutex_);
  return ended_.wait_for(lock, timeout, [this] { return state_ != VBMP3_STATE_PLAYING; });
}

std::unique_ptr<Output> Player::MakeOutput() const {
  if (wavPath_.empty()) return MakeDeviceOutput(driver_);
  return MakeWavFileOutput(wavPath_, realTime_);
}

void Player::Run(std::unique_ptr<Output> output) {
  if (!output->Open(decoder_->Info().format)) {
    Finish(VBMP3_STATE_ERROR, VBMP3_ERR_OUTPUT);
    return;
  }
  const bool reachedEnd = Pump(*output);
  if (!reachedEnd) return;  // stopped or failed: the stop or the failure has said so
  output->Drain([this] { return stopRequested_.load(); });
  const bool delivered = output->Close();
  if (stopRequested_) return;
  if (delivered) {
    Finish(VBMP3_STATE_FINISHED, VBMP3_ERR_NONE);
  } else {
    Finish(VBMP3_STATE_ERROR, VBMP3_ERR_OUTPUT);
  }
}

// Decodes into the output until the end of the file (true), a stop or a
// failure (false; the output is closed then).
bool Player::Pump(Output& output) {
  const auto frameBytes = static_cast<std::size_t>(decoder_->Info().format.channels) * 2;
  while (!stopRequested_) {
    const ReadResult read = decoder_->Read();
    if (read.status == ReadStatus::kEnd) return true;
    if (read.status == ReadStatus::kError || !output.Write(read.pcm)) {
      output.Close();
      Finish(VBMP3_STATE_ERROR,
             read.status == ReadStatus::kError ? VBMP3_ERR_STREAM_BROKEN : VBMP3_ERR_OUTPUT);
      return false;
    }
    frames_ += static_cast<std::int64_t>(read.pcm.size() / frameBytes);
  }
  output.Close();
  return false;
}

void Player::Finish(std::int32_t state, std::int32_t error) {
  const std::lock_guard lock(mutex_);
  state_ = state;
  lastError_ = error;
  ended_.notify_all();
}

}  // namespace tarvex::vbmp3
