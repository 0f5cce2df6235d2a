#include "runtime/utf8.h"

namespace tarvex::runtime {

namespace {

bool InRange(unsigned char byte, unsigned lo, unsigned hi) {
  return byte >= lo && byte <= hi;
}

}  // namespace

Utf8Char DecodeUtf8Char(std::string_view text, std::size_t pos) {
  if (pos >= text.size()) {
    return {};
  }
  const auto lead = static_cast<unsigned char>(text[pos]);
  if (lead < 0x80) {
    return {lead, 1, true};
  }

  std::size_t length = 0;
  char32_t code = 0;
  // Bounds of the second byte; later bytes are always 80..BF.
  unsigned lo = 0x80;
  unsigned hi = 0xBF;
  if (InRange(lead, 0xC2, 0xDF)) {
    length = 2;
    code = lead & 0x1Fu;
  } else if (InRange(lead, 0xE0, 0xEF)) {
    length = 3;
    code = lead & 0x0Fu;
    if (lead == 0xE0) {
      lo = 0xA0;  // no overlong forms
    } else if (lead == 0xED) {
      hi = 0x9F;  // no surrogates
    }
  } else if (InRange(lead, 0xF0, 0xF4)) {
    length = 4;
    code = lead & 0x07u;
    if (lead == 0xF0) {
      lo = 0x90;  // no overlong forms
    } else if (lead == 0xF4) {
      hi = 0x8F;  // nothing above U+10FFFF
    }
  } else {
    return {kReplacementCharacter, 1, false};
  }

  for (std::size_t i = 1; i < length; ++i) {
    if (pos + i >= text.size()) {
      return {kReplacementCharacter, i, false};
    }
    const auto byte = static_cast<unsigned char>(text[pos + i]);
    const bool fits = i == 1 ? InRange(byte, lo, hi) : InRange(byte, 0x80, 0xBF);
    if (!fits) {
      return {kReplacementCharacter, i, false};
    }
    code = (code << 6) | (byte & 0x3Fu);
  }
  return {code, length, true};
}

void AppendUtf8(std::string& out, char32_t code) {
  if ((code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) {
    code = kReplacementCharacter;
  }
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

bool IsValidUtf8(std::string_view text) {
  for (std::size_t pos = 0; pos < text.size();) {
    const Utf8Char c = DecodeUtf8Char(text, pos);
    if (!c.valid) {
      return false;
    }
    pos += c.length;
  }
  return true;
}

std::string SanitizeUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    const Utf8Char c = DecodeUtf8Char(text, pos);
    if (c.valid) {
      out.append(text.substr(pos, c.length));
    } else {
      AppendUtf8(out, kReplacementCharacter);
    }
    pos += c.length;
  }
  return out;
}

}  // namespace tarvex::runtime
