#pragma once
// UTF-8, the program's own text encoding, one character at a time.

#include <cstddef>
#include <string>
#include <string_view>

namespace tarvex::runtime {

inline constexpr char32_t kReplacementCharacter = U'\uFFFD';

// One character of a UTF-8 text, or one undecodable stretch of it.
struct Utf8Char {
  char32_t code = 0;       // kReplacementCharacter when !valid
  std::size_t length = 0;  // bytes taken; at least 1 when any text is left
  bool valid = false;
};

// The character at `pos` (strict: no overlong forms, no surrogates, nothing
// above U+10FFFF). An invalid sequence spans its longest valid-looking
// prefix (at least one byte), so that each bad stretch counts once and the
// text after it is read normally.
Utf8Char DecodeUtf8Char(std::string_view text, std::size_t pos);

// Appends the UTF-8 form of a code point (surrogates and values above
// U+10FFFF append U+FFFD).
void AppendUtf8(std::string& out, char32_t code);

bool IsValidUtf8(std::string_view text);

// The text with every undecodable stretch replaced by U+FFFD.
std::string SanitizeUtf8(std::string_view text);

}  // namespace tarvex::runtime
