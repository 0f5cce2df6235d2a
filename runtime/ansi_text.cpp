// The portable half of the text conversion: encoding detection, UTF-8 and
// UTF-16, and the lossy form of TextToAnsi. The ANSI code page itself
// (AnsiToText, TextToAnsi) lives in the platform layer.
#include "runtime/ansi_text.h"

#include <cstddef>

#include "runtime/utf8.h"

namespace tarvex::runtime {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";

bool HoldsMultiByteUtf8(std::string_view bytes) {
  bool multi_byte = false;
  for (std::size_t pos = 0; pos < bytes.size();) {
    const Utf8Char c = DecodeUtf8Char(bytes, pos);
    if (!c.valid) {
      return false;
    }
    multi_byte = multi_byte || c.length > 1;
    pos += c.length;
  }
  return multi_byte;
}

std::string DecodeUtf16(std::string_view bytes, bool big_endian) {
  const auto unit_at = [&](std::size_t pos) -> char32_t {
    const auto first = static_cast<unsigned char>(bytes[pos]);
    const auto second = static_cast<unsigned char>(bytes[pos + 1]);
    return big_endian ? (char32_t{first} << 8) | second : (char32_t{second} << 8) | first;
  };
  const auto is_high = [](char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; };
  const auto is_low = [](char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; };

  std::string text;
  text.reserve(bytes.size() + bytes.size() / 2);
  std::size_t pos = 0;
  for (; pos + 1 < bytes.size(); pos += 2) {
    const char32_t unit = unit_at(pos);
    if (is_high(unit) && pos + 3 < bytes.size() && is_low(unit_at(pos + 2))) {
      AppendUtf8(text, 0x10000 + ((unit - 0xD800) << 10) + (unit_at(pos + 2) - 0xDC00));
      pos += 2;
    } else if (is_high(unit) || is_low(unit)) {
      AppendUtf8(text, kReplacementCharacter);
    } else {
      AppendUtf8(text, unit);
    }
  }
  if (pos < bytes.size()) {  // an odd byte at the end
    AppendUtf8(text, kReplacementCharacter);
  }
  return text;
}

std::optional<std::string> EncodeUtf16(std::string_view text, bool big_endian) {
  std::string bytes(big_endian ? kUtf16BeBom : kUtf16LeBom);
  bytes.reserve(bytes.size() + text.size() * 2);
  const auto put_unit = [&](char32_t unit) {
    const auto high = static_cast<char>(unit >> 8);
    const auto low = static_cast<char>(unit & 0xFF);
    bytes += big_endian ? high : low;
    bytes += big_endian ? low : high;
  };
  for (std::size_t pos = 0; pos < text.size();) {
    const Utf8Char c = DecodeUtf8Char(text, pos);
    if (!c.valid) {
      return std::nullopt;
    }
    if (c.code >= 0x10000) {
      put_unit(0xD800 + ((c.code - 0x10000) >> 10));
      put_unit(0xDC00 + ((c.code - 0x10000) & 0x3FF));
    } else {
      put_unit(c.code);
    }
    pos += c.length;
  }
  return bytes;
}

}  // namespace

TextEncoding DetectEncoding(std::string_view bytes) {
  if (bytes.starts_with(kUtf8Bom)) {
    return TextEncoding::kUtf8Bom;
  }
  if (bytes.starts_with(kUtf16LeBom)) {
    return TextEncoding::kUtf16LeBom;
  }
  if (bytes.starts_with(kUtf16BeBom)) {
    return TextEncoding::kUtf16BeBom;
  }
  return HoldsMultiByteUtf8(bytes) ? TextEncoding::kUtf8 : TextEncoding::kAnsi;
}

std::string DecodeTextFile(std::string_view bytes) {
  switch (DetectEncoding(bytes)) {
    case TextEncoding::kUtf8Bom:
      return SanitizeUtf8(bytes.substr(kUtf8Bom.size()));
    case TextEncoding::kUtf8:
      return std::string(bytes);
    case TextEncoding::kUtf16LeBom:
      return DecodeUtf16(bytes.substr(kUtf16LeBom.size()), false);
    case TextEncoding::kUtf16BeBom:
      return DecodeUtf16(bytes.substr(kUtf16BeBom.size()), true);
    case TextEncoding::kAnsi:
      break;
  }
  return AnsiToText(bytes);
}

std::optional<std::string> EncodeText(std::string_view text, TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::kAnsi:
      return TextToAnsi(text);
    case TextEncoding::kUtf8:
    case TextEncoding::kUtf8Bom:
      if (!IsValidUtf8(text)) {
        return std::nullopt;
      }
      return encoding == TextEncoding::kUtf8Bom ? std::string(kUtf8Bom) + std::string(text)
                                                : std::string(text);
    case TextEncoding::kUtf16LeBom:
      return EncodeUtf16(text, false);
    case TextEncoding::kUtf16BeBom:
      return EncodeUtf16(text, true);
  }
  return std::nullopt;
}

// Built on TextToAnsi character by character, so it refuses exactly what
// the platform's codec refuses.
std::string TextToAnsiLossy(std::string_view text) {
  if (auto ansi = TextToAnsi(text)) return *std::move(ansi);
  std::string ansi;
  ansi.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    const Utf8Char c = DecodeUtf8Char(text, pos);
    const auto one = c.valid ? TextToAnsi(text.substr(pos, c.length)) : std::nullopt;
    ansi += one ? *one : std::string("?");
    pos += c.length;
  }
  return ansi;
}

}  // namespace tarvex::runtime
