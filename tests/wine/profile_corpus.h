#pragma once
// Tricky settings files, read the same on both systems: the Linux profile
// store and the Windows profile functions must give every case's expected
// value, whatever the buffer, and refuse the same writes. File contents and
// values are bytes in the ANSI code page (CP932).

#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/case_name.h"

namespace tarvex::testing {

struct ProfileCase {
  const char* name;
  std::string file;  // the file's bytes; kNoFile for none at all
  std::string expected;
  const char* key = "FILE";
  std::int32_t size = 200;
  const char* section = "TARVEX";
};

TARVEX_PRINT_CASE_AS_NAME(ProfileCase)

inline const std::string kNoFile = std::string("\0no file\0", 9);

// CP932 bytes of the characters the cases use.
inline const std::string kMei = "\x96\xBE";  // 明
inline const std::string kSo = "\x83\x5C";   // ソ: its trail byte is the backslash

inline const std::string kLong(5000, 'v');  // longer than a first buffer

inline std::string Repeat(const std::string& piece, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += piece;
  return out;
}

inline std::vector<ProfileCase> ProfileCorpus() {
  return {
      {"SectionInOtherCase", "[tarvex]\r\nTIME=4\r\n", "4", "TIME", 6},
      {"KeyInOtherCase", "[TARVEX]\r\nFontName=Arial\r\n", "Arial", "FONTNAME", 30},
      {"BlanksAroundValue", "[TARVEX]\r\nFILE=  a b.txt \t\r\n", "a b.txt"},
      {"BlanksAroundKey", "[TARVEX]\r\n  FILE  =x.txt\r\n", "x.txt"},
      {"BlanksBeforeSection", "  [TARVEX]\r\nFILE=x.txt\r\n", "x.txt"},
      {"DoubleQuotes", "[TARVEX]\r\nFILE=\"C:\\a b.txt\"\r\n", "C:\\a b.txt"},
      {"SingleQuotes", "[TARVEX]\r\nFILE='x.txt'\r\n", "x.txt"},
      {"QuotesInsideBlanks", "[TARVEX]\r\nFILE= \" x \" \r\n", " x "},
      {"OpeningQuoteOnly", "[TARVEX]\r\nFILE=\"x.txt\r\n", "\"x.txt"},
      {"MixedQuotesKept", "[TARVEX]\r\nFILE=\"x.txt'\r\n", "\"x.txt'"},
      {"DuplicateKeyFirstWins", "[TARVEX]\r\nFILE=a\r\nFILE=b\r\n", "a"},
      {"DuplicateSectionFirstWins", "[TARVEX]\r\nFILE=a\r\n[TARVEX]\r\nFILE=b\r\n", "a"},
      {"OtherSectionIgnored", "[OTHER]\r\nFILE=o\r\n[TARVEX]\r\nFILE=t\r\n", "t"},
      {"CommentedKeyMissing", "[TARVEX]\r\n;FILE=x\r\n", ""},
      {"KeyAfterComment", "[TARVEX]\r\n; note\r\nFILE=x\r\n", "x"},
      {"LfLineEnds", "[TARVEX]\nTIME=3\nFILE=x\n", "x"},
      {"NoLineEndAtEnd", "[TARVEX]\r\nFILE=x", "x"},
      {"EmptyValue", "[TARVEX]\r\nFILE=\r\n", ""},
      {"EqualsInValue", "[TARVEX]\r\nFILE=/a=b.txt\r\n", "/a=b.txt"},
      {"LongValueCut", "[TARVEX]\r\nFILE=" + std::string(250, 'a') + "\r\n", std::string(199, 'a')},
      {"LargeBufferHoldsALongValue", "[TARVEX]\r\nFILE=" + kLong + "\r\n", kLong, "FILE", 1 << 20},
      {"LongValueCutToTheBuffer", "[TARVEX]\r\nFILE=" + kLong + "\r\n", kLong.substr(1), "FILE",
       5000},
      {"BufferOfOne", "[TARVEX]\r\nFILE=x\r\n", "", "FILE", 1},
      {"NegativeBuffer", "[TARVEX]\r\nFILE=x\r\n", "", "FILE", -5},
      {"KeyNotInCodePage", "[TARVEX]\r\nFILE=x\r\n", "", "caf\xC3\xA9"},
      {"ShiftJisFitsExactly", "[TARVEX]\r\nFONTNAME=" + Repeat(kMei, 14) + "\r\n", Repeat(kMei, 14),
       "FONTNAME", 30},
      {"ShiftJisNeverCutInHalf", "[TARVEX]\r\nFONTNAME=a" + Repeat(kMei, 15) + "\r\n",
       "a" + Repeat(kMei, 14), "FONTNAME", 30},
      {"ShiftJisBackslashTrailByte", "[TARVEX]\r\nFILE=C:\\" + kSo + "\\a.txt\r\n",
       "C:\\" + kSo + "\\a.txt"},
      {"ShiftJisSectionNameMissing", "[TARVEX]\r\nFILE=x\r\n", "", "FILE", 200, "\x96\xBE"},
      {"MissingFile", kNoFile, ""},
      {"MissingSection", "[OTHER]\r\nFILE=x\r\n", ""},
      {"MissingKey", "[TARVEX]\r\nMP3=x\r\n", ""},
  };
}

// Writes both systems refuse, leaving tarvex.ini (in CP932) as it was: text
// stored mangled or read back as something else (a line break could forge
// keys), and files that cannot be written (not read-only: root writes those).
struct RefusedWrite {
  const char* name;
  const char* file;  // beside tarvex.ini and a folder "folder"
  const char* section;
  const char* key;
  const char* value;
};

TARVEX_PRINT_CASE_AS_NAME(RefusedWrite)

inline std::vector<RefusedWrite> RefusedWrites() {
  return {
      {"NotInCodePage", "tarvex.ini", "TARVEX", "FILE", "caf\xC3\xA9"},
      {"LineFeedInValue", "tarvex.ini", "TARVEX", "FILE", "a\nTIME=9"},
      {"CarriageReturnInValue", "tarvex.ini", "TARVEX", "FILE", "a\rb"},
      {"EqualsInKey", "tarvex.ini", "TARVEX", "FI=LE", "x"},
      {"BracketInSection", "tarvex.ini", "TAR]VEX", "FILE", "x"},
      {"EmptyKey", "tarvex.ini", "TARVEX", "", "x"},
      {"PathIsAFolder", "folder", "TARVEX", "FILE", "x"},
      {"MissingDirectory", "no/t.ini", "TARVEX", "FILE", "x"},
  };
}

}  // namespace tarvex::testing
