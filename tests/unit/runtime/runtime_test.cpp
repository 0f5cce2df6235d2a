// Numbers read from text, narrowed to integers, and the errors raised; text
// in UTF-8, in the ANSI code page (CP932) and in the encodings of text files,
// and its split into a message's items at commas and line ends.

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "runtime/ansi_text.h"
#include "runtime/decimal_text.h"
#include "runtime/item_reader.h"
#include "runtime/numeric.h"
#include "runtime/runtime_error.h"
#include "runtime/skip_on_failure.h"
#include "runtime/utf8.h"
#include "tests/support/case_name.h"

namespace tarvex::runtime {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

// A text, its leading number, and its value as a whole decimal number.
using ValueCase = std::tuple<const char*, const char*, double, std::optional<double>>;
class NumericValueTest : public ::testing::TestWithParam<ValueCase> {};

TEST_P(NumericValueTest, ReadsTheLeadingNumberAndOnlyAWholeDecimalHasAValue) {
  const auto& [name, text, leading, whole] = GetParam();
  EXPECT_EQ(NumericValue(text), leading);
  EXPECT_EQ(WholeDecimalValue(text), whole);
}

const ValueCase kValues[] = {
    {"SignedFractionWithoutIntegerPart", "-.25", -0.25, -0.25},
    {"DecimalFractionRoundsCorrectly", "0.1", 0.1, 0.1},
    {"SignedWithBlanksAround", " -2147483641\t", -2147483641.0, -2147483641.0},
    {"BlanksInsideAreSkippedButNoWholeNumber", "\t1\r\n2 3", 123.0, std::nullopt},
    {"BlanksOnly", "  ", 0.0, std::nullopt},
    {"LonePoint", ".", 0.0, std::nullopt},
    {"StopsAtTheSecondPoint", "1.2.3", 1.2, std::nullopt},
    {"TwoSignsAreNoNumber", "+-5", 0.0, std::nullopt},
    {"ExponentWithD", "1d+2", 100.0, 100.0},
    {"NegativeExponent", "2.5E-1", 0.25, 0.25},
    {"ExponentWithoutDigits", "1e", 1.0, std::nullopt},
    {"TooLargeIsInfinity", "-1E309", -kInf, -kInf},
    {"TooSmallIsZero", "1E-99999999999999999999", 0.0, 0.0},
    {"HugeExponentIsInfinity", "1E99999999999999999999", kInf, kInf},
    {"Hexadecimal", " &h1f px", 31.0, std::nullopt},
    {"HexadecimalLargest", "&HFFFFFFFF", 4294967295.0, std::nullopt},
    {"Octal", "&o777", 511.0, std::nullopt},
    {"OctalStopsAtEight", "&O78", 7.0, std::nullopt},
};
INSTANTIATE_TEST_SUITE_P(Texts, NumericValueTest, ::testing::ValuesIn(kValues),
                         testing::CaseName());

// nullopt: the narrowing raises error 6.
using Int = std::optional<std::int32_t>;

template <class Narrow>
Int Narrowed(Narrow narrow, double value) {
  try {
    return narrow(value);
  } catch (const RuntimeError& error) {
    EXPECT_EQ(error.number(), kOverflow);
    return std::nullopt;
  }
}

using NarrowCase = std::tuple<const char*, double, Int, Int>;
class NarrowTest : public ::testing::TestWithParam<NarrowCase> {};

TEST_P(NarrowTest, RoundsHalvesToEvenAndRefusesWhatDoesNotFit) {
  const auto& [name, value, int16, int32] = GetParam();
  EXPECT_EQ(Narrowed(ToInt16, value), int16);
  EXPECT_EQ(Narrowed(ToInt32, value), int32);
}

constexpr std::int32_t kInt32Min = std::numeric_limits<std::int32_t>::min();
const NarrowCase kNarrowings[] = {
    {"HalfGoesDownToEven", 2.5, 2, 2},
    {"HalfGoesUpToEven", 3.5, 4, 4},
    {"NegativeHalfGoesToEven", -2.5, -2, -2},
    {"JustBelowHalfGoesDown", 0.49999999999999994, 0, 0},
    {"Int16LargestAfterRounding", 32767.4, 32767, 32767},
    {"Int16HalfAboveTheLargest", 32767.5, std::nullopt, 32768},
    {"Int16HalfBelowTheSmallest", -32768.5, -32768, -32768},
    {"Int16BelowTheSmallest", -32768.6, std::nullopt, -32769},
    {"Int32HalfAboveTheLargest", 2147483647.5, std::nullopt, std::nullopt},
    {"Int32Smallest", -2147483648.0, std::nullopt, kInt32Min},
    {"Int32BelowTheSmallest", -2147483648.6, std::nullopt, std::nullopt},
    {"Infinity", -kInf, std::nullopt, std::nullopt},
    {"NotANumber", std::numeric_limits<double>::quiet_NaN(), std::nullopt, std::nullopt},
};
INSTANTIATE_TEST_SUITE_P(Values, NarrowTest, ::testing::ValuesIn(kNarrowings), testing::CaseName());

TEST(SkipOnFailureTest, AFailingStepIsSkippedAndAFailingBranchTestCountsAsTrue) {
  std::string steps;
  SkipOnFailure([&] {
    steps += "a";
    throw RuntimeError(kFileNotFound);
  });
  SkipOnFailure([&] { throw std::runtime_error("other"); });
  SkipOnFailure([&] { steps += "b"; });
  EXPECT_EQ(steps, "ab");
  EXPECT_FALSE(BranchTest([] { return false; }));
  EXPECT_TRUE(BranchTest([]() -> bool { throw RuntimeError(kOverflow); }));
}

const std::string R = "\uFFFD";
constexpr char32_t kBad = kReplacementCharacter;

using DecodeCase = std::tuple<const char*, std::string, char32_t, std::size_t>;
class DecodeUtf8Test : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeUtf8Test, TakesOneCharacterOrTheBadStretch) {
  const auto& [name, bytes, code, length] = GetParam();
  const Utf8Char c = DecodeUtf8Char("x" + bytes, 1);
  EXPECT_EQ(c.valid, code != kBad);
  EXPECT_EQ(c.code, code);
  EXPECT_EQ(c.length, length);
}

const DecodeCase kDecodings[] = {
    {"FourBytes", "\U0010FFFF", U'\U0010FFFF', 4},
    {"LoneContinuationByte", "\xBF", kBad, 1},
    {"OverlongTwoBytes", "\xC1\xBF", kBad, 1},
    {"OverlongThreeBytes", "\xE0\x80\x80", kBad, 1},
    {"Surrogate", "\xED\xA0\x80", kBad, 1},
    {"OverlongFourBytes", "\xF0\x80\x80\x80", kBad, 1},
    {"BeyondUnicode", "\xF4\x90\x80\x80", kBad, 1},
    {"InvalidLeadByte", "\xF5\x80", kBad, 1},
    {"CutThreeByteSequence", "\xE6\x97!", kBad, 2},
    {"CutFourByteSequence", "\xF0\x9F\x98", kBad, 3},
    {"LeadByteBeforeAscii", "\xC3!", kBad, 1},
};
INSTANTIATE_TEST_SUITE_P(Bytes, DecodeUtf8Test, ::testing::ValuesIn(kDecodings),
                         testing::CaseName());

// Bytes in the code page and the text they stand for.
using CodePageCase = std::tuple<const char*, std::string, std::string>;
class CodePageRoundTripTest : public ::testing::TestWithParam<CodePageCase> {};

TEST_P(CodePageRoundTripTest, DecodesAndEncodesBack) {
  const auto& [name, ansi, text] = GetParam();
  EXPECT_EQ(AnsiToText(ansi), text);
  EXPECT_EQ(TextToAnsi(text), std::optional<std::string>(ansi));
  EXPECT_EQ(TextToAnsiLossy(text), ansi);
}

const CodePageCase kRoundTrips[] = {
    {"BackslashAndTildeAreAscii", "C:\\dir\\~a.txt", "C:\\dir\\~a.txt"},
    {"HalfWidthKatakana", "\xB1\xDE\xDF ok", "ｱﾞﾟ ok"},
    {"TrailByteThatIsABackslash", "\x95\x5C\\\x83\x5C", "表\\ソ"},
    {"FullWidthSpaceAndTilde", "\x81\x40\x81\x60", "\u3000\uFF5E"},
    {"IbmExtension", "\xFB\xFC", "髙"},
    {"UserDefinedArea", "\xF0\x40", "\uE000"},
};
INSTANTIATE_TEST_SUITE_P(Cp932, CodePageRoundTripTest, ::testing::ValuesIn(kRoundTrips),
                         testing::CaseName());

// Look-alikes are refused too: they would read back as another character.
TEST(TextToAnsiTest, RefusesWhatTheCodePageLacks) {
  for (const char* text : {"café", "日本語\U0001F600", "¥", "\u203E", "\u301C", "\u2016", "\u2212",
                           "\u00A2", "\u2014", "\uFFFD", "a\xC3", "\xED\xA0\x80"}) {
    EXPECT_EQ(TextToAnsi(text), std::nullopt) << text;
  }
  EXPECT_EQ(TextToAnsiLossy("日\u00E9\U0001F600¥b\xFF"), "\x93\xFA???b?");
  EXPECT_EQ(TextToAnsiLossy("表\xE6\x97"), "\x95\x5C?");
}

using enum TextEncoding;
using FileCase = std::tuple<const char*, std::string, TextEncoding, std::string>;
class TextFileTest : public ::testing::TestWithParam<FileCase> {};

TEST_P(TextFileTest, DetectsTheEncodingAndDecodes) {
  const auto& [name, bytes, encoding, text] = GetParam();
  EXPECT_EQ(DetectEncoding(bytes), encoding);
  EXPECT_EQ(DecodeTextFile(bytes), text);
}

const FileCase kFiles[] = {
    {"AsciiIsAnsi", "abc,def\r\n", kAnsi, "abc,def\r\n"},
    {"Cp932", "\x93\xFA\x96\x7B\r\n\x83\x5C", kAnsi, "日本\r\nソ"},
    {"UnassignedPairIsOneCharacter", "a\x85\xA0\x62", kAnsi, "a" + R + "b"},
    {"LeadByteAtTheEnd", "\x93\xFA\x93", kAnsi, "日" + R},
    {"LeadByteBeforeALineEnd", "a\x81\r\nb", kAnsi, "a" + R + "\r\nb"},
    {"Utf8", "abc é", kUtf8, "abc é"},
    {"OneBadByteMakesItAnsi", "é\x93\xFA", kAnsi, "ﾃｩ日"},
    {"Utf8Bom", "\xEF\xBB\xBF日本語", kUtf8Bom, "日本語"},
    {"BadBytesAfterAUtf8Bom", "\xEF\xBB\xBF\x61\xFF\x62\xE6\x97", kUtf8Bom, "a" + R + "b" + R},
    {"Utf16Le", std::string("\xFF\xFE\xE5\x65\r\0\n\0", 8), kUtf16LeBom, "日\r\n"},
    {"Utf16Be", std::string("\xFE\xFF\x65\xE5\0\r", 6), kUtf16BeBom, "日\r"},
    {"Utf16LeSurrogatePair", std::string("\xFF\xFE\x3D\xD8\x00\xDE", 6), kUtf16LeBom, "😀"},
    {"Utf16LoneHighSurrogate", std::string("\xFF\xFE\x3D\xD8\x61\x00", 6), kUtf16LeBom, R + "a"},
    {"Utf16OddByteAtTheEnd", std::string("\xFF\xFE\x61\x00\x62", 5), kUtf16LeBom, "a" + R},
};
INSTANTIATE_TEST_SUITE_P(Files, TextFileTest, ::testing::ValuesIn(kFiles), testing::CaseName());

TEST(EncodeTextTest, EachEncodingReadsBackAsItselfAndTheSameText) {
  const std::string text = "日本語のテキスト,ｶﾀｶﾅ\r\n表示\\ソフト ~ ①\U0001F600";
  const std::string ansi_text = text.substr(0, text.size() - 4);  // no emoji in CP932
  for (const auto encoding : {kAnsi, kUtf8, kUtf8Bom, kUtf16LeBom, kUtf16BeBom}) {
    const std::string& original = encoding == kAnsi ? ansi_text : text;
    const std::optional<std::string> bytes = EncodeText(original, encoding);
    ASSERT_TRUE(bytes.has_value()) << static_cast<int>(encoding);
    EXPECT_EQ(DetectEncoding(*bytes), encoding);
    EXPECT_EQ(DecodeTextFile(*bytes), original) << static_cast<int>(encoding);
    EXPECT_EQ(EncodeText("a\xFF", encoding), std::nullopt);
  }
  EXPECT_EQ(EncodeText("日\U0001F600", kUtf16BeBom),
            std::string("\xFE\xFF\x65\xE5\xD8\x3D\xDE\x00", 8));
  EXPECT_EQ(EncodeText("café", kAnsi), std::nullopt);
}

// Every character of the code page is written back as bytes that read as the
// same character (the bytes may differ for the duplicates, such as the
// NEC-selected IBM extensions).
TEST(AnsiTextTest, EveryDecodableCharacterEncodesBack) {
  int characters = 0;
  for (int lead = 0; lead <= 0xFF; ++lead) {
    const bool double_byte = (lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC);
    for (int trail = 0; trail <= (double_byte ? 0xFF : 0); ++trail) {
      std::string ansi(1, static_cast<char>(lead));
      if (double_byte) ansi += static_cast<char>(trail);
      const std::string text = AnsiToText(ansi);
      if (text.find(R) != std::string::npos) continue;
      ++characters;
      const std::optional<std::string> back = TextToAnsi(text);
      ASSERT_TRUE(back.has_value()) << std::hex << lead << ' ' << trail;
      EXPECT_EQ(AnsiToText(*back), text) << std::hex << lead << ' ' << trail;
    }
  }
  EXPECT_GT(characters, 7000);  // JIS X 0208, the extensions, the user-defined area
}

using Items = std::vector<std::string>;
class ItemReaderTest
    : public ::testing::TestWithParam<std::tuple<const char*, std::string, Items>> {};

// As the message-file reader reads: the end test before each item; reading
// past the end gives empty items.
TEST_P(ItemReaderTest, ReadsTheItems) {
  ItemReader reader(std::get<1>(GetParam()));
  Items items;
  while (!reader.AtEnd() && items.size() <= 100) items.push_back(reader.Next());
  EXPECT_EQ(items, std::get<2>(GetParam()));
  EXPECT_EQ(reader.Next(), "");
}

const std::tuple<const char*, std::string, Items> kItems[] = {
    {"EmptyTextHasNoItems", "", {}},
    {"EveryLineEndEndsAnItem", "a\r\nb\nc\rd\n\re", {"a", "b", "c", "d", "", "e"}},
    {"CommasDelimit", ",a,,b", {"", "a", "", "b"}},
    {"CommaAtTheEndPromisesAnEmptyItem", "a,", {"a", ""}},
    {"AsciiSpacesAroundAnItemDropped", "  a b  ,  c  ", {"a b", "c"}},
    {"TabsFullWidthSpacesAndCommasKept", "\ta\u3000\uFF0Cb,x", {"\ta\u3000\uFF0Cb", "x"}},
    {"QuotesDropped", "   \"a\"", {"a"}},
    {"QuotedCommasBlanksAndLineEndsKept", "\" a,\r\nb \",c", {" a,\r\nb ", "c"}},
    {"TextAfterTheClosingQuoteDropped", "\"a\" junk,b\"c\" junk\r\nd", {"a", "b\"c\" junk", "d"}},
    {"UnterminatedQuoteRunsToTheEnd", "\"abc\r\ndef,ghi", {"abc\r\ndef,ghi"}},
    {"NulIsAnOrdinaryCharacter", std::string("a\0b,c", 5), {std::string("a\0b", 3), "c"}},
};
INSTANTIATE_TEST_SUITE_P(Texts, ItemReaderTest, ::testing::ValuesIn(kItems), testing::CaseName());

}  // namespace
}  // namespace tarvex::runtime
