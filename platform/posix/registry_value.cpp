#include "platform/posix/registry_value.h"

#include <charconv>

#include "platform/posix/line_text.h"
#include "runtime/ansi_text.h"

namespace tarvex::platform::posix {

namespace {

constexpr std::string_view kHexDigits = "0123456789abcdef";

// A quoted string at the start of `text`; `rest` receives what follows the
// closing quote.
std::optional<std::string> ParseQuoted(std::string_view text, std::string_view& rest) {
  std::string result;
  for (std::size_t i = 1; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 1 < text.size()) {
      result += text[++i];
    } else if (text[i] == '"') {
      rest = text.substr(i + 1);
      return result;
    } else {
      result += text[i];
    }
  }
  return std::nullopt;
}

struct NameAndData {
  std::string name;
  std::string_view data;
};

std::optional<NameAndData> SplitLine(std::string_view line) {
  line = TrimLeft(line);
  NameAndData split;
  std::string_view rest;
  if (line.starts_with('@')) {
    rest = line.substr(1);
  } else if (line.starts_with('"')) {
    std::optional<std::string> name = ParseQuoted(line, rest);
    if (!name) {
      return std::nullopt;
    }
    split.name = std::move(*name);
  } else {
    return std::nullopt;
  }
  rest = TrimLeft(rest);
  if (!rest.starts_with('=')) {
    return std::nullopt;
  }
  split.data = Trim(rest.substr(1));
  return split;
}

template <class Number>
std::optional<Number> ParseHexNumber(std::string_view digits, std::size_t max_digits) {
  Number number{};
  const auto [end, error] =
      std::from_chars(digits.data(), digits.data() + digits.size(), number, 16);
  if (digits.empty() || digits.size() > max_digits || error != std::errc() ||
      end != digits.data() + digits.size()) {
    return std::nullopt;
  }
  return number;
}

// "01,00, 2a," : one or two hexadecimal digits per byte; a final comma is allowed.
std::optional<std::string> ParseHexBytes(std::string_view list) {
  std::string bytes;
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = list.find(',', start);
    const bool last = comma == std::string_view::npos;
    const std::string_view piece =
        Trim(list.substr(start, last ? std::string_view::npos : comma - start));
    if (piece.empty()) {
      return last ? std::optional<std::string>(bytes) : std::nullopt;
    }
    const std::optional<unsigned> byte = ParseHexNumber<unsigned>(piece, 2);
    if (!byte) {
      return std::nullopt;
    }
    bytes += static_cast<char>(*byte);
    if (last) {
      return bytes;
    }
    start = comma + 1;
  }
}

std::optional<RegistryValue> ParseTypedHex(std::string_view data) {
  const std::size_t close = data.find("):");
  if (close == std::string_view::npos) {
    return std::nullopt;
  }
  const std::optional<std::uint32_t> type =
      ParseHexNumber<std::uint32_t>(data.substr(4, close - 4), 8);
  const std::optional<std::string> bytes = ParseHexBytes(data.substr(close + 2));
  if (!type || !bytes) {
    return std::nullopt;
  }
  return RegistryValue::Binary(*bytes, *type);
}

std::optional<RegistryValue> ParseData(std::string_view data) {
  if (data.starts_with('"')) {
    std::string_view rest;
    const std::optional<std::string> text = ParseQuoted(data, rest);
    if (!text || !Trim(rest).empty()) {
      return std::nullopt;
    }
    return RegistryValue::String(*text);
  }
  if (StartsWithIgnoringCase(data, "dword:")) {
    const std::optional<std::uint32_t> number = ParseHexNumber<std::uint32_t>(data.substr(6), 8);
    if (!number) {
      return std::nullopt;
    }
    return RegistryValue::Dword(*number);
  }
  if (StartsWithIgnoringCase(data, "hex:")) {
    const std::optional<std::string> bytes = ParseHexBytes(data.substr(4));
    if (!bytes) {
      return std::nullopt;
    }
    return RegistryValue::Binary(*bytes);
  }
  if (StartsWithIgnoringCase(data, "hex(")) {
    return ParseTypedHex(data);
  }
  return std::nullopt;
}

std::string Escape(std::string_view text) {
  std::string escaped;
  for (const char c : text) {
    if (c == '\\' || c == '"') {
      escaped += '\\';
    }
    escaped += c;
  }
  return escaped;
}

// At least `min_digits` hexadecimal digits, zeros in front.
std::string HexNumber(std::uint32_t number, std::size_t min_digits) {
  std::string text;
  do {
    text.insert(text.begin(), kHexDigits[number & 0xF]);
    number >>= 4;
  } while (number != 0 || text.size() < min_digits);
  return text;
}

std::string HexList(std::string_view bytes) {
  std::string list;
  for (const char c : bytes) {
    if (!list.empty()) {
      list += ',';
    }
    list += HexNumber(static_cast<unsigned char>(c), 2);
  }
  return list;
}

}  // namespace

RegistryValue RegistryValue::String(std::string_view text) {
  return {kRegSz, true, std::string(text), {}};
}

RegistryValue RegistryValue::Dword(std::uint32_t value) {
  std::string bytes;
  for (int shift = 0; shift < 32; shift += 8) {
    bytes += static_cast<char>((value >> shift) & 0xFF);
  }
  return {kRegDword, false, {}, std::move(bytes)};
}

RegistryValue RegistryValue::Binary(std::string_view bytes, std::uint32_t type) {
  return {type, false, {}, std::string(bytes)};
}

std::string RegistryValue::QueryData() const {
  if (!is_text) {
    return bytes;
  }
  std::string data = runtime::TextToAnsiLossy(text);
  data += '\0';
  return data;
}

std::optional<RegistryEntry> ParseRegistryEntry(std::string_view line) {
  std::optional<NameAndData> split = SplitLine(line);
  if (!split) {
    return std::nullopt;
  }
  return RegistryEntry{std::move(split->name), ParseData(split->data)};
}

bool ContinuesOnNextLine(std::string_view line) {
  const std::optional<NameAndData> split = SplitLine(line);
  return split && StartsWithIgnoringCase(split->data, "hex") && TrimRight(line).ends_with('\\');
}

std::optional<std::string> FormatRegistryEntry(std::string_view name, const RegistryValue& value) {
  if (HasLineBreakOrNul(name) || (value.is_text && HasLineBreakOrNul(value.text))) {
    return std::nullopt;
  }
  const std::string line = name.empty() ? "@=" : "\"" + Escape(name) + "\"=";
  if (value.is_text) {
    return line + "\"" + Escape(value.text) + "\"";
  }
  if (value.type == kRegDword && value.bytes.size() == 4) {
    std::uint32_t number = 0;
    for (int i = 3; i >= 0; --i) {
      number = (number << 8) | static_cast<unsigned char>(value.bytes[i]);
    }
    return line + "dword:" + HexNumber(number, 8);
  }
  if (value.type == kRegBinary) {
    return line + "hex:" + HexList(value.bytes);
  }
  return line + "hex(" + HexNumber(value.type, 1) + "):" + HexList(value.bytes);
}

}  // namespace tarvex::platform::posix
