#pragma once
// The frames of an MPEG audio file, one whole frame at a time, for a codec
// that is fed frames rather than a file. It holds files to the rules of
// vbmp3/stream_rules.h: the first frame lies near the start (after an ID3v2
// tag) and is followed by more of the same stream, and junk between frames is
// skipped only a little way.

#include <cstdint>
#include <cstdio>
#include <span>
#include <vector>

#include "vbmp3/mpeg_frame_header.h"
#include "vbmp3/stream_rules.h"

namespace tarvex::vbmp3 {

class MpegFrameSource {
 public:
  enum class Status { kFrame, kEnd, kError };

  // Reads `file` (not owned; open for binary reading).
  explicit MpegFrameSource(std::FILE* file) : file_(file) {}

  // Finds the first frame and stands there; false when the file holds no
  // stream by the rules above.
  bool FindFirstFrame();
  const FrameHeader& First() const { return first_; }
  std::int64_t FirstFrameOffset() const { return firstOffset_; }

  // Back to the first frame.
  bool Rewind();

  // The next frame, valid until the next call. A file ends at its end or with
  // junk that runs to its end (a tag); junk longer than kResyncLimit with
  // more after it is kError.
  Status Next(std::span<const std::uint8_t>& frame);

 private:
  bool SeekTo(std::int64_t offset);
  // Up to `count` bytes from the read position; fewer only at the end.
  std::span<const std::uint8_t> Peek(std::size_t count);
  void Skip(std::size_t count) { pos_ += count; }
  // The header at the read position when it continues the stream.
  std::optional<FrameHeader> HeaderHere();
  bool StreamStartsAt(std::span<const std::uint8_t> window, std::size_t at) const;

  std::FILE* file_;
  std::vector<std::uint8_t> buffer_;
  std::size_t pos_ = 0;
  bool atEnd_ = false;
  FrameHeader first_;
  std::int64_t firstOffset_ = -1;
};

}  // namespace tarvex::vbmp3
