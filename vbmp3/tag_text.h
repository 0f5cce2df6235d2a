#pragma once
// Tag texts for the open record, which holds ANSI code page text (CP932 on
// Linux). A text the code page cannot hold is left empty rather than mangled.

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace tarvex::vbmp3 {

// UTF-8 (as libmpg123 gives ID3v2 texts) to the ANSI code page.
std::string Utf8TagToAnsi(std::string_view utf8);

// An ID3v1 field, which carries no encoding: kept when it reads as the ANSI
// code page (as Japanese taggers write it), trailing NULs and blanks removed.
std::string Id3v1TagToAnsi(std::string_view raw);

// Copies `ansi` into a NUL-padded field, cut before a character that would
// not fit whole with its terminating NUL.
void CopyToField(std::string_view ansi, std::span<char> field);

}  // namespace tarvex::vbmp3
