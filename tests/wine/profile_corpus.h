#pragma once
// Tricky settings files, read the same on both systems: the Linux profile
// store and the Windows profile functions must give every case's expected
// value. File contents and values are bytes in the ANSI code page (CP932).

#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/case_name.h"

namespace tarvex::testing {

struct ProfileCase {
  const char* name;
  std::string file;  // the file's bytes; kNoFile for none at all
  const char* section;
  const char* key;
  std::int32_t size;
  std::string expected;
};

TARVEX_PRINT_CASE_AS_NAME(ProfileCase)

inline const std::string kNoFile = std::string("\0no file\0", 9);

// CP932 bytes of the characters the cases use.
inline const std::string kMei = "\x96\xBE";  // 明
inline const std::string kSo = "\x83\x5C";   // ソ: its trail byte is the backslash
inline const std::string kMsPMincho =
    "\x82\x6C\x82\x72\x20\x82\x6F\x96\xBE\x92\xA9";  // ＭＳ Ｐ明朝

inline std::string Repeat(const std::string& piece, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += piece;
  return out;
}

inline std::vector<ProfileCase> ProfileCorpus() {
  return {
      {"SectionInOtherCase", "[tarvex]\r\nTIME=4\r\n", "TARVEX", "TIME", 6, "4"},
      {"KeyInOtherCase", "[TARVEX]\r\nFontName=Arial\r\n", "TARVEX", "FONTNAME", 30, "Arial"},
      {"BlanksAroundValue", "[TARVEX]\r\nFILE=  a b.txt \t\r\n", "TARVEX", "FILE", 200, "a b.txt"},
      {"BlanksAroundKey", "[TARVEX]\r\n  FILE  =x.txt\r\n", "TARVEX", "FILE", 200, "x.txt"},
      {"BlanksBeforeSection", "  [TARVEX]\r\nFILE=x.txt\r\n", "TARVEX", "FILE", 200, "x.txt"},
      {"DoubleQuotes", "[TARVEX]\r\nFILE=\"C:\\a b.txt\"\r\n", "TARVEX", "FILE", 200,
       "C:\\a b.txt"},
      {"SingleQuotes", "[TARVEX]\r\nFILE='x.txt'\r\n", "TARVEX", "FILE", 200, "x.txt"},
      {"QuotesInsideBlanks", "[TARVEX]\r\nFILE= \" x \" \r\n", "TARVEX", "FILE", 200, " x "},
      {"OpeningQuoteOnly", "[TARVEX]\r\nFILE=\"x.txt\r\n", "TARVEX", "FILE", 200, "\"x.txt"},
      {"MixedQuotesKept", "[TARVEX]\r\nFILE=\"x.txt'\r\n", "TARVEX", "FILE", 200, "\"x.txt'"},
      {"DuplicateKeyFirstWins", "[TARVEX]\r\nFILE=a\r\nFILE=b\r\n", "TARVEX", "FILE", 200, "a"},
      {"DuplicateSectionFirstWins", "[TARVEX]\r\nFILE=a\r\n[TARVEX]\r\nFILE=b\r\n", "TARVEX",
       "FILE", 200, "a"},
      {"OtherSectionIgnored", "[OTHER]\r\nFILE=o\r\n[TARVEX]\r\nFILE=t\r\n", "TARVEX", "FILE", 200,
       "t"},
      {"CommentedKeyMissing", "[TARVEX]\r\n;FILE=x\r\n", "TARVEX", "FILE", 200, ""},
      {"KeyAfterComment", "[TARVEX]\r\n; note\r\nFILE=x\r\n", "TARVEX", "FILE", 200, "x"},
      {"LfLineEnds", "[TARVEX]\nTIME=3\nFILE=x\n", "TARVEX", "FILE", 200, "x"},
      {"NoLineEndAtEnd", "[TARVEX]\r\nFILE=x", "TARVEX", "FILE", 200, "x"},
      {"EmptyValue", "[TARVEX]\r\nFILE=\r\n", "TARVEX", "FILE", 200, ""},
      {"EqualsInValue", "[TARVEX]\r\nFILE=/a=b.txt\r\n", "TARVEX", "FILE", 200, "/a=b.txt"},
      {"LongValueCut", "[TARVEX]\r\nFILE=" + std::string(250, 'a') + "\r\n", "TARVEX", "FILE", 200,
       std::string(199, 'a')},
      {"SixCharactersReadAsFive", "[TARVEX]\r\nTIME=0000004\r\n", "TARVEX", "TIME", 6, "00000"},
      {"ShiftJisValue", "[TARVEX]\r\nFONTNAME=" + kMsPMincho + "\r\n", "TARVEX", "FONTNAME", 30,
       kMsPMincho},
      {"ShiftJisFitsExactly", "[TARVEX]\r\nFONTNAME=" + Repeat(kMei, 14) + "\r\n", "TARVEX",
       "FONTNAME", 30, Repeat(kMei, 14)},
      {"ShiftJisNeverCutInHalf", "[TARVEX]\r\nFONTNAME=a" + Repeat(kMei, 15) + "\r\n", "TARVEX",
       "FONTNAME", 30, "a" + Repeat(kMei, 14)},
      {"ShiftJisBackslashTrailByte", "[TARVEX]\r\nFILE=C:\\" + kSo + "\\a.txt\r\n", "TARVEX",
       "FILE", 200, "C:\\" + kSo + "\\a.txt"},
      {"ShiftJisSectionNameMissing", "[TARVEX]\r\nFILE=x\r\n", "\x96\xBE", "FILE", 200, ""},
      {"MissingFile", kNoFile, "TARVEX", "FILE", 200, ""},
      {"MissingSection", "[OTHER]\r\nFILE=x\r\n", "TARVEX", "FILE", 200, ""},
      {"MissingKey", "[TARVEX]\r\nMP3=x\r\n", "TARVEX", "FILE", 200, ""},
      {"EmptyFile", "", "TARVEX", "FILE", 200, ""},
  };
}

}  // namespace tarvex::testing
