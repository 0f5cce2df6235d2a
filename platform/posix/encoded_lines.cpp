#include "platform/posix/encoded_lines.h"

#include <algorithm>
#include <utility>

namespace tarvex::platform::posix {

using runtime::TextEncoding;

namespace {

std::size_t BomLength(TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::kUtf8Bom:
      return 3;
    case TextEncoding::kUtf16LeBom:
    case TextEncoding::kUtf16BeBom:
      return 2;
    default:
      return 0;
  }
}

bool IsAscii(std::string_view bytes) {
  return std::all_of(bytes.begin(), bytes.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace

EncodedLines::EncodedLines(std::string_view eol) : default_eol_(eol) {}

EncodedLines EncodedLines::Parse(std::string_view bytes, std::string_view fallback_eol) {
  EncodedLines file;
  file.encoding_ = runtime::DetectEncoding(bytes);
  if (file.encoding_ == TextEncoding::kAnsi && IsAscii(bytes)) {
    file.encoding_ = TextEncoding::kUtf8;
  }
  file.bom_ = std::string(bytes.substr(0, BomLength(file.encoding_)));
  const std::string_view body = bytes.substr(file.bom_.size());
  const std::size_t width = file.UnitWidth();
  const std::size_t units = body.size() / width;
  std::size_t start = 0;
  std::size_t unit = 0;
  while (unit < units) {
    const char16_t c = file.UnitAt(body, unit);
    if (c != u'\r' && c != u'\n') {
      ++unit;
      continue;
    }
    const bool crlf = c == u'\r' && unit + 1 < units && file.UnitAt(body, unit + 1) == u'\n';
    const std::size_t eol_units = crlf ? 2 : 1;
    const std::string_view raw = body.substr(start * width, (unit - start) * width);
    file.lines_.push_back({std::string(raw),
                           std::string(body.substr(unit * width, eol_units * width)),
                           file.Decode(raw)});
    unit += eol_units;
    start = unit;
  }
  if (start * width < body.size()) {
    const std::string_view raw = body.substr(start * width);
    file.lines_.push_back({std::string(raw), std::string(), file.Decode(raw)});
  }
  if (!file.lines_.empty() && !file.lines_.front().eol.empty()) {
    file.default_eol_ = file.lines_.front().eol;
  } else {
    file.default_eol_ = file.Encode(fallback_eol).value_or(std::string(fallback_eol));
  }
  return file;
}

bool EncodedLines::Insert(std::size_t index, std::string_view text) {
  std::optional<std::string> raw = Encode(text);
  if (!raw) {
    return false;
  }
  if (index > 0 && lines_[index - 1].eol.empty()) {
    EndLine(lines_[index - 1]);
  }
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(index),
                EncodedLine{std::move(*raw), default_eol_, std::string(text)});
  return true;
}

// A stray byte at the end of a UTF-16 file, half a character, becomes a whole
// U+FFFD, as it reads, when a line goes after it: kept, it would put every
// later character out of step.
void EncodedLines::EndLine(EncodedLine& line) const {
  if (line.raw.size() % UnitWidth() != 0) {
    line.raw.pop_back();
    line.raw += Encode("\uFFFD").value_or("");
  }
  line.eol = default_eol_;
}

bool EncodedLines::Replace(std::size_t index, std::string_view text) {
  std::optional<std::string> raw = Encode(text);
  if (!raw) {
    return false;
  }
  lines_[index].raw = std::move(*raw);
  lines_[index].text = std::string(text);
  return true;
}

bool EncodedLines::ReplaceAfter(std::size_t index, char separator, std::string_view tail) {
  std::optional<std::string> encoded_tail = Encode(tail);
  if (!encoded_tail) {
    return false;
  }
  EncodedLine& line = lines_[index];
  const std::size_t width = UnitWidth();
  const std::size_t units = line.raw.size() / width;
  std::size_t unit = 0;
  while (unit < units && UnitAt(line.raw, unit) != static_cast<char16_t>(separator)) {
    ++unit;
  }
  if (unit < units) {
    ++unit;
  }
  while (unit < units && (UnitAt(line.raw, unit) == u' ' || UnitAt(line.raw, unit) == u'\t')) {
    ++unit;
  }
  line.raw = line.raw.substr(0, unit * width) + *encoded_tail;
  line.text = Decode(line.raw);
  return true;
}

void EncodedLines::Erase(std::size_t first, std::size_t last) {
  lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(first),
               lines_.begin() + static_cast<std::ptrdiff_t>(last));
}

std::string EncodedLines::Bytes() const {
  std::string bytes = bom_;
  for (const EncodedLine& line : lines_) {
    bytes += line.raw;
    bytes += line.eol;
  }
  return bytes;
}

bool EncodedLines::ReadsBack() const {
  const std::string bytes = Bytes();
  return IsAscii(bytes) || runtime::DetectEncoding(bytes) == encoding_;
}

std::optional<std::string> EncodedLines::Encode(std::string_view text) const {
  std::optional<std::string> encoded = runtime::EncodeText(text, encoding_);
  if (encoded && std::string_view(*encoded).starts_with(bom_)) {
    encoded->erase(0, bom_.size());
  }
  return encoded;
}

std::string EncodedLines::Decode(std::string_view raw) const {
  switch (encoding_) {
    case TextEncoding::kAnsi:
      return runtime::AnsiToText(raw);
    case TextEncoding::kUtf8:
      return std::string(raw);
    default:
      return runtime::DecodeTextFile(bom_ + std::string(raw));
  }
}

std::size_t EncodedLines::UnitWidth() const noexcept {
  return encoding_ == TextEncoding::kUtf16LeBom || encoding_ == TextEncoding::kUtf16BeBom ? 2 : 1;
}

char16_t EncodedLines::UnitAt(std::string_view raw, std::size_t unit) const noexcept {
  if (UnitWidth() == 1) {
    return static_cast<unsigned char>(raw[unit]);
  }
  const auto first = static_cast<unsigned char>(raw[2 * unit]);
  const auto second = static_cast<unsigned char>(raw[2 * unit + 1]);
  return encoding_ == TextEncoding::kUtf16LeBom ? static_cast<char16_t>(first | (second << 8))
                                                : static_cast<char16_t>((first << 8) | second);
}

}  // namespace tarvex::platform::posix
