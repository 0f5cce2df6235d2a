// The ANSI code page on Linux: CP932 (Microsoft's Shift-JIS, where 0x5C is the
// backslash and 0x7E the tilde), converted through iconv.
//
// Each thread keeps its own pair of iconv descriptors, so the functions may be
// called from any thread. Without a CP932 converter (a C library that lacks
// it), ASCII still converts and everything else counts as not convertible.
#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "runtime/ansi_text.h"
#include "runtime/utf8.h"

namespace tarvex::runtime {

namespace {

constexpr const char* kCodePage = "CP932";
constexpr std::string_view kReplacement = "\uFFFD";

class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (Usable()) {
      iconv_close(cd_);
    }
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // iconv_open reports failure as (iconv_t)-1.
  bool Usable() const {
    return cd_ != reinterpret_cast<iconv_t>(-1);  // NOLINT(performance-no-int-to-ptr)
  }
  iconv_t get() const { return cd_; }

 private:
  iconv_t cd_;
};

Converter& Decoder() {
  thread_local Converter converter("UTF-8", kCodePage);
  return converter;
}

Converter& Encoder() {
  thread_local Converter converter(kCodePage, "UTF-8");
  return converter;
}

enum class Stop { kDone, kInvalid };

// Output text being filled: `bytes` is sized ahead, `used` is how much of it
// holds output. Sizing once keeps a text full of bad bytes linear.
struct Output {
  explicit Output(std::size_t capacity) : bytes(capacity, '\0') {}

  void Append(std::string_view more) {
    Reserve(more.size());
    bytes.replace(used, more.size(), more);
    used += more.size();
  }
  void Reserve(std::size_t more) {
    if (bytes.size() - used < more) {
      bytes.resize(std::max(bytes.size() * 2, used + more));
    }
  }
  std::string Take() && {
    bytes.resize(used);
    return std::move(bytes);
  }

  std::string bytes;
  std::size_t used = 0;
};

// Converts `rest` as far as it goes. On kInvalid, `rest` starts with the
// sequence that did not convert (or is cut short).
Stop Convert(const Converter& converter, std::string_view& rest, Output& out) {
  if (!converter.Usable()) {  // only ASCII is known
    std::size_t ascii = 0;
    while (ascii < rest.size() && static_cast<unsigned char>(rest[ascii]) < 0x80) {
      ++ascii;
    }
    out.Append(rest.substr(0, ascii));
    rest.remove_prefix(ascii);
    return rest.empty() ? Stop::kDone : Stop::kInvalid;
  }

  iconv(converter.get(), nullptr, nullptr, nullptr, nullptr);  // initial state
  // iconv takes a non-const input pointer but does not write through it.
  char* in = const_cast<char*>(rest.data());
  std::size_t in_left = rest.size();
  while (in_left > 0) {
    out.Reserve(16);
    char* dst = out.bytes.data() + out.used;
    std::size_t dst_left = out.bytes.size() - out.used;
    const std::size_t result = iconv(converter.get(), &in, &in_left, &dst, &dst_left);
    const int error = errno;
    out.used = static_cast<std::size_t>(dst - out.bytes.data());
    if (result == static_cast<std::size_t>(-1)) {
      if (error == E2BIG) {
        out.Reserve(in_left * 3 + 16);
        continue;
      }
      rest.remove_prefix(rest.size() - in_left);
      return Stop::kInvalid;  // EILSEQ, or EINVAL for a sequence cut short
    }
  }
  rest = {};
  return Stop::kDone;
}

bool IsLeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

bool IsTrailByte(unsigned char byte) {
  return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0x80 && byte <= 0xFC);
}

// How many bytes an undecodable character spans: a lead byte takes a trail
// byte with it, so a pair the code page leaves unassigned is one character;
// any other byte stands alone, so a line end or comma after a stray lead byte
// is kept.
std::size_t UndecodableLength(std::string_view rest) {
  if (rest.size() >= 2 && IsLeadByte(static_cast<unsigned char>(rest[0])) &&
      IsTrailByte(static_cast<unsigned char>(rest[1]))) {
    return 2;
  }
  return 1;
}

bool IsAscii(std::string_view text) {
  for (const char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) {
      return false;
    }
  }
  return true;
}

}  // namespace

std::string AnsiToText(std::string_view ansi) {
  // No byte grows to more than three bytes of UTF-8 (U+FFFD included).
  Output text(ansi.size() * 3 + 16);
  std::string_view rest = ansi;
  while (Convert(Decoder(), rest, text) == Stop::kInvalid) {
    text.Append(kReplacement);
    rest.remove_prefix(UndecodableLength(rest));
  }
  return std::move(text).Take();
}

std::optional<std::string> TextToAnsi(std::string_view text) {
  if (IsAscii(text)) {
    return std::string(text);  // CP932 keeps ASCII as it is, 0x5C and 0x7E included
  }
  Output out(text.size() + 16);  // no character takes more bytes in CP932 than in UTF-8
  std::string_view rest = text;
  if (Convert(Encoder(), rest, out) != Stop::kDone) {
    return std::nullopt;  // invalid UTF-8, or a character CP932 lacks
  }
  std::string ansi = std::move(out).Take();
  // iconv also maps look-alikes ("¥" to 0x5C, U+301C to the full-width
  // tilde); such text would not read back as it was written.
  if (AnsiToText(ansi) != text) {
    return std::nullopt;
  }
  return ansi;
}

}  // namespace tarvex::runtime
