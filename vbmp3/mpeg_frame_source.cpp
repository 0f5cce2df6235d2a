#include "vbmp3/mpeg_frame_source.h"

#include <algorithm>

namespace tarvex::vbmp3 {
namespace {

constexpr std::size_t kReadChunk = 65536;

bool SeekFile(std::FILE* file, std::int64_t offset) {
#if defined(_WIN32)
  return _fseeki64(file, offset, SEEK_SET) == 0;
#else
  return fseeko(file, static_cast<off_t>(offset), SEEK_SET) == 0;
#endif
}

}  // namespace

bool MpegFrameSource::SeekTo(std::int64_t offset) {
  buffer_.clear();
  pos_ = 0;
  atEnd_ = false;
  return SeekFile(file_, offset);
}

std::span<const std::uint8_t> MpegFrameSource::Peek(std::size_t count) {
  if (buffer_.size() - pos_ < count && !atEnd_) {
    buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(pos_));
    pos_ = 0;
    while (buffer_.size() < count && !atEnd_) {
      const std::size_t used = buffer_.size();
      const std::size_t want = std::max(kReadChunk, count - used);
      buffer_.resize(used + want);
      const std::size_t got = std::fread(buffer_.data() + used, 1, want, file_);
      buffer_.resize(used + got);
      atEnd_ = got < want;
    }
  }
  const std::size_t available = std::min(count, buffer_.size() - pos_);
  return {buffer_.data() + pos_, available};
}

bool MpegFrameSource::StreamStartsAt(std::span<const std::uint8_t> window, std::size_t at) const {
  const auto first = ParseFrameHeader(window.subspan(at));
  if (!first) return false;
  std::size_t next = at;
  for (int frames = 0; frames < kProbeFrames; ++frames) {
    const auto header = ParseFrameHeader(window.subspan(next));
    if (!header || !SameStream(*header, *first)) {
      // The end of a short file is as good as another frame.
      return frames > 0 && next >= window.size() && atEnd_;
    }
    next += static_cast<std::size_t>(header->frameBytes);
    if (next > window.size()) return frames > 0 && atEnd_;
  }
  return true;
}

bool MpegFrameSource::FindFirstFrame() {
  firstOffset_ = -1;
  if (!SeekTo(0)) return false;
  const std::int64_t tag = Id3v2TagSize(Peek(10));
  if (!SeekTo(tag)) return false;
  const auto window = Peek(kLeadingSlack + kProbeFrames * kLargestFrameBytes + kFrameHeaderBytes);
  const std::size_t last = std::min<std::size_t>(kLeadingSlack, window.size());
  for (std::size_t at = 0; at < last; ++at) {
    if (window[at] == 0xFF && StreamStartsAt(window, at)) {
      first_ = *ParseFrameHeader(window.subspan(at));
      firstOffset_ = tag + static_cast<std::int64_t>(at);
      return Rewind();
    }
  }
  return false;
}

bool MpegFrameSource::Rewind() {
  return firstOffset_ >= 0 && SeekTo(firstOffset_);
}

std::optional<FrameHeader> MpegFrameSource::HeaderHere() {
  const auto header = ParseFrameHeader(Peek(kFrameHeaderBytes));
  if (header && SameStream(*header, first_)) return header;
  return std::nullopt;
}

MpegFrameSource::Status MpegFrameSource::Next(std::span<const std::uint8_t>& frame) {
  if (firstOffset_ < 0) return Status::kError;
  std::size_t skipped = 0;
  std::optional<FrameHeader> header;
  while (!(header = HeaderHere())) {
    if (Peek(kFrameHeaderBytes).size() < kFrameHeaderBytes) return Status::kEnd;
    if (++skipped > kResyncLimit) return Status::kError;
    Skip(1);
  }
  const auto bytes = static_cast<std::size_t>(header->frameBytes);
  frame = Peek(bytes);
  // A frame cut short by the end of the file is no frame.
  if (frame.size() < bytes) return Status::kEnd;
  Skip(bytes);
  return Status::kFrame;
}

}  // namespace tarvex::vbmp3
