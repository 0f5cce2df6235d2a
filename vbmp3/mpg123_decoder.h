#pragma once
// The decoder on Linux: libmpg123, held to files that really are MPEG audio.

#include <mpg123.h>

#include <utility>

#include "vbmp3/decoder.h"

namespace tarvex::vbmp3 {

class Mpg123Decoder final : public Decoder {
 public:
  Mpg123Decoder() = default;
  ~Mpg123Decoder() override;
  Mpg123Decoder(const Mpg123Decoder&) = delete;
  Mpg123Decoder& operator=(const Mpg123Decoder&) = delete;

  std::int32_t Open(const std::string& path) override;
  // The checks of Open on a descriptor already open for reading; the decoder
  // owns it from then on, also after a failure.
  std::int32_t OpenDescriptor(int fd);
  const StreamInfo& Info() const override { return info_; }
  bool Rewind() override;
  ReadResult Read() override;

 private:
  void CloseFile();
  bool CreateHandle();
  std::int32_t ProbeFirstFrames();
  std::int32_t ReadStreamInfo();
  void ReadTags();
  // One mpg123_decode_frame: its result and the PCM it gave.
  std::pair<int, std::span<const std::byte>> DecodeFrame();
  bool SameFormat();

  mpg123_handle* handle_ = nullptr;
  int fd_ = -1;
  StreamInfo info_;
};

}  // namespace tarvex::vbmp3
