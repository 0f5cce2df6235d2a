// The ANSI code page on Windows: the system's (CP_ACP), converted with
// MultiByteToWideChar and WideCharToMultiByte. UTF-16 is only the way between
// the two: program text is UTF-8.

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "runtime/ansi_text.h"
#include "runtime/utf8.h"

namespace tarvex::runtime {

namespace {

// Every Windows double-byte code page takes its trail bytes from 0x40 up: a
// lower byte after a lead byte (a line end, a comma) is a character of its own.
constexpr unsigned char kLowestTrailByte = 0x40;

int Length(std::size_t size) {
  return static_cast<int>(size);
}

// The whole of `bytes` decoded from `codePage`; nothing when any byte
// sequence is invalid or unassigned.
std::optional<std::wstring> ToWide(UINT codePage, std::string_view bytes) {
  if (bytes.empty()) return std::wstring();
  const int needed = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(),
                                         Length(bytes.size()), nullptr, 0);
  if (needed <= 0) return std::nullopt;
  std::wstring wide(static_cast<std::size_t>(needed), L'\0');
  MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), Length(bytes.size()),
                      wide.data(), needed);
  return wide;
}

std::string WideToUtf8(std::wstring_view wide) {
  if (wide.empty()) return {};
  const int needed = WideCharToMultiByte(CP_UTF8, 0, wide.data(), Length(wide.size()), nullptr, 0,
                                         nullptr, nullptr);
  std::string out(static_cast<std::size_t>(needed > 0 ? needed : 0), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), Length(wide.size()), out.data(), needed, nullptr,
                      nullptr);
  return out;
}

// UTF-16 to the ANSI code page, refusing any character it would replace by
// its default character or by a look-alike.
std::optional<std::string> WideToAnsi(std::wstring_view wide) {
  if (wide.empty()) return std::string();
  BOOL usedDefault = FALSE;
  const int needed = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(),
                                         Length(wide.size()), nullptr, 0, nullptr, &usedDefault);
  if (needed <= 0 || usedDefault) return std::nullopt;
  std::string ansi(static_cast<std::size_t>(needed), '\0');
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), Length(wide.size()), ansi.data(),
                      needed, nullptr, &usedDefault);
  // A mapping that does not read back as it was written is a look-alike too.
  if (usedDefault || ToWide(CP_ACP, ansi) != std::wstring(wide)) return std::nullopt;
  return ansi;
}

// Bytes of the character that starts `rest`, as far as the code page's lead
// bytes tell.
std::size_t CharacterLength(std::string_view rest) {
  const auto lead = static_cast<unsigned char>(rest[0]);
  if (rest.size() >= 2 && IsDBCSLeadByteEx(CP_ACP, lead) &&
      static_cast<unsigned char>(rest[1]) >= kLowestTrailByte) {
    return 2;
  }
  return 1;
}

// One character at a time, for text holding bytes that do not decode.
std::string AnsiToTextByCharacter(std::string_view ansi) {
  std::string text;
  while (!ansi.empty()) {
    const std::size_t length = CharacterLength(ansi);
    if (auto wide = ToWide(CP_ACP, ansi.substr(0, length))) {
      text += WideToUtf8(*wide);
    } else {
      AppendUtf8(text, kReplacementCharacter);
    }
    ansi.remove_prefix(length);
  }
  return text;
}

}  // namespace

std::string AnsiToText(std::string_view ansi) {
  if (auto wide = ToWide(CP_ACP, ansi)) return WideToUtf8(*wide);
  return AnsiToTextByCharacter(ansi);
}

std::optional<std::string> TextToAnsi(std::string_view text) {
  if (!IsValidUtf8(text)) return std::nullopt;
  const std::optional<std::wstring> wide = ToWide(CP_UTF8, text);
  if (!wide) return std::nullopt;
  // A system whose ANSI code page is UTF-8 holds every character as it is.
  if (GetACP() == CP_UTF8) return std::string(text);
  return WideToAnsi(*wide);
}

}  // namespace tarvex::runtime
