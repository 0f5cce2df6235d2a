// Reading values with GetPrivateProfileStringA from files written at test
// time. The rules both systems share are in tests/wine/profile_corpus.h; these
// are the ones only this reader has to keep.

#include <gtest/gtest.h>

#include <string>

#include "platform/profile.h"
#include "tests/support/case_name.h"
#include "tests/unit/posix/scratch_dir.h"
#include "tests/unit/posix/utf16_bytes.h"

namespace tarvex::platform {
namespace {

struct ReadCase {
  const char* name;
  std::string file;  // the file's bytes
  const char* section;
  std::int32_t size;
  std::string expected;  // of key K
};
TARVEX_PRINT_CASE_AS_NAME(ReadCase)

class ProfileRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ProfileRead, FindsTheValue) {
  const ReadCase& c = GetParam();
  testing::ScratchDir dir;
  EXPECT_EQ(
      GetPrivateProfileStringA(c.section, "K", "fallback", c.size, dir.Write("t.ini", c.file)),
      c.expected);
}

// 値 is 0x92 0x6C in CP932 and E5 80 A4 in UTF-8; ソ is 0x83 0x5C, its trail
// byte a backslash.
const ReadCase kReads[] = {
    {"BlanksInsideBrackets", "[ A ]\t\r\n \tK \t= 4\r\n", "A", 50, "4"},
    {"SectionWithoutClosingBracket", "[A\r\nK=4\r\n", "A", 50, "4"},
    {"OnlyTheFirstSectionOfANameCounts", "[A]\nJ=1\n[a]\nK=2\n", "A", 50, "fallback"},
    {"CommentedSectionSkipped", ";[A]\nK=1\n[A]\nK=2\n", "A", 50, "2"},
    {"KeyBeforeAnySection", "K=1\n[A]\nJ=2\n", "A", 50, "fallback"},
    {"LineWithoutEqualsIsNoKey", "[A]\nK\nK=2\n", "A", 50, "2"},
    {"PrefixOfANameDoesNotMatch", "[AB]\nKL=1\n[A]\nK=2\n", "A", 50, "2"},
    {"OnlyOneQuotePairDropped", "[A]\nK=\"\"x\"\"\n", "A", 50, "\"x\""},
    {"InnerQuotesKept", "[A]\nK=a\"b\"\n", "A", 50, "a\"b\""},
    {"SemicolonInValueKept", "[A]\nK=1 ; note\n", "A", 50, "1 ; note"},
    {"FullWidthSpaceKept", "[A]\nK=\xE3\x80\x80x\n", "A", 50, "\xE3\x80\x80x"},
    {"LoneCrEndsLines", "[A]\rJ=0\rK=1\r", "A", 50, "1"},
    {"MixedLineEnds", "[A]\rJ=0\nL=2\r\nK=1", "A", 50, "1"},
    {"Cp932", "[A]\r\nK=\x92\x6C\r\n", "A", 50, "値"},
    {"Cp932TrailByteLikeBracket", "[\x83\x5C]\r\nK=\x83\x5C]\r\n", "ソ", 50, "ソ]"},
    {"Utf8WithoutBom", "[A]\r\nK=値\r\n", "A", 50, "値"},
    {"Utf8Bom", "\xEF\xBB\xBF[A]\r\nK=値\r\n", "A", 50, "値"},
    {"Utf16LeBom", testing::Utf16Bytes(u"[A]\r\nK=値\r\n", false), "A", 50, "値"},
    {"Utf16BeBom", testing::Utf16Bytes(u"[A]\nK= 値 \n", true), "A", 50, "値"},
    // Sizes count the NUL: a value takes at most size - 1 bytes in CP932.
    {"SizeOneGivesEmpty", "[A]\nK=1\n", "A", 1, ""},
    {"NegativeSizeGivesEmpty", "[A]\nK=1\n", "A", -5, ""},
    {"Cp932FileCutBetweenCharacters", "[A]\nK=\x92\x6C\x92\x6C\n", "A", 4, "値"},
    {"SingleByteKanaCountsOne", "[A]\nK=ｱｲｳ\n", "A", 3, "ｱｲ"},
    {"CharacterOutsideCp932CountsItsUtf8Bytes", "[A]\nK=a😀b\n", "A", 6, "a😀"},
    {"CharacterOutsideCp932StraddlingTheCut", "[A]\nK=a😀b\n", "A", 5, "a"},
    {"QuotesDoNotCount", "[A]\nK=\"12345\"\n", "A", 6, "12345"},
};
INSTANTIATE_TEST_SUITE_P(Files, ProfileRead, ::testing::ValuesIn(kReads),
                         tarvex::testing::CaseName());

TEST(ProfileReadFallback, NoFileGivesTheFallbackCutToSize) {
  testing::ScratchDir dir;
  EXPECT_EQ(GetPrivateProfileStringA("A", "K", "fallback", 4, dir.File("none.ini")), "fal");
  EXPECT_EQ(GetPrivateProfileStringA("A", "K", "fallback", 50, dir.str()), "fallback");
}

}  // namespace
}  // namespace tarvex::platform
