#pragma once
// Text conversion between the program's own text type (UTF-8 in std::string)
// and the ANSI code page: CP932 (Shift-JIS) on Linux, the system's code page
// on Windows. The functions are implemented by the platform layer.

#include <optional>
#include <string>
#include <string_view>

namespace tarvex::runtime {

// ANSI bytes to program text. Bytes that do not decode become U+FFFD.
std::string AnsiToText(std::string_view ansi);

// Program text to ANSI bytes; nothing when the code page cannot hold some
// character (text is never silently changed on its way out).
std::optional<std::string> TextToAnsi(std::string_view text);

// Program text to ANSI bytes, characters the code page lacks becoming '?'.
// Only for text shown or compared, never for text that is stored.
std::string TextToAnsiLossy(std::string_view text);

// How a text file's bytes were encoded.
enum class TextEncoding { kAnsi, kUtf8, kUtf8Bom, kUtf16LeBom, kUtf16BeBom };

// A file starting with a UTF-8 or UTF-16 byte-order mark is in that encoding;
// a file that is valid UTF-8 and holds multi-byte sequences is UTF-8;
// everything else is the ANSI code page.
TextEncoding DetectEncoding(std::string_view bytes);

// The file's bytes as program text, byte-order mark removed.
std::string DecodeTextFile(std::string_view bytes);

// Program text in the given encoding (with its byte-order mark); nothing when
// the encoding cannot hold it.
std::optional<std::string> EncodeText(std::string_view text, TextEncoding encoding);

}  // namespace tarvex::runtime
