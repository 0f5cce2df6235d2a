#include "vbmp3/tag_text.h"

#include <iconv.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <utility>

namespace tarvex::vbmp3 {
namespace {

constexpr const char* kAnsiCodePage = "CP932";

// The whole of `input` converted, or nothing when any of it does not convert.
std::optional<std::string> Convert(const char* to, const char* from, std::string_view input) {
  iconv_t cd = iconv_open(to, from);
  if (reinterpret_cast<std::intptr_t>(cd) == -1) return std::nullopt;
  std::string in(input);
  std::string out(input.size() * 4 + 4, '\0');
  char* inPtr = in.data();
  std::size_t inLeft = in.size();
  char* outPtr = out.data();
  std::size_t outLeft = out.size();
  const std::size_t result = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
  iconv_close(cd);
  if (result == static_cast<std::size_t>(-1) || inLeft != 0) return std::nullopt;
  out.resize(out.size() - outLeft);
  return out;
}

bool IsCp932LeadByte(unsigned char c) {
  return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

}  // namespace

std::string Utf8TagToAnsi(std::string_view utf8) {
  std::optional<std::string> ansi = Convert(kAnsiCodePage, "UTF-8", utf8);
  // iconv also maps look-alikes ("¥" to 0x5C, U+301C to the full-width
  // tilde): a text that does not read back as it was is not held.
  if (!ansi || Convert("UTF-8", kAnsiCodePage, *ansi) != utf8) return {};
  return *std::move(ansi);
}

std::string Id3v1TagToAnsi(std::string_view raw) {
  const std::size_t end = raw.find_last_not_of(std::string_view("\0 ", 2));
  const std::string_view text = raw.substr(0, end == std::string_view::npos ? 0 : end + 1);
  if (text.find('\0') != std::string_view::npos) return {};
  return Convert("UTF-8", kAnsiCodePage, text) ? std::string(text) : std::string();
}

void CopyToField(std::string_view ansi, std::span<char> field) {
  std::fill(field.begin(), field.end(), '\0');
  if (field.empty()) return;
  std::size_t length = 0;
  while (length < ansi.size()) {
    const std::size_t width = IsCp932LeadByte(static_cast<unsigned char>(ansi[length])) ? 2 : 1;
    if (length + width > field.size() - 1) break;
    length += width;
  }
  std::copy_n(ansi.begin(), std::min(length, ansi.size()), field.begin());
}

}  // namespace tarvex::vbmp3
