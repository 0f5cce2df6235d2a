#include "runtime/ansi_text.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "runtime/utf8.h"

namespace tarvex::runtime {
namespace {

constexpr std::string_view kReplacement = "\uFFFD";

// Shift-JIS (CP932) byte literals and the text they stand for.
struct CodePageCase {
  std::string name;
  std::string ansi;
  std::string text;
};

class CodePageRoundTripTest : public ::testing::TestWithParam<CodePageCase> {};

TEST_P(CodePageRoundTripTest, DecodesAndEncodesBack) {
  const CodePageCase& c = GetParam();
  EXPECT_EQ(AnsiToText(c.ansi), c.text);
  EXPECT_EQ(TextToAnsi(c.text), std::optional<std::string>(c.ansi));
  EXPECT_EQ(TextToAnsiLossy(c.text), c.ansi);
}

std::string CaseName(const ::testing::TestParamInfo<CodePageCase>& info) {
  return info.param.name;
}

INSTANTIATE_TEST_SUITE_P(
    Cp932, CodePageRoundTripTest,
    ::testing::Values(
        CodePageCase{"Empty", "", ""},
        CodePageCase{"Ascii", "Hello, world!\r\n", "Hello, world!\r\n"},
        CodePageCase{"BackslashAndTildeAreAscii", "C:\\dir\\~a.txt", "C:\\dir\\~a.txt"},
        CodePageCase{"NulBytesKept", std::string("ab\0\0", 4), std::string("ab\0\0", 4)},
        CodePageCase{"Kanji", "\x93\xFA\x96\x7B\x8C\xEA", "日本語"},
        CodePageCase{"Hiragana", "\x82\xA0\x82\xA2\x82\xA4", "あいう"},
        CodePageCase{"HalfWidthKatakana", "\xB1\xB2\xB3\xB4\xB5\xDE\xDF", "ｱｲｳｴｵﾞﾟ"},
        CodePageCase{"HalfWidthKatakanaMixed", "\xC3\xBD\xC4 ok", "ﾃｽﾄ ok"},
        CodePageCase{"TrailByte5C", "\x83\x5C\x95\x5C\x94\x5C\x97\x5C", "ソ表能予"},
        CodePageCase{"TrailByte5CBeforeBackslash", "\x95\x5C\\\x83\x5C", "表\\ソ"},
        CodePageCase{"TrailByte7C", "\x83\x7C", "ポ"},
        CodePageCase{"PathWithJapanese", "C:\\\x83\x65\x83\x4C\x83\x58\x83\x67\\a.txt",
                     "C:\\テキスト\\a.txt"},
        CodePageCase{"FullWidthSpaceAndPunctuation", "\x81\x40\x81\x41\x81\x42\x81\x43",
                     "\u3000、。，"},
        CodePageCase{"FullWidthTilde", "\x81\x60", "\uFF5E"},
        CodePageCase{"NecSpecial", "\x87\x40\x87\x54", "①Ⅰ"},
        CodePageCase{"IbmExtension", "\xFB\xFC", "髙"},
        CodePageCase{"UserDefinedArea", "\xF0\x40", "\uE000"}),
    CaseName);

class UnrepresentableTest : public ::testing::TestWithParam<std::string> {};

TEST_P(UnrepresentableTest, IsRefused) {
  EXPECT_EQ(TextToAnsi(GetParam()), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(Cp932, UnrepresentableTest,
                         ::testing::Values("é", "café", "\U0001F600", "日本語\U0001F600", "€",
                                           "\u00A0", "한국어",
                                           // Look-alikes that would read back as another character.
                                           "¥", "\u203E", "\u301C", "\u2016", "\u2212", "\u00A2",
                                           "\u00A3", "\u00AC", "\u2014",
                                           // U+FFFD and invalid UTF-8.
                                           "\uFFFD", "\xFF", "a\xC3", "\xED\xA0\x80", "\xC0\xAF"));

TEST(TextToAnsiLossyTest, MarksWhatTheCodePageLacks) {
  EXPECT_EQ(TextToAnsiLossy("a\u00E9\U0001F600b"), "a??b");
  EXPECT_EQ(TextToAnsiLossy("日本\u00E9"), "\x93\xFA\x96\x7B?");
  EXPECT_EQ(TextToAnsiLossy("¥100"), "?100");
  EXPECT_EQ(TextToAnsiLossy("a\xFF"
                            "b"),
            "a?b");
  EXPECT_EQ(TextToAnsiLossy("表\xE6\x97"), "\x95\x5C?");
}

class UndecodableTest : public ::testing::TestWithParam<CodePageCase> {};

TEST_P(UndecodableTest, BecomesReplacementAndKeepsTheRest) {
  EXPECT_EQ(AnsiToText(GetParam().ansi), GetParam().text);
}

const std::string R(kReplacement);

INSTANTIATE_TEST_SUITE_P(
    Cp932, UndecodableTest,
    ::testing::Values(CodePageCase{"UnassignedPairIsOneCharacter",
                                   "a\x85\xA0"
                                   "b",
                                   "a" + R + "b"},
                      CodePageCase{"UnassignedLeadRange", "\xEB\x40\x93\xFA", R + "日"},
                      CodePageCase{"LeadByteAtTheEnd", "\x93\xFA\x93", "日" + R},
                      CodePageCase{"LeadByteBeforeLineEnd", "a\x81\r\nb", "a" + R + "\r\nb"},
                      CodePageCase{"LeadByteBeforeComma", "\x81,x", R + ",x"},
                      CodePageCase{"LeadByteBeforeNul", std::string("\x81\0z", 3),
                                   R + std::string("\0z", 2)},
                      CodePageCase{"ManyBadBytesKeepTheRest",
                                   "\x85\x40\x85\x40\xEB\x40\x93\xFA\x96\x7B\x8C\xEA\x85",
                                   R + R + R + "日本語" + R}),
    CaseName);

// The single bytes the code page leaves out of its tables. Each system keeps
// its own conversion: it is what its other programs read the same bytes as.
TEST(UnassignedSingleByteTest, DecodesAsTheSystemDoes) {
#ifdef _WIN32
  // Windows gives 0x80 to U+0080. Windows proper gives 0xA0 and 0xFD-0xFF
  // private-use characters (U+F8F0-U+F8F3); Wine leaves them undecoded.
  EXPECT_EQ(AnsiToText("\x80"), "\u0080");
  EXPECT_THAT(AnsiToText("a\xA0"
                         "b"),
              ::testing::AnyOf("a" + R + "b", "a\uF8F0b"));
  EXPECT_THAT(AnsiToText("\xFD\xFE\xFF"), ::testing::AnyOf(R + R + R, "\uF8F1\uF8F2\uF8F3"));
#else
  // iconv's CP932 refuses all of them.
  EXPECT_EQ(AnsiToText("\x80"), R);
  EXPECT_EQ(AnsiToText("a\xA0"
                       "b"),
            "a" + R + "b");
  EXPECT_EQ(AnsiToText("\xFD\xFE\xFF"), R + R + R);
#endif
}

TEST(DetectEncodingTest, ByteOrderMarks) {
  EXPECT_EQ(DetectEncoding("\xEF\xBB\xBF"), TextEncoding::kUtf8Bom);
  EXPECT_EQ(DetectEncoding("\xEF\xBB\xBF"
                           "abc"),
            TextEncoding::kUtf8Bom);
  EXPECT_EQ(DetectEncoding("\xEF\xBB\xBF\x93\xFA"), TextEncoding::kUtf8Bom);
  EXPECT_EQ(DetectEncoding("\xFF\xFE"
                           "a\0"),
            TextEncoding::kUtf16LeBom);
  EXPECT_EQ(DetectEncoding("\xFE\xFF\0a"), TextEncoding::kUtf16BeBom);
}

TEST(DetectEncodingTest, Utf8NeedsValidMultiByteSequences) {
  EXPECT_EQ(DetectEncoding("日本語\r\n"), TextEncoding::kUtf8);
  EXPECT_EQ(DetectEncoding("abc é"), TextEncoding::kUtf8);
  EXPECT_EQ(DetectEncoding("abc\r\n"), TextEncoding::kAnsi);
  EXPECT_EQ(DetectEncoding(""), TextEncoding::kAnsi);
  EXPECT_EQ(DetectEncoding("\x93\xFA\x96\x7B\x8C\xEA"), TextEncoding::kAnsi);
  EXPECT_EQ(DetectEncoding("\x83\x5C\x95\x5C"), TextEncoding::kAnsi);
  EXPECT_EQ(DetectEncoding("日本語\x93\xFA"), TextEncoding::kAnsi);  // one bad byte spoils it
}

TEST(DecodeTextFileTest, EachEncoding) {
  EXPECT_EQ(DecodeTextFile(""), "");
  EXPECT_EQ(DecodeTextFile("abc,def\r\n"), "abc,def\r\n");
  EXPECT_EQ(DecodeTextFile("\x93\xFA\x96\x7B\x8C\xEA\r\n\x83\x5C"), "日本語\r\nソ");
  EXPECT_EQ(DecodeTextFile("日本語\r\n"), "日本語\r\n");
  EXPECT_EQ(DecodeTextFile("\xEF\xBB\xBF日本語"), "日本語");
  EXPECT_EQ(DecodeTextFile("\xEF\xBB\xBF"), "");
  EXPECT_EQ(DecodeTextFile(std::string("\xFF\xFE\xE5\x65\x2C\x67\r\0\n\0", 10)), "日本\r\n");
  EXPECT_EQ(DecodeTextFile(std::string("\xFE\xFF\x65\xE5\x67\x2C\0\r\0\n", 10)), "日本\r\n");
  EXPECT_EQ(DecodeTextFile(std::string("\xFF\xFE", 2)), "");
}

TEST(DecodeTextFileTest, Utf16SurrogatePairs) {
  // U+1F600 is D83D DE00.
  EXPECT_EQ(DecodeTextFile(std::string("\xFF\xFE\x3D\xD8\x00\xDE", 6)), "\U0001F600");
  EXPECT_EQ(DecodeTextFile(std::string("\xFE\xFF\xD8\x3D\xDE\x00", 6)), "\U0001F600");
}

TEST(DecodeTextFileTest, WhatDoesNotDecodeBecomesReplacement) {
  // A lone high surrogate, a lone low surrogate, a high one before a plain unit.
  EXPECT_EQ(DecodeTextFile(std::string("\xFF\xFE\x3D\xD8", 4)), R);
  EXPECT_EQ(DecodeTextFile(std::string("\xFF\xFE\x00\xDE"
                                       "a\0",
                                       6)),
            R + "a");
  EXPECT_EQ(DecodeTextFile(std::string("\xFF\xFE\x3D\xD8"
                                       "a\0",
                                       6)),
            R + "a");
  // An odd byte at the end.
  EXPECT_EQ(DecodeTextFile(std::string("\xFF\xFE"
                                       "a\0b",
                                       5)),
            "a" + R);
  // Bad bytes in a file marked as UTF-8.
  EXPECT_EQ(DecodeTextFile("\xEF\xBB\xBF"
                           "a\xFF"
                           "b\xE6\x97"),
            "a" + R + "b" + R);
}

TEST(EncodeTextTest, EachEncodingWithItsMark) {
  EXPECT_EQ(EncodeText("日本語", TextEncoding::kAnsi),
            std::optional<std::string>("\x93\xFA\x96\x7B\x8C\xEA"));
  EXPECT_EQ(EncodeText("日本語", TextEncoding::kUtf8), std::optional<std::string>("日本語"));
  EXPECT_EQ(EncodeText("日本語", TextEncoding::kUtf8Bom),
            std::optional<std::string>("\xEF\xBB\xBF日本語"));
  EXPECT_EQ(EncodeText("日\U0001F600", TextEncoding::kUtf16LeBom),
            std::optional<std::string>(std::string("\xFF\xFE\xE5\x65\x3D\xD8\x00\xDE", 8)));
  EXPECT_EQ(EncodeText("日\U0001F600", TextEncoding::kUtf16BeBom),
            std::optional<std::string>(std::string("\xFE\xFF\x65\xE5\xD8\x3D\xDE\x00", 8)));
}

TEST(EncodeTextTest, RefusesWhatTheEncodingCannotHold) {
  EXPECT_EQ(EncodeText("café", TextEncoding::kAnsi), std::nullopt);
  for (const auto encoding : {TextEncoding::kAnsi, TextEncoding::kUtf8, TextEncoding::kUtf8Bom,
                              TextEncoding::kUtf16LeBom, TextEncoding::kUtf16BeBom}) {
    EXPECT_EQ(EncodeText("a\xFF", encoding), std::nullopt);
  }
}

TEST(EncodeTextTest, DecodesBackToTheSameText) {
  const std::string text = "日本語のテキスト,ｶﾀｶﾅ\r\n表示\\ソフト ~ ①\r\n";
  for (const auto encoding :
       {TextEncoding::kAnsi, TextEncoding::kUtf8Bom, TextEncoding::kUtf16LeBom,
        TextEncoding::kUtf16BeBom, TextEncoding::kUtf8}) {
    const std::optional<std::string> bytes = EncodeText(text, encoding);
    ASSERT_TRUE(bytes.has_value()) << static_cast<int>(encoding);
    EXPECT_EQ(DetectEncoding(*bytes), encoding);
    EXPECT_EQ(DecodeTextFile(*bytes), text) << static_cast<int>(encoding);
  }
}

// Every character of the code page is written back as bytes that read as the
// same character (the bytes may differ for the code page's duplicates, such
// as the NEC-selected IBM extensions).
TEST(AnsiTextTest, EveryDecodableCharacterEncodesBack) {
  int characters = 0;
  for (int lead = 0; lead <= 0xFF; ++lead) {
    for (int trail = 0; trail <= 0xFF; ++trail) {
      std::string ansi(1, static_cast<char>(lead));
      const bool double_byte = (lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC);
      if (double_byte) {
        ansi += static_cast<char>(trail);
      } else if (trail > 0) {
        continue;
      }
      const std::string text = AnsiToText(ansi);
      if (text.find(kReplacement) != std::string::npos) {
        continue;
      }
      ++characters;
      const std::optional<std::string> back = TextToAnsi(text);
      ASSERT_TRUE(back.has_value()) << std::hex << lead << ' ' << trail;
      EXPECT_EQ(AnsiToText(*back), text) << std::hex << lead << ' ' << trail;
    }
  }
  EXPECT_GT(characters, 7000);  // JIS X 0208, the extensions, the user-defined area
}

TEST(AnsiTextTest, RandomBytesAlwaysGiveValidText) {
  std::mt19937 random(932);
  std::uniform_int_distribution<int> byte(0, 255);
  for (int round = 0; round < 2000; ++round) {
    std::string bytes(static_cast<std::size_t>(round % 40), '\0');
    for (char& b : bytes) {
      b = static_cast<char>(byte(random));
    }
    EXPECT_TRUE(IsValidUtf8(AnsiToText(bytes)));
    EXPECT_TRUE(IsValidUtf8(DecodeTextFile(bytes)));
    const std::string lossy = TextToAnsiLossy(bytes);
    EXPECT_LE(lossy.size(), bytes.size());
  }
}

// A binary file read as text: nothing decodes, and the work stays linear.
TEST(AnsiTextTest, LongTextOfBadBytes) {
  constexpr std::size_t kPairs = 1 << 17;
  std::string bytes;
  for (std::size_t i = 0; i < kPairs; ++i) {
    bytes += "\x85\x40";  // an unassigned lead/trail pair
  }
  const std::string text = AnsiToText(bytes);
  EXPECT_EQ(text.size(), kPairs * kReplacement.size());
  EXPECT_EQ(text.substr(text.size() - 3), R);
  EXPECT_EQ(TextToAnsiLossy(text), std::string(kPairs, '?'));
}

TEST(AnsiTextTest, ConvertsOnManyThreadsAtOnce) {
  const std::string ansi = "\x93\xFA\x96\x7B\x8C\xEA\x83\x5C\xB1\x85\x40";
  const std::string text = "日本語ソｱ" + R;
  std::vector<int> failures(8, 0);
  std::vector<std::thread> threads;
  for (std::size_t t = 0; t < failures.size(); ++t) {
    threads.emplace_back([&, t] {
      for (int i = 0; i < 2000; ++i) {
        if (AnsiToText(ansi) != text || TextToAnsi("日本語ソｱ") != ansi.substr(0, 9) ||
            TextToAnsi("é").has_value()) {
          ++failures[t];
        }
      }
    });
  }
  for (auto& thread : threads) {
    thread.join();
  }
  for (const int f : failures) {
    EXPECT_EQ(f, 0);
  }
}

}  // namespace
}  // namespace tarvex::runtime
