// Reading and writing values with the profile functions, on files written at
// test time. The rules both systems share are in tests/wine/profile_corpus.h;
// these are the ones only this store has to keep.

#include <gtest/gtest.h>

#include <string>

#include "platform/profile.h"
#include "tests/support/case_name.h"
#include "tests/support/temp_dir.h"

namespace tarvex::platform {
namespace {

// UTF-16 file bytes, byte-order mark first.
std::string Utf16(std::u16string_view text, bool big_endian) {
  std::string bytes = big_endian ? "\xFE\xFF" : "\xFF\xFE";
  for (const char16_t unit : text) {
    const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
    bytes += {big_endian ? high : low, big_endian ? low : high};
  }
  return bytes;
}

struct ReadCase {
  const char* name;
  std::string file;
  const char* section;
  std::int32_t size;
  std::string expected;  // of key K
};
TARVEX_PRINT_CASE_AS_NAME(ReadCase)

class ProfileRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ProfileRead, FindsTheValue) {
  const ReadCase& c = GetParam();
  testing::TempDir dir;
  EXPECT_EQ(
      GetPrivateProfileStringA(c.section, "K", "fallback", c.size, dir.Write("t.ini", c.file)),
      c.expected);
}

// ソ is 0x83 0x5C in CP932, its trail byte a backslash. Sizes count the NUL.
const ReadCase kReads[] = {
    {"BlanksInsideBrackets", "[ A ]\t\r\n \tK \t= 4\r\n", "A", 50, "4"},
    {"SectionWithoutClosingBracket", "[A\r\nK=4\r\n", "A", 50, "4"},
    {"OnlyTheFirstSectionOfANameCounts", "[A]\nJ=1\n[a]\nK=2\n", "A", 50, "fallback"},
    {"CommentedSectionSkipped", ";[A]\nK=1\n[A]\nK=2\n", "A", 50, "2"},
    {"KeyBeforeAnySection", "K=1\n[A]\nJ=2\n", "A", 50, "fallback"},
    {"LineWithoutEqualsIsNoKey", "[A]\nK\nK=2\n", "A", 50, "2"},
    {"PrefixOfANameDoesNotMatch", "[AB]\nKL=1\n[A]\nK=2\n", "A", 50, "2"},
    {"MixedLineEnds", "[A]\rJ=0\nL=2\r\nK=1", "A", 50, "1"},
    {"Cp932TrailByteLikeBracket", "[\x83\x5C]\r\nK=\x83\x5C]\r\n", "ソ", 50, "ソ]"},
    {"Utf16BeBlanksDropped", Utf16(u"[A]\nK= 値 \n", true), "A", 50, "値"},
    {"SizeOneGivesEmpty", "[A]\nK=1\n", "A", 1, ""},
    {"NegativeSizeGivesEmpty", "[A]\nK=1\n", "A", -5, ""},
    {"SingleByteKanaCountsOne", "[A]\nK=ｱｲｳ\n", "A", 3, "ｱｲ"},
    {"CharacterOutsideCp932CountsItsUtf8Bytes", "[A]\nK=a😀b\n", "A", 6, "a😀"},
    {"CharacterOutsideCp932StraddlingTheCut", "[A]\nK=a😀b\n", "A", 5, "a"},
    {"QuotesDoNotCount", "[A]\nK=\"12345\"\n", "A", 6, "12345"},
};
INSTANTIATE_TEST_SUITE_P(Files, ProfileRead, ::testing::ValuesIn(kReads),
                         tarvex::testing::CaseName());

TEST(ProfileReadFallback, NoFileGivesTheFallbackCutToSize) {
  testing::TempDir dir;
  EXPECT_EQ(GetPrivateProfileStringA("A", "K", "fallback", 4, dir.File("none.ini")), "fal");
  EXPECT_EQ(GetPrivateProfileStringA("A", "K", "fallback", 50, dir.str()), "fallback");
}

struct WriteCase {
  const char* name;
  std::string before;
  const char* section;
  const char* key;
  std::string value;
  std::string after;
};
TARVEX_PRINT_CASE_AS_NAME(WriteCase)

class ProfileWrite : public ::testing::TestWithParam<WriteCase> {};

TEST_P(ProfileWrite, GivesTheExactBytesAndReadsBackWhatWasWritten) {
  const WriteCase& c = GetParam();
  testing::TempDir dir;
  const std::string path = dir.Write("t.ini", c.before);
  ASSERT_TRUE(WritePrivateProfileStringA(c.section, c.key, c.value, path));
  EXPECT_EQ(dir.Read("t.ini"), c.after);
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"t.ini"});
  EXPECT_EQ(GetPrivateProfileStringA(c.section, c.key, "fallback", 500, path), c.value);
}

// 値 is 0x92 0x6C in CP932. ED 40 decodes to the same character as FA 5C,
// which encoding it again gives: a line not edited must keep its own bytes.
const WriteCase kWrites[] = {
    {"ReplaceKeepsSpellingAndBlanks", "[tarvex]\r\n  Time = 4  \r\n", "TARVEX", "TIME", "",
     "[tarvex]\r\n  Time = \r\n"},
    {"ReplaceFirstOfTwoKeys", "[A]\nK=1\nK=2\n", "A", "K", "3", "[A]\nK=3\nK=2\n"},
    {"ReplaceInFirstOfTwoSections", "[A]\nK=1\n[A]\nK=2\n", "A", "K", "3", "[A]\nK=3\n[A]\nK=2\n"},
    {"ReplaceLastLineWithoutEnd", "[A]\r\nK=1", "A", "K", "22", "[A]\r\nK=22"},
    {"AppendAfterLastKeyBeforeComment", "[A]\r\nK=1\r\n; about B\r\n[B]\r\n", "A", "J", "2",
     "[A]\r\nK=1\r\nJ=2\r\n; about B\r\n[B]\r\n"},
    {"AppendAfterLineWithoutEnd", "[A]\r\nK=1", "A", "J", "2", "[A]\r\nK=1\r\nJ=2\r\n"},
    {"NewSectionAtEnd", "[A]\r\nK=1\r\n", "B", "J", "2", "[A]\r\nK=1\r\n[B]\r\nJ=2\r\n"},
    {"KeyOfOtherSectionUntouched", "[B]\nK=1\n[A]\nJ=1\n", "A", "K", "2",
     "[B]\nK=1\n[A]\nJ=1\nK=2\n"},
    {"CommentedKeyNotReplaced", "[A]\n;K=1\n", "A", "K", "2", "[A]\n;K=1\nK=2\n"},
    {"SectionWithoutKeysTakesItAfterItsText", "[A]\n; about A\n\n[B]\n", "A", "K", "2",
     "[A]\n; about A\nK=2\n\n[B]\n"},
    {"LoneCrKept", "[A]\rK=1\r", "A", "J", "2", "[A]\rK=1\rJ=2\r"},
    {"FirstLineEndDecides", "[A]\nK=1\r\n", "A", "J", "2", "[A]\nK=1\r\nJ=2\n"},
    {"NoLineEndAtAllGivesCrLf", "[A]", "A", "J", "2", "[A]\r\nJ=2\r\n"},
    {"Cp932UntouchedBytesKept", "[A]\r\nN=\xED\x40\r\nK=\x92\x6C\r\n", "A", "K", "値値",
     "[A]\r\nN=\xED\x40\r\nK=\x92\x6C\x92\x6C\r\n"},
    {"Cp932KeyBytesKept", "[A]\r\n\xED\x40=1\r\n", "A", "\xE7\xBA\x8A", "2",
     "[A]\r\n\xED\x40=2\r\n"},
    {"Utf8Kept", "[A]\nK=値\n", "A", "J", "ソ", "[A]\nK=値\nJ=ソ\n"},
    {"Utf8BomKept", "\xEF\xBB\xBF[A]\n", "A", "J", "値", "\xEF\xBB\xBF[A]\nJ=値\n"},
    {"AsciiFileTakesUtf8", "[A]\r\nK=1\r\n", "A", "J", "値", "[A]\r\nK=1\r\nJ=値\r\n"},
    {"Utf16LeKept", Utf16(u"[A]\r\nK=1\r\n", false), "A", "K", "値",
     Utf16(u"[A]\r\nK=値\r\n", false)},
    // Values whose edges reading would drop are quoted, so they read back whole.
    {"LeadingBlankQuoted", "", "A", "K", " 12", "[A]\r\nK=\" 12\"\r\n"},
    {"TrailingTabQuoted", "", "A", "K", "/tmp/a\t", "[A]\r\nK=\"/tmp/a\t\"\r\n"},
    {"EnclosingQuotesQuoted", "", "A", "K", "'x'", "[A]\r\nK=\"'x'\"\r\n"},
    {"QuotePairQuoted", "", "A", "K", "\"\"", "[A]\r\nK=\"\"\"\"\r\n"},
    {"CommentAndSectionLookAlikesUnquoted", "", "A", "K", "; [x]", "[A]\r\nK=; [x]\r\n"},
};
INSTANTIATE_TEST_SUITE_P(Files, ProfileWrite, ::testing::ValuesIn(kWrites),
                         tarvex::testing::CaseName());

struct RefusedCase {
  const char* name;
  const char* section;
  const char* key;
  std::string value;
};
TARVEX_PRINT_CASE_AS_NAME(RefusedCase)

class ProfileWriteRefused : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(ProfileWriteRefused, LeavesTheFileAlone) {
  const RefusedCase& c = GetParam();
  testing::TempDir dir;
  const std::string before = "[A]\r\nK=\x92\x6C\r\n";
  dir.Write("t.ini", before);
  EXPECT_FALSE(WritePrivateProfileStringA(c.section, c.key, c.value, dir.File("t.ini")));
  EXPECT_EQ(dir.Read("t.ini"), before);
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"t.ini"});
}

const RefusedCase kRefused[] = {
    {"ValueWithLf", "A", "K", "1\n[B]"},
    {"ValueWithCr", "A", "K", "1\rX=2"},
    {"ValueWithNul", "A", "K", std::string("1\x00\x32", 3)},
    {"KeyWithEquals", "A", "K=J", "1"},
    {"KeyWithLineBreak", "A", "K\nJ", "1"},
    {"KeyLikeSection", "A", "[K]", "1"},
    {"BlankKey", "A", "  ", "1"},
    {"SectionWithBracket", "A]", "K", "1"},
    {"SectionWithLineBreak", "A\r\nB", "K", "1"},
    {"EmptySection", "", "K", "1"},
    {"CharacterCp932Lacks", "A", "K", "\xF0\x9F\x98\x80"},
    {"YenSignCp932WouldTurnIntoBackslash", "A", "K", "\xC2\xA5"},
};
INSTANTIATE_TEST_SUITE_P(Input, ProfileWriteRefused, ::testing::ValuesIn(kRefused),
                         tarvex::testing::CaseName());

}  // namespace
}  // namespace tarvex::platform
