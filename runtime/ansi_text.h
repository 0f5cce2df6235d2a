#pragma once
// Text conversion between the program's own text type (UTF-8 in std::string)
// and the ANSI code page: CP932 (Shift-JIS) on Linux, the system's code page
// on Windows. The code page functions (AnsiToText, TextToAnsi) are
// implemented by the platform layer; the rest is
// portable. All functions may be called from any thread.

#include <optional>
#include <string>
#include <string_view>

namespace tarvex::runtime {

// ANSI bytes to program text. Bytes that do not decode become U+FFFD: an
// unassigned lead/trail pair is one U+FFFD, any other stray byte is one U+FFFD
// of its own (so a line end or comma after a stray lead byte is kept). Never
// throws; the text after a bad byte is decoded as usual.
std::string AnsiToText(std::string_view ansi);

// Program text to ANSI bytes; nothing when the code page cannot hold some
// character, or when the text is not valid UTF-8 (text is never silently
// changed on its way out). Look-alike ("best fit") mappings count as not
// held: "¥" is refused rather than written as 0x5C, because it would read
// back as a backslash.
std::optional<std::string> TextToAnsi(std::string_view text);

// Program text to ANSI bytes, characters the code page lacks (and
// undecodable bytes) becoming '?'. Equal to TextToAnsi() whenever that holds a
// value. Only for text shown or compared, never for text that is stored.
std::string TextToAnsiLossy(std::string_view text);

// How a text file's bytes were encoded.
enum class TextEncoding { kAnsi, kUtf8, kUtf8Bom, kUtf16LeBom, kUtf16BeBom };

// A file starting with a UTF-8 or UTF-16 byte-order mark is in that encoding;
// a file that is valid UTF-8 and holds multi-byte sequences is UTF-8;
// everything else is the ANSI code page (plain ASCII included, which reads the
// same either way).
TextEncoding DetectEncoding(std::string_view bytes);

// The file's bytes as program text, byte-order mark removed. Whatever does
// not decode becomes U+FFFD: bad sequences in a file marked as UTF-8, lone
// UTF-16 surrogates, an odd last byte of a UTF-16 file.
std::string DecodeTextFile(std::string_view bytes);

// Program text in the given encoding (with its byte-order mark); nothing when
// the encoding cannot hold it or the text is not valid UTF-8.
std::optional<std::string> EncodeText(std::string_view text, TextEncoding encoding);

}  // namespace tarvex::runtime
