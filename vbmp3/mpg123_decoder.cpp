#include "vbmp3/mpg123_decoder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <mutex>
#include <string_view>

#include "vbmp3/mpeg_frame_header.h"
#include "vbmp3/stream_rules.h"
#include "vbmp3/tag_text.h"
#include "vbmp3/vbmp3.h"

namespace tarvex::vbmp3 {
namespace {

std::int32_t ErrorFromErrno(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
      return VBMP3_ERR_FILE_NOT_FOUND;
    case EISDIR:
      return VBMP3_ERR_NOT_A_FILE;
    case ENOMEM:
    case EMFILE:
    case ENFILE:
      return VBMP3_ERR_OUT_OF_RESOURCES;
    default:
      return VBMP3_ERR_READ;
  }
}

void InitialiseLibraryOnce() {
  static std::once_flag once;
  std::call_once(once, [] { mpg123_init(); });
}

// 16-bit output at the file's own rate and channel count; no resampling.
void AllowSixteenBitOnly(mpg123_handle* handle) {
  mpg123_format_none(handle);
  const long* rates = nullptr;
  std::size_t count = 0;
  mpg123_rates(&rates, &count);
  for (std::size_t i = 0; i < count; ++i) {
    mpg123_format(handle, rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16);
  }
}

// The bytes of the ID3v2 tag that starts the file open as `fd`; 0 for none.
std::int64_t LeadingTagSize(int fd) {
  std::array<std::uint8_t, 10> first{};
  const ssize_t got = pread(fd, first.data(), first.size(), 0);
  return got == static_cast<ssize_t>(first.size()) ? Id3v2TagSize(first) : 0;
}

// Whether an audio frame at byte `framePosition` of the file open as `fd`
// lies within the slack after the file's ID3v2 tag.
bool StartsNearBeginning(int fd, off_t framePosition) {
  return framePosition >= 0 && framePosition <= LeadingTagSize(fd) + kLeadingSlack;
}

// The file's size less its ID3v2 tag in front and its ID3v1 tag at the end;
// -1 when the size is unknown.
std::int64_t AudioBytes(int fd) {
  struct stat status {};
  if (fstat(fd, &status) != 0) return -1;
  constexpr off_t kId3v1Size = 128;
  std::array<char, 3> id{};
  const bool id3v1 = status.st_size >= kId3v1Size &&
                     pread(fd, id.data(), id.size(), status.st_size - kId3v1Size) == 3 &&
                     std::string_view(id.data(), id.size()) == "TAG";
  return status.st_size - LeadingTagSize(fd) - (id3v1 ? kId3v1Size : 0);
}

std::string_view View(const mpg123_string* text) {
  if (text == nullptr || text->p == nullptr || text->fill == 0) return {};
  return {text->p, text->fill - 1};  // fill counts the terminating NUL
}

}  // namespace

Mpg123Decoder::~Mpg123Decoder() {
  CloseFile();
  if (handle_ != nullptr) mpg123_delete(handle_);
}

std::int32_t Mpg123Decoder::Open(const std::string& path) {
  CloseFile();
  if (path.empty()) return VBMP3_ERR_ARGUMENT;
  // Non-blocking, so that a named pipe cannot hold the caller at the open.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return ErrorFromErrno(errno);
  return OpenDescriptor(fd);
}

std::int32_t Mpg123Decoder::OpenDescriptor(int fd) {
  CloseFile();
  fd_ = fd;
  struct stat status {};
  if (fstat(fd_, &status) != 0) {
    const int error = errno;
    CloseFile();
    return ErrorFromErrno(error);
  }
  if (!S_ISREG(status.st_mode)) {
    CloseFile();
    return VBMP3_ERR_NOT_A_FILE;
  }
  const int flags = fcntl(fd_, F_GETFL);
  if (flags >= 0) fcntl(fd_, F_SETFL, flags & ~O_NONBLOCK);
  if (!CreateHandle()) {
    CloseFile();
    return VBMP3_ERR_OUT_OF_RESOURCES;
  }
  const std::int32_t result = ProbeFirstFrames();
  if (result != VBMP3_ERR_NONE) CloseFile();
  return result;
}

bool Mpg123Decoder::CreateHandle() {
  if (handle_ != nullptr) return true;
  InitialiseLibraryOnce();
  handle_ = mpg123_new(nullptr, nullptr);
  if (handle_ == nullptr) return false;
  mpg123_param(handle_, MPG123_ADD_FLAGS, MPG123_QUIET | MPG123_NO_FRANKENSTEIN, 0.0);
  mpg123_param(handle_, MPG123_RESYNC_LIMIT, static_cast<long>(kResyncLimit), 0.0);
  AllowSixteenBitOnly(handle_);
  return true;
}

// The first frames must start near the beginning and follow one another with
// no gap: a gap is libmpg123 resyncing, which in junk finds "frames" too.
std::int32_t Mpg123Decoder::ProbeFirstFrames() {
  if (mpg123_open_fd(handle_, fd_) != MPG123_OK) return VBMP3_ERR_NOT_MP3;
  int frames = 0;
  off_t next = -1;
  while (frames < kProbeFrames) {
    const int result = DecodeFrame().first;
    if (result == MPG123_DONE) break;
    if (result == MPG123_NEW_FORMAT && frames == 0) continue;
    if (result != MPG123_OK) return VBMP3_ERR_NOT_MP3;
    const off_t position = mpg123_framepos(handle_);
    mpg123_frameinfo frame{};
    mpg123_info(handle_, &frame);
    const bool inPlace = frames == 0 ? StartsNearBeginning(fd_, position) : position == next;
    if (!inPlace) return VBMP3_ERR_NOT_MP3;
    if (frames++ == 0) info_.bitRateKbps = frame.bitrate;
    next = position + frame.framesize;
  }
  if (frames == 0) return VBMP3_ERR_NOT_MP3;
  return ReadStreamInfo();
}

std::int32_t Mpg123Decoder::ReadStreamInfo() {
  long rate = 0;
  int channels = 0;
  int encoding = 0;
  if (mpg123_getformat(handle_, &rate, &channels, &encoding) != MPG123_OK || rate <= 0) {
    return VBMP3_ERR_NOT_MP3;
  }
  info_.format = {static_cast<std::int32_t>(rate), channels};
  // Without a frame count in the file the library estimates the length from
  // the file's size, which would count a tag in front as sound.
  const std::int64_t audio = AudioBytes(fd_);
  if (audio > 0) mpg123_set_filesize(handle_, static_cast<off_t>(audio));
  const off_t samples = mpg123_length(handle_);
  info_.lengthMs = samples > 0 ? static_cast<std::int32_t>(samples * 1000 / rate) : 0;
  ReadTags();
  return Rewind() ? VBMP3_ERR_NONE : VBMP3_ERR_READ;
}

std::pair<int, std::span<const std::byte>> Mpg123Decoder::DecodeFrame() {
  off_t sampleOffset = 0;
  unsigned char* audio = nullptr;
  std::size_t bytes = 0;
  const int result = mpg123_decode_frame(handle_, &sampleOffset, &audio, &bytes);
  return {result, {reinterpret_cast<const std::byte*>(audio), audio == nullptr ? 0 : bytes}};
}

void Mpg123Decoder::ReadTags() {
  mpg123_id3v1* v1 = nullptr;
  mpg123_id3v2* v2 = nullptr;
  if ((mpg123_meta_check(handle_) & MPG123_ID3) == 0 ||
      mpg123_id3(handle_, &v1, &v2) != MPG123_OK) {
    return;
  }
  if (v2 != nullptr) {
    info_.title = Utf8TagToAnsi(View(v2->title));
    info_.artist = Utf8TagToAnsi(View(v2->artist));
  }
  if (v1 != nullptr && info_.title.empty()) {
    info_.title = Id3v1TagToAnsi({v1->title, sizeof v1->title});
  }
  if (v1 != nullptr && info_.artist.empty()) {
    info_.artist = Id3v1TagToAnsi({v1->artist, sizeof v1->artist});
  }
}

bool Mpg123Decoder::Rewind() {
  return handle_ != nullptr && fd_ >= 0 && mpg123_seek(handle_, 0, SEEK_SET) >= 0;
}

ReadResult Mpg123Decoder::Read() {
  if (handle_ == nullptr || fd_ < 0) return {ReadStatus::kError, {}};
  for (;;) {
    const auto [result, pcm] = DecodeFrame();
    if (result == MPG123_DONE) return {ReadStatus::kEnd, {}};
    if (result == MPG123_NEW_FORMAT && SameFormat()) continue;
    if (result != MPG123_OK) return {ReadStatus::kError, {}};
    if (!pcm.empty()) return {ReadStatus::kData, pcm};
  }
}

// A format announced again after a rewind is welcome only unchanged: the
// output was opened for the first.
bool Mpg123Decoder::SameFormat() {
  long rate = 0;
  int channels = 0;
  int encoding = 0;
  return mpg123_getformat(handle_, &rate, &channels, &encoding) == MPG123_OK &&
         rate == info_.format.sampleRate && channels == info_.format.channels;
}

void Mpg123Decoder::CloseFile() {
  if (handle_ != nullptr) mpg123_close(handle_);
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  info_ = {};
}

std::unique_ptr<Decoder> MakeDecoder() {
  return std::make_unique<Mpg123Decoder>();
}

}  // namespace tarvex::vbmp3
