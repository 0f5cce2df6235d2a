// The decoder on Windows: the system's ACM MP3 codec (Layer III), fed whole
// frames found by our own frame reader.

#include <windows.h>
// The ACM declarations need windows.h first.
#include <mmreg.h>
#include <msacm.h>

#include <array>
#include <cstdio>
#include <vector>

#include "vbmp3/decoder.h"
#include "vbmp3/mpeg_frame_source.h"
#include "vbmp3/pcm_wave_format.h"
#include "vbmp3/stream_rules.h"
#include "vbmp3/tag_text.h"
#include "vbmp3/vbmp3.h"

namespace tarvex::vbmp3 {
namespace {

// Frames handed to the codec per conversion; the PCM buffer holds what they
// decode to, and a little more the codec may have held back.
constexpr std::size_t kFramesPerConversion = 16;
constexpr std::size_t kSlackFrames = 4;
constexpr std::int64_t kId3v1Bytes = 128;

std::int32_t OpenError(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = GetLastError();
    return error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION
               ? VBMP3_ERR_READ
               : VBMP3_ERR_FILE_NOT_FOUND;
  }
  if ((attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) != 0) {
    return VBMP3_ERR_NOT_A_FILE;
  }
  return VBMP3_ERR_NONE;
}

class AcmStream {
 public:
  AcmStream() = default;
  ~AcmStream() { Close(); }
  AcmStream(const AcmStream&) = delete;
  AcmStream& operator=(const AcmStream&) = delete;

  bool Open(const FrameHeader& frame) {
    Close();
    MPEGLAYER3WAVEFORMAT mp3{};
    mp3.wfx.wFormatTag = WAVE_FORMAT_MPEGLAYER3;
    mp3.wfx.nChannels = static_cast<WORD>(frame.channels);
    mp3.wfx.nSamplesPerSec = static_cast<DWORD>(frame.sampleRate);
    mp3.wfx.nAvgBytesPerSec = static_cast<DWORD>(frame.bitRateKbps * 1000 / 8);
    mp3.wfx.nBlockAlign = 1;
    mp3.wfx.cbSize = MPEGLAYER3_WFX_EXTRA_BYTES;
    mp3.wID = MPEGLAYER3_ID_MPEG;
    mp3.fdwFlags = MPEGLAYER3_FLAG_PADDING_OFF;
    mp3.nBlockSize = static_cast<WORD>(frame.frameBytes);
    mp3.nFramesPerBlock = 1;
    WAVEFORMATEX pcm = Pcm16WaveFormat(frame.sampleRate, frame.channels);
    if (acmStreamOpen(&stream_, nullptr, &mp3.wfx, &pcm, nullptr, 0, 0,
                      ACM_STREAMOPENF_NONREALTIME) != MMSYSERR_NOERROR) {
      stream_ = nullptr;
      return false;
    }
    return Prepare(frame);
  }

  // Converts `source` (whole frames); the PCM it gave, valid until the next
  // call. With `end`, the codec also gives what it still holds.
  std::optional<std::span<const std::byte>> Convert(std::span<const std::uint8_t> source,
                                                    bool end) {
    if (source.size() > source_.size()) return std::nullopt;
    std::copy(source.begin(), source.end(), source_.begin());
    header_.cbSrcLength = static_cast<DWORD>(source.size());
    header_.cbDstLengthUsed = 0;
    const DWORD flags = end ? ACM_STREAMCONVERTF_END : ACM_STREAMCONVERTF_BLOCKALIGN;
    if (acmStreamConvert(stream_, &header_, flags) != MMSYSERR_NOERROR) return std::nullopt;
    return std::span<const std::byte>(reinterpret_cast<const std::byte*>(pcm_.data()),
                                      header_.cbDstLengthUsed);
  }

  void Close() {
    if (stream_ == nullptr) return;
    if ((header_.fdwStatus & ACMSTREAMHEADER_STATUSF_PREPARED) != 0) {
      header_.cbSrcLength = static_cast<DWORD>(source_.size());
      acmStreamUnprepareHeader(stream_, &header_, 0);
    }
    acmStreamClose(stream_, 0);
    stream_ = nullptr;
  }

 private:
  bool Prepare(const FrameHeader& frame) {
    source_.assign(kFramesPerConversion * kLargestFrameBytes, 0);
    pcm_.assign((kFramesPerConversion + kSlackFrames) *
                    static_cast<std::size_t>(frame.samplesPerFrame * frame.channels * 2),
                0);
    header_ = {};
    header_.cbStruct = sizeof header_;
    header_.pbSrc = source_.data();
    header_.cbSrcLength = static_cast<DWORD>(source_.size());
    header_.pbDst = pcm_.data();
    header_.cbDstLength = static_cast<DWORD>(pcm_.size());
    if (acmStreamPrepareHeader(stream_, &header_, 0) != MMSYSERR_NOERROR) {
      Close();
      return false;
    }
    return true;
  }

  HACMSTREAM stream_ = nullptr;
  ACMSTREAMHEADER header_{};
  std::vector<BYTE> source_;
  std::vector<BYTE> pcm_;
};

class AcmDecoder final : public Decoder {
 public:
  AcmDecoder() = default;
  ~AcmDecoder() override { CloseFile(); }
  AcmDecoder(const AcmDecoder&) = delete;
  AcmDecoder& operator=(const AcmDecoder&) = delete;

  std::int32_t Open(const std::string& path) override {
    CloseFile();
    if (path.empty()) return VBMP3_ERR_ARGUMENT;
    if (const std::int32_t error = OpenError(path); error != VBMP3_ERR_NONE) return error;
    file_ = std::fopen(path.c_str(), "rb");
    if (file_ == nullptr) return VBMP3_ERR_READ;
    const std::int32_t result = Probe();
    if (result != VBMP3_ERR_NONE) CloseFile();
    return result;
  }

  const StreamInfo& Info() const override { return info_; }

  bool Rewind() override {
    if (!frames_ || !frames_->Rewind()) return false;
    pending_.clear();
    ended_ = false;
    return stream_.Open(frames_->First());
  }

  ReadResult Read() override {
    if (!frames_) return {ReadStatus::kError, {}};
    while (!ended_) {
      const MpegFrameSource::Status status = Gather();
      if (status == MpegFrameSource::Status::kError) return {ReadStatus::kError, {}};
      ended_ = status == MpegFrameSource::Status::kEnd;
      const auto pcm = stream_.Convert(pending_, ended_);
      pending_.clear();
      if (!pcm) return {ReadStatus::kError, {}};
      if (!pcm->empty()) return {ReadStatus::kData, *pcm};
    }
    return {ReadStatus::kEnd, {}};
  }

 private:
  // The file is MPEG Layer III audio whose first frames really decode.
  std::int32_t Probe() {
    frames_.emplace(file_);
    if (!frames_->FindFirstFrame() || frames_->First().layer != 3) return VBMP3_ERR_NOT_MP3;
    if (!Rewind()) return VBMP3_ERR_OUT_OF_RESOURCES;  // no codec for this stream
    bool decoded = false;
    for (int i = 0; i < kProbeFrames && !decoded; ++i) {
      const ReadResult read = Read();
      if (read.status == ReadStatus::kError) return VBMP3_ERR_NOT_MP3;
      if (read.status == ReadStatus::kEnd) break;
      decoded = true;
    }
    if (!decoded) return VBMP3_ERR_NOT_MP3;
    DescribeStream();
    return Rewind() ? VBMP3_ERR_NONE : VBMP3_ERR_READ;
  }

  // Up to kFramesPerConversion whole frames into pending_.
  MpegFrameSource::Status Gather() {
    std::span<const std::uint8_t> frame;
    for (std::size_t count = 0; count < kFramesPerConversion; ++count) {
      const MpegFrameSource::Status status = frames_->Next(frame);
      if (status != MpegFrameSource::Status::kFrame) return status;
      pending_.insert(pending_.end(), frame.begin(), frame.end());
    }
    return MpegFrameSource::Status::kFrame;
  }

  void DescribeStream() {
    const FrameHeader& first = frames_->First();
    info_.format = {first.sampleRate, first.channels};
    info_.bitRateKbps = first.bitRateKbps;
    const bool tagged = ReadId3v1();
    const std::int64_t audioBytes =
        FileSize() - frames_->FirstFrameOffset() - (tagged ? kId3v1Bytes : 0);
    // Bytes times 8 over kbit/s is milliseconds: exact for a constant bit rate.
    info_.lengthMs = static_cast<std::int32_t>(audioBytes * 8 / first.bitRateKbps);
  }

  std::int64_t FileSize() {
    _fseeki64(file_, 0, SEEK_END);
    return _ftelli64(file_);
  }

  // Title and artist from an ID3v1 tag at the end of the file; false when
  // the file has none.
  bool ReadId3v1() {
    std::array<char, static_cast<std::size_t>(kId3v1Bytes)> tag{};
    if (FileSize() < static_cast<std::int64_t>(tag.size()) ||
        _fseeki64(file_, -static_cast<std::int64_t>(tag.size()), SEEK_END) != 0 ||
        std::fread(tag.data(), 1, tag.size(), file_) != tag.size() ||
        std::string_view(tag.data(), 3) != "TAG") {
      return false;
    }
    info_.title = Id3v1TagToAnsi({tag.data() + 3, 30});
    info_.artist = Id3v1TagToAnsi({tag.data() + 33, 30});
    return true;
  }

  void CloseFile() {
    stream_.Close();
    frames_.reset();
    pending_.clear();
    if (file_ != nullptr) std::fclose(file_);
    file_ = nullptr;
    info_ = {};
  }

  std::FILE* file_ = nullptr;
  std::optional<MpegFrameSource> frames_;
  AcmStream stream_;
  std::vector<std::uint8_t> pending_;
  bool ended_ = false;
  StreamInfo info_;
};

}  // namespace

std::unique_ptr<Decoder> MakeDecoder() {
  return std::make_unique<AcmDecoder>();
}

}  // namespace tarvex::vbmp3
